// sort: the sort of the ledger screen and its commit, on the ledger as it is under the lock;
// items without a name are dropped.
#include "cli/command.h"
#include "cli/console_output.h"
#include "cli/ledger_commands.h"
#include "ledger/ledger_commit.h"
#include "storage/app_state.h"
#include "storage/shared_checks.h"

int RunSort(Invocation& invocation)
{
    if (!invocation.args().isEmpty())
        return invocation.usageError(QStringLiteral("sort takes no arguments"));
    AppState* state = invocation.startUp(Invocation::Access::Change);
    if (!state)
        return ExitFailed;
    if (!CheckStopAll(*state))
        return ExitFailed;
    const CommitResult committed = CommitSort(*state, {});
    if (!committed.ok()) {
        PrintError(QStringLiteral("tev-cli sort: %1\n").arg(CommitFailureMessage(committed.io).replace(u'\r', u'\n')));
        return ExitFailed;
    }
    PrintOut(QStringLiteral("records: %1\n").arg(committed.recordCount));
    return ExitSuccess;
}
