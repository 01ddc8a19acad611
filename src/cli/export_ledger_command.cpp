// export-ledger: the ledger workbook, written but not opened.
#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/console_output.h"
#include "excel_output/excel_error_report.h"
#include "excel_output/ledger_workbook.h"
#include "ledger/column_captions.h"
#include "storage/app_state.h"

#include <QFileInfo>

int RunExportLedger(Invocation& invocation)
{
    // The --filter option arrives with the filter of the ledger screen; until then it is an
    // unknown option.
    const ParsedArguments parsed = ParseArguments(invocation.args(), {QStringLiteral("--out")});
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
    const LedgerWorkbookResult result = ExportLedgerWorkbook(*state, nullptr, out);
    if (!result.status) {
        const ExcelErrorMessage message = ExcelErrorText(result.status.error);
        PrintError(QStringLiteral("tev-cli export-ledger: %1: %2\n").arg(message.title, message.text));
        return ExitFailed;
    }
    PrintOut(result.path + u'\n');
    return ExitSuccess;
}
