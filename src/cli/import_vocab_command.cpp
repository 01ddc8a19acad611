// import-vocab [FILE] [--check]: the word lists 2..6 from "Mb在庫品項目INP" (or FILE). The
// problems the check finds go to stderr and the import goes on, except past a cell whose value
// cannot be read; with --check nothing is written and problems make the exit status 1.
#include "cli/command.h"
#include "cli/console_output.h"
#include "cli/import_input.h"
#include "excel_import/import_workbook_path.h"
#include "excel_import/vocabulary_import.h"
#include "storage/app_state.h"
#include "storage/file_error.h"
#include "storage/shared_checks.h"
#include "workbook/workbook_errors.h"

int RunImportVocab(Invocation& invocation)
{
    const QString command = QStringLiteral("import-vocab");
    int exitStatus = ExitSuccess;
    const auto arguments = ParseImportArguments(invocation, exitStatus);
    if (!arguments)
        return exitStatus;
    AppState* state = invocation.startUp(arguments->check ? Invocation::Access::Read : Invocation::Access::Change);
    if (!state)
        return ExitFailed;
    if (!CheckStopAll(*state))
        return ExitFailed;
    const QString path = ImportInputPath(command, *state, *arguments, ImportWorkbookName::Vocabulary);
    if (path.isEmpty())
        return ExitFailed;
    VocabularyImportPlan plan;
    const WorkbookStatus status = ReadVocabularyImportWorkbook(path, plan);
    if (!ImportInputReadable(command, status, path, plan.problems))
        return ExitFailed;
    qsizetype words = 0;
    for (const QStringList& list : plan.lists)
        words += list.size();
    if (arguments->check) {
        PrintOut(QStringLiteral("checked: %1\n").arg(words));
        return plan.problems.isEmpty() ? ExitSuccess : ExitFailed;
    }

    const IoResult written = ApplyVocabularyImport(*state, plan);
    if (!written) {
        PrintImportMessage(command, QStringLiteral("%1: %2").arg(
                                        written.path, DescribeFileError(ClassifyFileError(written.errorCode, written.path))));
        return ExitFailed;
    }
    PrintOut(QStringLiteral("imported: %1\n").arg(words));
    return ExitSuccess;
}
