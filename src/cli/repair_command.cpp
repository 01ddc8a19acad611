// repair: a damaged ledger is copied under a dated name into "M在庫台帳" and its sound records are
// written back; what was left out is printed.
#include "cli/command.h"
#include "cli/console_output.h"
#include "ledger/ledger_repair.h"
#include "storage/app_state.h"
#include "storage/shared_checks.h"

#include <QDateTime>

int RunRepair(Invocation& invocation)
{
    if (!invocation.args().isEmpty())
        return invocation.usageError(QStringLiteral("repair takes no arguments"));
    AppState* state = invocation.startUp(Invocation::Access::Change);
    if (!state)
        return ExitFailed;
    if (!CheckStopAll(*state))
        return ExitFailed;
    const RepairResult result = RepairLedger(*state, QDateTime::currentDateTime());
    if (!result.io) {
        invocation.printMessage(RepairReport(result));
        return ExitFailed;
    }
    QString out;
    for (const QString& line : RepairReport(result).split(u'\r'))
        out += line.trimmed() + u'\n';
    if (result.wasDamaged)
        out += QStringLiteral("records: %1\n").arg(result.recordsKept);
    PrintOut(out);
    return ExitSuccess;
}
