// export-ledger [--out FILE] [--filter COL=WORD …]: the ledger workbook, written but not opened;
// with filter conditions it holds the items the ledger screen's filter finds, in ledger order.
#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/console_output.h"
#include "cli/workbook_export_report.h"
#include "cli/ledger_commands.h"
#include "excel_output/ledger_workbook.h"
#include "ledger/column_captions.h"
#include "ledger/filter_scan.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/ledger_file.h"

#include <QFileInfo>


int RunExportLedger(Invocation& invocation)
{
    QStringList args = invocation.args();
    std::optional<FilterConditionRows> rows;
    QString error;
    if (!TakeFilterOptions(args, rows, error))
        return invocation.usageError(error);
    const ParsedArguments parsed = ParseArguments(args, {QStringLiteral("--out")});
    if (!parsed.error.isEmpty())
        return invocation.usageError(parsed.error);
    if (!parsed.positional.isEmpty())
        return invocation.usageError(QStringLiteral("export-ledger takes no positional arguments"));
    QString out = parsed.options.value(QStringLiteral("--out"));
    if (!out.isEmpty())
        out = QFileInfo(out).absoluteFilePath();
    AppState* state = invocation.startUp();
    if (!state)
        return ExitFailed;
    RebuildColumnCaptions(*state);

    QList<int> hits;
    if (rows) {
        const std::optional<QList<int>> found = FilterHitsOf(invocation, *state, *rows);
        if (!found)
            return ExitFailed;
        hits = *found;
    }
    const LedgerWorkbookResult result = ExportLedgerWorkbook(*state, nullptr, out, rows ? &hits : nullptr);
    return ReportWorkbookExport(QStringLiteral("export-ledger"), result.status, result.path, &result.ledger);
}
