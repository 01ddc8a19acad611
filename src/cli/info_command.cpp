// info: where the data is and what it holds.
#include "cli/command.h"
#include "cli/console_output.h"
#include "storage/app_state.h"
#include "storage/item_number_file.h"
#include "storage/ledger_file.h"
#include "storage/settings_lines.h"

#include <QFileInfo>

int RunInfo(Invocation& invocation)
{
    if (!invocation.args().isEmpty())
        return invocation.usageError(QStringLiteral("info takes no arguments"));
    AppState* state = invocation.startUp();
    if (!state)
        return ExitFailed;

    // SumStockValue opens the ledger (creating an empty one, as the screens do) and derives the
    // count; it fails quietly, so a ledger that is still missing afterwards could not be opened.
    SumStockValue(*state);
    if (!QFileInfo::exists(LedgerPath(*state))) {
        PrintError(QStringLiteral("tev-cli info: the ledger cannot be opened: %1\n").arg(LedgerPath(*state)));
        return ExitFailed;
    }
    PrintOut(QStringLiteral("data-folder: %1\nrecords: %2\ncapacity: %3\nstart-month: %4\ntotal-stock-value: %5\n")
                 .arg(state->DataFolder)
                 .arg(state->RecordCount)
                 .arg(AppState::MaxRecords)
                 .arg(state->SharedSettings[SharedLine::StartMonth], DecimalText(state->TotalStockValue)));
    return ExitSuccess;
}
