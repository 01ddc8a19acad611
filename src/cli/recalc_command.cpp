// recalc: the stock value total, summed afresh over the whole ledger.
#include "cli/command.h"
#include "cli/console_output.h"
#include "cli/ledger_commands.h"
#include "storage/app_state.h"
#include "storage/item_number_file.h"
#include "storage/ledger_file.h"

#include <QFileInfo>

int RunRecalc(Invocation& invocation)
{
    if (!invocation.args().isEmpty())
        return invocation.usageError(QStringLiteral("recalc takes no arguments"));
    AppState* state = invocation.startUp();
    if (!state)
        return ExitFailed;
    if (!invocation.ledgerOpens(*state))
        return ExitFailed;
    SumStockValue(*state);
    PrintOut(QStringLiteral("total-stock-value: %1\n").arg(DecimalText(state->TotalStockValue)));
    return ExitSuccess;
}
