// rollover YYYY/MM: the year rollover of the settings screen, decided on the start month and the
// stop of all clients as the shared settings hold them at that moment, so that a year end can be
// scripted.
#include "cli/command.h"
#include "cli/console_output.h"
#include "settings/settings_texts.h"
#include "settings/start_month.h"
#include "settings/year_rollover.h"
#include "storage/app_state.h"
#include "storage/field_text.h"
#include "storage/settings_files.h"

#include <QDateTime>

int RunRollover(Invocation& invocation)
{
    const QStringList args = invocation.args();
    if (args.size() != 1 || !MonthNumber(args.first()))
        return invocation.usageError(QStringLiteral("rollover takes the new start month, YYYY/MM"));
    const QString month = QStringLiteral("%1/%2")
                              .arg(*MonthNumber(args.first()) / 12, 4, 10, QChar(u'0'))
                              .arg(*MonthNumber(args.first()) % 12 + 1, 2, 10, QChar(u'0'));
    AppState* state = invocation.startUp(Invocation::Access::Change);
    if (!state)
        return ExitFailed;
    // The rollover itself compares with the file again under the ledger lock.
    const QString current = SharedSettingsLineInFile(*state, SharedLine::StartMonth);
    if (FieldText(current) != month && !IsNextLedgerYear(current, month)) {
        PrintError(QStringLiteral("tev-cli rollover: %1 is not twelve months after the start month %2\n")
                       .arg(month, current.isEmpty() ? QStringLiteral("(not set)") : current));
        return ExitFailed;
    }
    const RolloverResult result = RollOverLedgerYear(*state, current, month, QDateTime::currentDateTime());
    if (!result.ok()) {
        PrintError(QStringLiteral("tev-cli rollover: %1\n").arg(RolloverMessage(result, month).replace(u'\r', u'\n')));
        return ExitFailed;
    }
    if (!result.backupPath.isEmpty())
        PrintOut(QStringLiteral("copy: %1\n").arg(result.backupPath));
    PrintOut(QStringLiteral("records: %1\n").arg(result.recordCount));
    return ExitSuccess;
}
