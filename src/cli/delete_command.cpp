// delete N [N …]: removes records by number and commits, as "登　録" of the delete panel does.
#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/console_output.h"
#include "cli/ledger_commands.h"
#include "ledger/ledger_commit.h"
#include "storage/app_state.h"
#include "storage/ledger_file.h"
#include "storage/shared_checks.h"

#include <QSet>

int RunDelete(Invocation& invocation)
{
    if (invocation.args().isEmpty())
        return invocation.usageError(QStringLiteral("delete needs the numbers of the records to remove"));
    QSet<int> removed;
    for (const QString& arg : invocation.args()) {
        const auto number = ParseWholeNumber(arg, 1, AppState::MaxRecords);
        if (!number)
            return invocation.usageError(QStringLiteral("%1: a record number is a whole number of 1 or more").arg(arg));
        removed.insert(int(*number));
    }
    AppState* state = invocation.startUp();
    if (!state)
        return ExitFailed;
    if (!CheckStopAll(*state))
        return ExitFailed;
    {
        LedgerCloser closer(*state);
        OpenLedger(*state);
    }
    const int count = state->RecordCount;
    for (const int n : std::as_const(removed)) {
        if (n > count) {
            PrintError(QStringLiteral("tev-cli delete: record %1 does not exist (the ledger holds %2); nothing was removed\n")
                           .arg(n)
                           .arg(count));
            return ExitFailed;
        }
    }
    QList<int> kept;
    for (int n = 1; n <= count; ++n)
        if (!removed.contains(n))
            kept.append(n);
    const CommitResult committed = CommitKeptRecords(*state, kept, count);
    if (!committed.ok()) {
        PrintError(QStringLiteral("tev-cli delete: %1\n").arg(CommitFailureMessage(committed.io).replace(u'\r', u'\n')));
        return ExitFailed;
    }
    PrintOut(QStringLiteral("records: %1\n").arg(committed.recordCount));
    return ExitSuccess;
}
