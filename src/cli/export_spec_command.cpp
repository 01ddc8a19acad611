// export-spec ITEMNO: the item's specification workbook, made from the template the first time
// and reused afterwards, written but not opened.
#include "cli/command.h"
#include "cli/console_output.h"
#include "cli/workbook_export_report.h"
#include "excel_output/item_spec_workbook.h"
#include "ledger/column_captions.h"
#include "storage/app_state.h"
#include "storage/item_number_file.h"
#include "storage/ledger_file.h"

int RunExportSpec(Invocation& invocation)
{
    if (invocation.args().size() != 1 || invocation.args().front().startsWith(QStringLiteral("--")))
        return invocation.usageError(QStringLiteral("export-spec needs one item number"));
    const QString number = invocation.args().front();
    AppState* state = invocation.startUp();
    if (!state)
        return ExitFailed;
    RebuildColumnCaptions(*state);
    RebuildItemNumberTable(*state);
    if (!FindItemNumber(*state, number)) {
        PrintError(QStringLiteral("tev-cli export-spec: no item has the number %1\n").arg(number));
        return ExitFailed;
    }
    ItemSpecContent content;
    {
        LedgerCloser closer(*state);
        if (!OpenLedger(*state) || !ReadRecord(*state, state->FoundRecordNo)) {
            PrintError(QStringLiteral("tev-cli export-spec: record %1 cannot be read\n").arg(state->FoundRecordNo));
            return ExitFailed;
        }
        content = ItemSpecContentOf(*state, state->CurrentRecord);
    }
    const ItemSpecResult result = ExportItemSpecWorkbook(*state, nullptr, content);
    return ReportWorkbookExport(QStringLiteral("export-spec"), result.status, result.path);
}
