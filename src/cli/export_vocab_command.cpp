// export-vocab [--out FILE]: the list-vocabulary workbook, written but not opened.
#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/console_output.h"
#include "cli/workbook_export_report.h"
#include "excel_output/vocabulary_workbook.h"
#include "ledger/column_captions.h"
#include "storage/app_state.h"
#include "storage/vocabulary.h"

#include <QFileInfo>

int RunExportVocab(Invocation& invocation)
{
    const ParsedArguments parsed = ParseArguments(invocation.args(), {QStringLiteral("--out")});
    if (!parsed.error.isEmpty())
        return invocation.usageError(parsed.error);
    if (!parsed.positional.isEmpty())
        return invocation.usageError(QStringLiteral("export-vocab takes no positional arguments"));
    QString out = parsed.options.value(QStringLiteral("--out"));
    if (!out.isEmpty())
        out = QFileInfo(out).absoluteFilePath();
    AppState* state = invocation.startUp();
    if (!state)
        return ExitFailed;
    RebuildColumnCaptions(*state);
    // A list file that cannot be read leaves its column empty, as on the settings screen.
    ReadVocabularyLists(*state);
    const VocabularyWorkbookResult result = ExportVocabularyWorkbook(*state, nullptr, out);
    return ReportWorkbookExport(QStringLiteral("export-vocab"), result.status, result.path);
}
