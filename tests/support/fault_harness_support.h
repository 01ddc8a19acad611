#pragma once
// Runs the fault worker with the fault-injection layer preloaded and compares the files of a data
// folder with the states before and after the operation.
#include <QByteArray>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

// Every file below a folder: path relative to the folder → content.
using FolderSnapshot = QMap<QString, QByteArray>;

FolderSnapshot TakeSnapshot(const QString& folder);
// Replaces everything in `folder` by a copy of `from`.
void CopyFolder(const QString& from, const QString& folder);

struct AppState;

struct WorkerRun {
    bool killed = false;  // ended by SIGKILL
    int exitCode = -1;
    long calls = -1;      // watched calls counted (normal exit only)
    QString out;          // what the program showed, then "done" or "failed"
};

// Kill: the process dies at call `at`. Fail: call `at` and every later one fail. DiskFull: from
// call `at` on the disk is full (a first write stores part of its bytes, later ones fail).
enum class FaultMode { Count, Kill, Fail, DiskFull };

// tev-fault-op-worker FOLDER OPERATION [extra] with the layer watching FOLDER. `at` is the call
// that is killed or fails; `errnoName` "ENOSPC" or "EACCES" for FaultMode::Fail.
WorkerRun RunFaultWorker(const QString& folder, const QString& operation, FaultMode mode = FaultMode::Count,
                         long at = 0, const QString& errnoName = QString(),
                         const QStringList& extra = QStringList());

// The same for any worker of build/bin (`program`, e.g. "tev-transfer-worker") with its arguments,
// the layer watching `watched`.
WorkerRun RunWatchedWorker(const QString& program, const QString& watched, const QStringList& args,
                           FaultMode mode = FaultMode::Count, long at = 0, const QString& errnoName = QString());

// The calls to try: all of 1..total when they are few, otherwise `limit` of them spread over the
// range, always with the first and the last.
QList<long> SampleCalls(long total, int limit);

// Files a killed writer may leave behind without harm: the ledger lock, the rewrite file of the
// sort and the temporary file of a replacement ("NAME.XXXXXX" beside NAME).
bool IsHarmlessLeftover(const QString& relativePath, const FolderSnapshot& before, const FolderSnapshot& after);

// Each file of `now` is as in `before` or as in `after` (or missing where one of them lacks it);
// anything else is described, one line per file. Empty when the folder is consistent.
QStringList CompareWithStates(const FolderSnapshot& now, const FolderSnapshot& before, const FolderSnapshot& after);

// The files of `paths` that differ between `now` and `state`.
QStringList DifferingFiles(const FolderSnapshot& now, const FolderSnapshot& state, const QStringList& paths);

// A new start on the folder works without repair: the settings, the word lists and the ledger
// open, and `tev-cli verify` reports ok. Empty when it does; otherwise what failed.
// What a start does before anything else, on the client folder `folder`: a year rollover left half
// done is finished or undone. Empty when that worked, otherwise why not.
QString SettleAsAStartDoes(const QString& folder);
QString SettleAsAStartDoes(AppState& state);

QString CheckFreshStart(const QString& folder);
