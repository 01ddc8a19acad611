#include "excel_import/import_run.h"

#include "excel_import/import_problems.h"
#include "excel_import/import_texts.h"
#include "excel_import/import_workbook_path.h"
#include "excel_import/item_import.h"
#include "excel_import/vocabulary_import.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "workbook/workbook_errors.h"

#include <algorithm>

namespace {

void setBusy(const ImportRunView& view, bool busy)
{
    if (view.busy)
        view.busy(busy);
}

// Shows a message in an interactive run; keeps its text as the note of an unattended one.
class RunReport {
public:
    RunReport(AppState& state, ImportRunMode mode, const ImportRunView& view, ImportRunResult& result)
        : m_state(state), m_mode(mode), m_view(view), m_result(result)
    {
    }
    void tell(const QString& title, const QString& text)
    {
        setBusy(m_view, false);
        if (m_mode == ImportRunMode::Interactive)
            m_state.dialogs.inform(title, text);
        else
            m_result.note = text;
    }
    // Whether to go on after the check found problems: an unattended run always does.
    bool goOnDespite(const QList<ImportProblem>& problems)
    {
        setBusy(m_view, false);
        if (problems.isEmpty() || m_mode == ImportRunMode::Unattended)
            return true;
        return m_state.dialogs.askDefaultNo(ImportProblemTitle(), ImportProblemQuestion(problems))
            == Dialogs::Answer::Yes;
    }

private:
    AppState& m_state;
    ImportRunMode m_mode;
    const ImportRunView& m_view;
    ImportRunResult& m_result;
};

// The path of the import workbook `name` in the import folder, shown on the screen. Empty
// (the outcome set, the message told) when no import folder is set.
QString importWorkbookPath(AppState& state, const QString& name, const ImportRunView& view, ImportRunResult& result,
                           RunReport& report)
{
    const QString folder = ImportFolderPath(state);
    if (folder.isEmpty()) {
        // Without a folder the name alone would be looked up in the working directory.
        result.outcome = ImportOutcome::Unreadable;
        report.tell(ImportText::ConfirmTitle, NoImportFolderMessage());
        return QString();
    }
    result.path = FindImportWorkbook(folder, name);
    if (view.showPath)
        view.showPath(result.path);
    return result.path;
}

// After reading: false (the outcome set, the message told) when the workbook could not be read
// or holds cells whose values cannot be read; nothing is written then, in any mode.
bool readable(const WorkbookStatus& status, const QList<ImportProblem>& problems, ImportRunResult& result,
              RunReport& report)
{
    if (!status) {
        result.outcome = ImportOutcome::Unreadable;
        report.tell(ImportProblemTitle(), ImportWorkbookFailureMessage(status, result.path));
        return false;
    }
    result.problems = int(problems.size());
    if (ImportIsRefused(problems)) {
        result.outcome = ImportOutcome::Unreadable;
        report.tell(ImportProblemTitle(), ImportRefusalMessage(problems));
        return false;
    }
    return true;
}

} // namespace

namespace {

ImportRunResult runItemImport(AppState& state, ImportRunMode mode, const ImportRunView& view)
{
    ImportRunResult result;
    RunReport report(state, mode, view, result);
    if (importWorkbookPath(state, ImportWorkbookName::Items, view, result, report).isEmpty())
        return result;
    setBusy(view, true);
    ItemImportPlan plan;
    const WorkbookStatus status =
        ReadItemImportWorkbook(result.path, ReadFlag(state.SharedSettings[SharedLine::StartOfUse]), plan);
    if (!readable(status, plan.problems, result, report))
        return result;
    result.overCapacity = plan.overCapacity();
    if (!report.goOnDespite(plan.problems)) {
        result.outcome = ImportOutcome::Declined;
        return result;
    }

    const int items = int(plan.items.size());
    const CommitProgress progress = [&view, items](CommitStage stage, int done, int total) {
        if (view.showCount && stage == CommitStage::Writing)
            view.showCount(std::min(done, items));
        return view.progress ? view.progress(stage, done, total) : true;
    };
    setBusy(view, true);
    const ItemImportResult applied = ApplyItemImport(state, std::move(plan), progress);
    setBusy(view, false);
    if (!applied.commit.ok()) {
        result.outcome = ImportOutcome::WriteFailed;
        report.tell(ImportText::ErrorTitle, CommitFailureMessage(applied.commit.io));
        return result;
    }
    result.written = applied.written;
    if (view.showCount)
        view.showCount(result.written);
    if (result.overCapacity)
        report.tell(ImportProblemTitle(), ItemImportCapacityMessage());
    else if (mode == ImportRunMode::Interactive)
        report.tell(ImportDoneTitle(), ItemImportDoneMessage());
    return result;
}

} // namespace

ImportRunResult RunItemImport(AppState& state, ImportRunMode mode, const ImportRunView& view)
{
    if (mode == ImportRunMode::Interactive)
        return runItemImport(state, mode, view);
    // Nobody is there to click: whatever the layers below would show goes into the result.
    ImportRunResult result;
    QStringList messages;
    {
        UnattendedMessages diverted(state.dialogs);
        result = runItemImport(state, mode, view);
        messages = diverted.messages();
    }
    if (!result.note.isEmpty())
        messages.prepend(result.note);
    result.note = messages.join(u'\r');
    return result;
}

ImportRunResult RunVocabularyImport(AppState& state, const ImportRunView& view)
{
    ImportRunResult result;
    RunReport report(state, ImportRunMode::Interactive, view, result);
    if (importWorkbookPath(state, ImportWorkbookName::Vocabulary, view, result, report).isEmpty())
        return result;
    setBusy(view, true);
    VocabularyImportPlan plan;
    const WorkbookStatus status = ReadVocabularyImportWorkbook(result.path, plan);
    if (!readable(status, plan.problems, result, report))
        return result;
    if (!report.goOnDespite(plan.problems)) {
        result.outcome = ImportOutcome::Declined;
        return result;
    }
    setBusy(view, true);
    const IoResult written = ApplyVocabularyImport(state, plan);
    setBusy(view, false);
    if (!written) {
        result.outcome = ImportOutcome::WriteFailed;
        report.tell(ImportText::ErrorTitle, SaveFailureMessage(written));
        return result;
    }
    for (const QStringList& list : plan.lists)
        result.written += int(list.size());
    if (view.showCount)
        view.showCount(result.written);
    report.tell(ImportDoneTitle(), VocabularyImportDoneMessage());
    return result;
}
