#pragma once
// The import folder as the folder panel chooses it: the folder path with exactly one trailing
// separator, the workbooks it holds, the places offered as drives, and "登　録".
#include "storage/io_result.h"

#include <QList>
#include <QString>
#include <QStringList>

struct AppState;

// A folder picked in the folder list as the import folder: native separators, trailing
// separators replaced by exactly one. Empty for an empty path.
QString ChosenImportFolder(const QString& path);

// The names of the workbooks ("*.xls", "*.xlsx", any case) in `folder`, sorted.
QStringList ImportWorkbookNames(const QString& folder);

// A mounted volume as the drive list sees it.
struct MountedVolume {
    QString rootPath;
    QString fileSystemType;
    bool ready = true;
};
// The places the drive list offers: the home folder first, then the ready volumes that hold
// files (system pseudo file systems left out), each once.
QStringList ImportDriveRoots(const QList<MountedVolume>& volumes, const QString& homeFolder);
// The same for the volumes mounted on this computer.
QStringList ImportDriveRoots();

enum class StoreFolderOutcome { Stored, NotSet, WriteFailed };
struct StoreFolderResult {
    StoreFolderOutcome outcome = StoreFolderOutcome::Stored;
    IoResult io;
};
// "登　録": the trimmed text of the import folder label becomes shared settings line 10 and the
// shared settings are written; an empty label stores nothing.
StoreFolderResult StoreImportFolder(AppState& state, const QString& labelText);
