#include "settings/data_folder_settle.h"

#include "settings/data_folder_registration.h"
#include "settings/data_folder_texts.h"
#include "settings/settings_value_messages.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/moved_folder.h"
#include "storage/settings_files.h"

#include <QFileInfo>

namespace {

bool holdsSharedSettings(const QString& folder)
{
    return QFileInfo::exists(NormaliseFolder(folder) + SettingsFileName::Shared);
}

// A folder registered (line 3 "1") in place of another one that is not the program folder, while
// the registered one holds no shared settings and the other one does: the transfer never came.
SettleOutcome offerPreviousFolder(AppState& state)
{
    const QString inUse = state.ClientSettings[ClientLine::DataFolder];
    const QString previous = state.ClientSettings[ClientLine::PreviousDataFolder];
    if (!ReadFlag(state.ClientSettings[ClientLine::TransferPending]) || inUse.isEmpty() || previous.isEmpty()
        || SameFolder(inUse, previous) || SameFolder(inUse, state.ClientFolder) || SameFolder(previous, state.ClientFolder))
        return SettleOutcome::Nothing;
    if (holdsSharedSettings(inUse) || !holdsSharedSettings(previous))
        return SettleOutcome::Nothing;
    if (state.dialogs.ask(DataFolderText::ConfirmTitle, NoDataYetQuestion(inUse, previous)) != Dialogs::Answer::Yes)
        return SettleOutcome::Nothing;
    const SettingsLines before = state.ClientSettings;
    state.ClientSettings[ClientLine::DataFolder] = previous;
    if (const IoResult written = WriteClientSettings(state); !written) {
        state.ClientSettings = before;
        state.dialogs.inform(DataFolderText::ErrorTitle, SettingsWriteFailedMessage(written));
        return SettleOutcome::Nothing;
    }
    state.DataFolder = NormaliseFolder(previous);
    state.EditPending = false;
    state.ItemTableLoaded = false;
    return SettleOutcome::ReturnedToPrevious;
}

void informIfFailed(AppState& state, const IoResult& io)
{
    if (!io)
        state.dialogs.inform(DataFolderText::ErrorTitle, SettingsWriteFailedMessage(io));
}

} // namespace

SettleOutcome SettleDataFolder(AppState& state, const TransferHooks& hooks)
{
    const QString target = NormaliseFolder(FieldText(state.ClientSettings[ClientLine::TransferTarget]));
    if (target.isEmpty())
        return offerPreviousFolder(state);
    const QString source = NormaliseFolder(state.ClientSettings[ClientLine::DataFolder]);
    state.DataFolder = source;

    const std::optional<QString> movedTo = MovedDataFolder(source);
    if (movedTo && SameFolder(*movedTo, target)) {
        // The old folder was marked: the data are whole in the target.
        const IoResult placed = CompleteTransfer(state, source, target);
        informIfFailed(state, placed);
        state.dialogs.inform(DataFolderText::ConfirmTitle, TransferCompletedLaterMessage(target));
        return SettleOutcome::Completed;
    }
    if (movedTo) {
        // Another transfer moved the old folder's data elsewhere: there is nothing left to copy here.
        informIfFailed(state, GiveUpTransfer(state, source, target));
        state.dialogs.inform(DataFolderText::ConfirmTitle, MovedFolderMessage(*movedTo));
        return SettleOutcome::GivenUp;
    }
    if (state.dialogs.ask(DataFolderText::ConfirmTitle, HalfDoneTransferQuestion(source, target)) == Dialogs::Answer::Yes) {
        informIfFailed(state, GiveUpTransfer(state, source, target));
        state.dialogs.inform(DataFolderText::ConfirmTitle, TransferGivenUpMessage(source));
        return SettleOutcome::GivenUp;
    }
    if (state.dialogs.askDefaultNo(DataFolderText::ConfirmTitle, FinishTransferQuestion(source, target))
        != Dialogs::Answer::Yes)
        return SettleOutcome::Nothing;
    const TransferResult finished = FinishTransfer(state, source, target, hooks);
    return finished.outcome == TransferOutcome::Transferred ? SettleOutcome::Finished : SettleOutcome::NotFinished;
}
