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

    if (!invocation.ledgerOpens(*state))
        return ExitFailed;
    SumStockValue(*state);
    // Records past the capacity are not used by any reader: say so, with the count on disk.
    const qint64 onDisk = RecordCountForLength(QFileInfo(LedgerPath(*state)).size());
    if (onDisk > AppState::MaxRecords) {
        PrintError(QStringLiteral("tev-cli info: the ledger holds %1 records, more than its capacity of %2; "
                                  "records after %2 are not used\n")
                       .arg(onDisk)
                       .arg(AppState::MaxRecords));
    }
    PrintOut(QStringLiteral("data-folder: %1\nrecords: %2\ncapacity: %3\nstart-month: %4\ntotal-stock-value: %5\n")
                 .arg(state->DataFolder)
                 .arg(state->RecordCount)
                 .arg(AppState::MaxRecords)
                 .arg(state->SharedSettings[SharedLine::StartMonth], DecimalText(state->TotalStockValue)));
    return ExitSuccess;
}
