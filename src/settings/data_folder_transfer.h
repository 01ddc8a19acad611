#pragma once
// The one-time transfer of the shared data from the previous data folder (client settings line 2)
// into a new one, with the other clients of the old folder at work.
//
// The transfer stops the other clients (the stop of all clients in the old folder's shared
// settings), takes the old folder's ledger lock and settings lock (nobody appends, corrects or
// stores a word list meanwhile) and the new folder's locks, and writes every copy beside its place
// in the new folder, synced and read back against its source. Only when every copy is whole do
// the copies take their places; then the old folder is marked as moved (every writer reads that
// mark under its lock and refuses: nothing is written there afterwards), the locks and the stop
// are released and, last of all, this client's settings switch to the new folder. Until then the
// client keeps the old folder as its data folder and notes the new one in client settings line 40,
// so that a transfer that did not end is finished or given up on the next start (see
// data_folder_settle.h) instead of leaving the client on a half-filled folder.
//
// A new folder that already holds a ledger is registered without copying unless the user
// confirms, separately, that its data are to be replaced; the replaced files are kept as dated
// copies in its "M在庫台帳" folder. Questions and messages go through state.dialogs, never while
// a lock is held or the copies are running; the screen supplies the busy pointer and progress.
#include "settings/data_folder_texts.h"
#include "storage/io_result.h"

#include <QString>
#include <QStringList>
#include <functional>

struct AppState;
class QFile;
class QIODevice;

struct TransferHooks {
    // The copies start (true) and end (false): the busy pointer and the progress. Every message
    // of the transfer comes after busy(false).
    std::function<void(bool busy)> busy;
    // Before each copy: the file's number (1-based), how many there are, its name.
    std::function<void(int step, int steps, const QString& name)> progress;
    // Copies the bytes of the open source into the open target; false on a read or write error.
    // Empty: the ordinary copy. Every copy is read back and compared with its source afterwards.
    std::function<bool(QFile& source, QIODevice& target)> copyBytes;
};

enum class TransferOutcome {
    RefusedEmptyTarget,
    RefusedUnstorableTarget,
    RefusedProgramFolder,
    RefusedSameAsSource,
    RefusedMissingTarget,
    Declined,
    Transferred,           // the data are in the target; the client works there
    RegisteredWithoutCopy, // the target is registered as it is; nothing was copied
    NotTransferred,        // the copies could not all be made: the client stays on the source
};

struct TransferResult {
    TransferOutcome outcome = TransferOutcome::Declined;
    QString source;
    QString target;
    bool copiesAccepted = false; // the copies were agreed to (the copy or the replace question)
    QStringList failedFiles;     // names of the copies that failed, as reported
    QStringList keptCopies;      // the dated copies of the target's replaced files
    IoResult failure;            // what kept the transfer from starting (a busy lock, a stopped write)
    bool copiesPending = false;  // some copies took their places, the old folder is not marked yet
};

// The word lists of lists 2..6 and the ledger: the files every data folder holds.
QStringList TransferredFileNames();

// What the ledger file of `folder` holds: whether there is one, its item count and its time.
LedgerFacts ReadLedgerFacts(const QString& folder);

// Runs the transfer towards the folder of the path label. A target that is the program folder,
// the source itself, empty, missing or not storable in the settings file is refused before
// anything is created.
TransferResult TransferDataFolder(AppState& state, const QString& pathLabel, const TransferHooks& hooks = {});

// The transfer from `source` into `target` once more, without its questions: for a transfer
// that did not end. The target's files are kept as dated copies unless the transfer's own mark
// says they are copies already. Reports as the transfer does.
TransferResult FinishTransfer(AppState& state, const QString& source, const QString& target,
                              const TransferHooks& hooks = {});

// Gives up a transfer that did not end: its copies that did not take their places are removed
// from the target, the stop it set in the source is released and the client stays on the source.
// Copies that had taken their places stay, with the transfer's mark: a later transfer from the
// same source replaces them without asking, as its own.
IoResult GiveUpTransfer(AppState& state, const QString& source, const QString& target);

// The steps after the old folder was marked as moved to `target`: the stop in the old folder
// released, the target's mark removed, and this client switched to the target.
IoResult CompleteTransfer(AppState& state, const QString& source, const QString& target);
