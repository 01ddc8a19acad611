// verify: reads the data files without changing them and lists what is wrong with them.
#include "cli/command.h"
#include "cli/console_output.h"
#include "storage/ledger_check.h"

int RunVerify(Invocation& invocation)
{
    if (!invocation.args().isEmpty())
        return invocation.usageError(QStringLiteral("verify takes no arguments"));
    AppState* state = invocation.startUp(Invocation::Access::Inspect);
    if (!state)
        return ExitFailed;

    const QStringList problems = CheckDataFiles(*state);
    if (problems.isEmpty()) {
        PrintOut(QStringLiteral("ok\n"));
        return ExitSuccess;
    }
    PrintOut(problems.join(u'\n') + u'\n');
    return ExitFailed;
}
