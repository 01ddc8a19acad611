#pragma once
// The one-time transfer of the shared data from the previous data folder (client settings
// line 2) into a new one: the sub-folders, the copies of the word lists, the ledger and the daily
// in/out workbook, then the registration of the new folder and its shared settings. Questions
// and messages go through state.dialogs; the screen supplies the busy pointer and progress.
#include <QString>
#include <QStringList>
#include <functional>

struct AppState;
class QFile;
class QIODevice;

struct TransferHooks {
    // The copies start (true) and end (false): the busy pointer.
    std::function<void(bool busy)> busy;
    // Before each copy: the file's number (1-based), how many there are, its name.
    std::function<void(int step, int steps, const QString& name)> progress;
    // Copies the bytes of the open source into the open target; false on a read or write error.
    // Empty: the ordinary copy. Every copy is checked against the source's size afterwards.
    std::function<bool(QFile& source, QIODevice& target)> copyBytes;
};

enum class TransferOutcome {
    RefusedEmptyTarget,
    RefusedUnstorableTarget,
    RefusedProgramFolder,
    RefusedSameAsSource,
    RefusedMissingTarget,
    Declined,
    Transferred,
};

struct TransferResult {
    TransferOutcome outcome = TransferOutcome::Declined;
    QString source;
    QString target;
    bool copiesAccepted = false;  // the copy question was answered Yes
    bool copyStepFailed = false;  // the copies could not be made at all
    QStringList failedFiles;      // names of the copies that failed, as reported
};

// The files copied before the shared settings are written, in order: the word lists of lists
// 2..6 and the ledger (the daily in/out workbook follows on its own).
QStringList TransferredFileNames();

// Runs the transfer towards the folder of the path label. A target that is the program folder,
// the source itself, empty, missing or not storable in the settings file is refused before anything is created. Otherwise, after
// the user agreed, the location is registered whatever the copies gave; failed copies are
// reported each and leave nothing under the target's name.
TransferResult TransferDataFolder(AppState& state, const QString& pathLabel, const TransferHooks& hooks = {});

// Copies `from` to `to` through a temporary file beside `to` that replaces it only once the
// whole content is written and has the source's size. False when anything fails (the target
// then keeps what it held before).
bool CopyFileVerified(const QString& from, const QString& to,
                      const std::function<bool(QFile& source, QIODevice& target)>& copyBytes = {});
