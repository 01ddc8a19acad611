#pragma once
// Where this client keeps its data: the candidate path of the data folder panel, registering a
// location (client settings lines 1 to 3), the return to the program folder and the recovery
// of a data folder that cannot be used. Questions and messages go through state.dialogs.
#include <QString>

struct AppState;
struct TransferHooks;

// A path typed or browsed as candidate: trimmed; shorter than 2 characters gives an empty
// candidate; otherwise the separators at its end (never its first character) are replaced by
// exactly one.
QString NormaliseCandidate(const QString& text);

// A folder the client settings file can hold as it is: no double quote (the file's quote) and
// only characters of the file's code page, so that the same path is read back.
bool CanStoreFolder(const QString& folder);

// Two spellings of one folder: equal once normalised, or the same folder on the disk.
bool SameFolder(const QString& a, const QString& b);

enum class RegisterOutcome { Registered, Declined, SameFolder, EmptyPath, UnstorablePath, WriteFailed };
struct RegisterResult {
    RegisterOutcome outcome = RegisterOutcome::Declined;
    QString pathLabel; // what the path label shows afterwards
    QString oldFolder; // the old-folder label: the data folder in use before
};

// Registers the typed location as this client's data folder after a question: line 1 the new
// folder, line 2 the folder in use before (the source of the transfer still to come), line 3
// "1". An empty path, a path the settings file cannot hold and the folder already in use are
// refused with a message; nothing is copied. A client settings file that cannot be written changes nothing.
RegisterResult RegisterDataFolder(AppState& state, const QString& typed);

// Asks whether to go back to the program folder as data folder; on Yes lines 1 and 2 become the
// client folder, line 3 "0", and the shared settings, captions and word lists of the program
// folder are read. No file is copied. True when the user agreed.
bool ReturnToProgramFolder(AppState& state);

// The panel's recovery question for a data folder that is missing or holds no readable shared
// settings; on Yes the same return to the program folder without the question. True on Yes.
bool AskDataFolderRecovery(AppState& state);

enum class PanelOpening { Ready, Recovered, Unusable };
// What the data folder panel does when it opens: settles a transfer that did not end (see
// data_folder_settle.h; `hooks` for the copies it may make), reads the shared settings; a data
// folder that does not exist or whose shared settings cannot be read leads to the recovery
// question. Recovered: the data folder changed.
PanelOpening PrepareDataFolderPanel(AppState& state, const TransferHooks& hooks);
PanelOpening PrepareDataFolderPanel(AppState& state);
