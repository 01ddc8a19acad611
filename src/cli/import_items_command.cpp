// import-items [FILE] [--check]: the item import from "Mb在庫品INP" (or FILE). The problems the
// check finds go to stderr and the import goes on, except past a cell whose value cannot be
// read; with --check nothing is written and problems make the exit status 1.
#include "cli/command.h"
#include "cli/console_output.h"
#include "cli/import_input.h"
#include "excel_import/import_workbook_path.h"
#include "excel_import/item_import.h"
#include "storage/app_state.h"
#include "storage/field_text.h"
#include "storage/shared_checks.h"
#include "workbook/workbook_errors.h"

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
    const QString path = ImportInputPath(command, *state, *arguments, ImportWorkbookName::Items);
    if (path.isEmpty())
        return ExitFailed;
    ItemImportPlan plan;
    const WorkbookStatus status =
        ReadItemImportWorkbook(path, ReadFlag(state->SharedSettings[SharedLine::StartOfUse]), plan);
    if (!ImportInputReadable(command, status, path, plan.problems))
        return ExitFailed;
    if (arguments->check) {
        PrintOut(QStringLiteral("checked: %1\n").arg(plan.items.size()));
        return plan.problems.isEmpty() ? ExitSuccess : ExitFailed;
    }

    const bool overCapacity = plan.overCapacity();
    const ItemImportResult result = ApplyItemImport(*state, std::move(plan));
    if (!result.commit.ok()) {
        PrintImportMessage(command, CommitFailureMessage(result.commit.io));
        return ExitFailed;
    }
    PrintOut(QStringLiteral("imported: %1\n").arg(result.written));
    if (overCapacity) {
        PrintImportMessage(command, ItemImportCapacityMessage());
        return ExitFailed;
    }
    return ExitSuccess;
}
