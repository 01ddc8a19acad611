// import-items [FILE] [--check]: the item import from "Mb在庫品INP" (or FILE). The problems the
// check finds go to stderr and the import goes on; with --check nothing is written.
#include "cli/command.h"
#include "cli/console_output.h"
#include "cli/import_input.h"
#include "excel_import/import_workbook_path.h"
#include "excel_import/item_import.h"
#include "storage/app_state.h"
#include "storage/field_text.h"
#include "storage/shared_checks.h"
#include "workbook/workbook_operations.h"

int RunImportItems(Invocation& invocation)
{
    const QString command = QStringLiteral("import-items");
    int exitStatus = ExitSuccess;
    const auto arguments = ParseImportArguments(invocation, exitStatus);
    if (!arguments)
        return exitStatus;
    AppState* state = invocation.startUp(arguments->check ? Invocation::Access::Read : Invocation::Access::Change);
    if (!state)
        return ExitFailed;
    if (!CheckStopAll(*state))
        return ExitFailed;
    std::unique_ptr<Workbook> book = OpenImportInput(command, *state, *arguments, ImportWorkbookName::Items);
    if (!book)
        return ExitFailed;
    const ItemImportPlan plan = ReadItemImport(book->sheet(), ReadFlag(state->SharedSettings[SharedLine::StartOfUse]));
    FinishAfterReading(book);
    PrintImportProblems(command, plan.problems);
    if (arguments->check) {
        PrintOut(QStringLiteral("checked: %1\n").arg(plan.items.size()));
        return plan.problems.isEmpty() ? ExitSuccess : ExitFailed;
    }

    const ItemImportResult result = ApplyItemImport(*state, plan);
    if (!result.commit.ok()) {
        PrintImportMessage(command, CommitFailureMessage(result.commit.io));
        return ExitFailed;
    }
    PrintOut(QStringLiteral("imported: %1\n").arg(result.written));
    if (plan.overCapacity()) {
        PrintImportMessage(command, ItemImportCapacityMessage());
        return ExitFailed;
    }
    return ExitSuccess;
}
