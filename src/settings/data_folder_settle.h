#pragma once
// What this client does about its data folder before it works in it, on start-up (after the
// client settings are read) and when the data folder panel opens:
//   - a data transfer of this client that did not end (client settings line 40 names its target):
//     when the old folder is marked as moved to the target, the transfer had ended but for its
//     last steps, which are made now; otherwise the user chooses between giving it up (the client
//     stays on the old folder, which holds the data unchanged) and making it once more; declining
//     both leaves everything as it is (asked again next time);
//   - a registered data folder that holds no data yet while the folder used before does: the user
//     is offered to go back to that folder (rather than to the program folder).
// Questions and messages go through state.dialogs.
#include "settings/data_folder_transfer.h"

struct AppState;

enum class SettleOutcome {
    Nothing,            // nothing to settle, or the user left it as it is
    Completed,          // the transfer's last steps made: the client works in the target
    GivenUp,            // the client works in the old folder
    Finished,           // the transfer made once more, and it ended
    NotFinished,        // the transfer made once more, and it failed again
    ReturnedToPrevious, // back to the data folder used before the registration
};

SettleOutcome SettleDataFolder(AppState& state, const TransferHooks& hooks = {});
