#include "settings/data_folder_registration.h"

#include "ledger/column_captions.h"
#include "settings/data_folder_settle.h"
#include "settings/data_folder_texts.h"
#include "settings/settings_value_messages.h"
#include "storage/app_state.h"
#include "storage/cp932_codec.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/moved_folder.h"
#include "storage/paths.h"
#include "storage/settings_files.h"
#include "storage/vocabulary.h"

#include <QFileInfo>

namespace {

// Lines 1..3 of the client settings, kept so that a failed write can be undone in memory.
struct PlacementLines {
    QString dataFolder;
    QString previous;
    QString pending;

    static PlacementLines of(const AppState& state)
    {
        return {state.ClientSettings[ClientLine::DataFolder], state.ClientSettings[ClientLine::PreviousDataFolder],
                state.ClientSettings[ClientLine::TransferPending]};
    }
    void restore(AppState& state) const
    {
        state.ClientSettings[ClientLine::DataFolder] = dataFolder;
        state.ClientSettings[ClientLine::PreviousDataFolder] = previous;
        state.ClientSettings[ClientLine::TransferPending] = pending;
    }
};

// Lines 1..3 as given, written at once; on a failed write the old lines come back and the
// reason is shown. The data folder follows line 1.
bool storePlacement(AppState& state, const QString& dataFolder, const QString& previous, const QString& pending)
{
    const PlacementLines before = PlacementLines::of(state);
    state.ClientSettings[ClientLine::DataFolder] = dataFolder;
    state.ClientSettings[ClientLine::PreviousDataFolder] = previous;
    state.ClientSettings[ClientLine::TransferPending] = pending;
    const IoResult written = WriteClientSettings(state);
    if (!written) {
        before.restore(state);
        state.dialogs.inform(DataFolderText::ErrorTitle, SettingsWriteFailedMessage(written));
        return false;
    }
    state.DataFolder = NormaliseFolder(state.ClientSettings[ClientLine::DataFolder]);
    return true;
}

// Back to the program folder: lines 1 and 2 the client folder, line 3 "0", then everything the
// settings screen shows is read from there. The item number table belongs to the old folder.
bool moveToProgramFolder(AppState& state)
{
    if (!storePlacement(state, state.ClientFolder, state.ClientFolder, QStringLiteral("0")))
        return false;
    state.EditPending = false;
    state.ItemTableLoaded = false;
    ReadSharedSettings(state);
    RebuildColumnCaptions(state);
    ReadVocabularyLists(state);
    return true;
}

} // namespace

QString NormaliseCandidate(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.size() < 2)
        return QString();
    qsizetype end = trimmed.size();
    while (end > 1 && isPathSeparator(trimmed[end - 1]))
        --end;
    return trimmed.left(end) + PathSeparator;
}

bool CanStoreFolder(const QString& folder)
{
    return !folder.contains(u'"') && Cp932::decode(Cp932::encode(folder)) == folder;
}

bool SameFolder(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return a.isEmpty() && b.isEmpty();
    if (NormaliseFolder(a) == NormaliseFolder(b))
        return true;
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

RegisterResult RegisterDataFolder(AppState& state, const QString& typed)
{
    RegisterResult result;
    const QString inUse = state.ClientSettings[ClientLine::DataFolder];
    result.oldFolder = inUse;
    const QString candidate = NormaliseCandidate(FieldText(typed));
    state.EditPending = false;

    if (candidate.isEmpty()) {
        state.dialogs.inform(DataFolderText::ConfirmTitle, EmptyPathMessage());
        result.outcome = RegisterOutcome::EmptyPath;
        result.pathLabel = inUse;
        return result;
    }
    if (!CanStoreFolder(candidate)) {
        state.dialogs.inform(DataFolderText::ConfirmTitle, UnstorablePathMessage(candidate));
        result.outcome = RegisterOutcome::UnstorablePath;
        result.pathLabel = inUse;
        return result;
    }
    if (state.dialogs.ask(DataFolderText::ConfirmTitle, RegisterQuestion(state.DataFolder)) != Dialogs::Answer::Yes) {
        result.outcome = RegisterOutcome::Declined;
        result.pathLabel = inUse;
        return result;
    }
    if (SameFolder(candidate, inUse)) {
        state.dialogs.inform(DataFolderText::ConfirmTitle, SameFolderMessage(state.DataFolder, inUse));
        result.outcome = RegisterOutcome::SameFolder;
        result.pathLabel = inUse;
        return result;
    }
    if (!storePlacement(state, candidate, inUse, QStringLiteral("1"))) {
        result.outcome = RegisterOutcome::WriteFailed;
        result.pathLabel = inUse;
        return result;
    }
    result.outcome = RegisterOutcome::Registered;
    result.pathLabel = candidate;
    return result;
}

bool ReturnToProgramFolder(AppState& state)
{
    const QString question = ReturnToProgramFolderQuestion(state.DataFolder, state.ClientFolder);
    if (state.dialogs.ask(DataFolderText::ConfirmTitle, question) != Dialogs::Answer::Yes)
        return false;
    // The program folder's data were transferred elsewhere and are kept as they were then: using
    // them again is a separate decision, since they part from the transferred data from then on.
    if (const std::optional<QString> movedTo = MovedDataFolder(state.ClientFolder)) {
        if (state.dialogs.askDefaultNo(DataFolderText::ConfirmTitle, UseMovedProgramFolderQuestion(state.ClientFolder, *movedTo))
            != Dialogs::Answer::Yes)
            return false;
        if (const IoResult removed = RemoveMovedMark(state.ClientFolder); !removed) {
            state.dialogs.inform(DataFolderText::ErrorTitle, SettingsWriteFailedMessage(removed));
            return false;
        }
    }
    return moveToProgramFolder(state);
}

bool AskDataFolderRecovery(AppState& state)
{
    if (state.dialogs.ask(DataFolderText::ConfirmTitle, PanelRecoveryQuestion(state.DataFolder)) != Dialogs::Answer::Yes)
        return false;
    return moveToProgramFolder(state);
}

PanelOpening PrepareDataFolderPanel(AppState& state)
{
    return PrepareDataFolderPanel(state, TransferHooks{});
}

PanelOpening PrepareDataFolderPanel(AppState& state, const TransferHooks& hooks)
{
    state.EditPending = false;
    const bool settled = SettleDataFolder(state, hooks) != SettleOutcome::Nothing;
    bool usable = QFileInfo(state.DataFolder).isDir();
    if (usable) {
        // The panel asks its own question, so the general recovery stays silent here.
        const bool suppressed = state.suppressRecovery;
        state.suppressRecovery = true;
        usable = ReadSharedSettings(state) || SharedSettingsInClientFolder(state);
        state.suppressRecovery = suppressed;
    }
    if (usable)
        return settled ? PanelOpening::Recovered : PanelOpening::Ready;
    return AskDataFolderRecovery(state) ? PanelOpening::Recovered : PanelOpening::Unusable;
}
