#include "excel_import/import_folder_choice.h"

#include "storage/shared_settings_change.h"
#include "storage/app_state.h"
#include "storage/settings_files.h"

#include <QDir>
#include <QSet>
#include <QStorageInfo>

namespace {

// File systems of the kernel and of the system's own bookkeeping: nothing a user keeps
// workbooks in.
bool isSystemFileSystem(const QString& type)
{
    static const QSet<QString> system = {
        QStringLiteral("proc"),      QStringLiteral("sysfs"),     QStringLiteral("devtmpfs"),
        QStringLiteral("devpts"),    QStringLiteral("cgroup"),    QStringLiteral("cgroup2"),
        QStringLiteral("securityfs"), QStringLiteral("pstore"),   QStringLiteral("debugfs"),
        QStringLiteral("tracefs"),   QStringLiteral("mqueue"),    QStringLiteral("hugetlbfs"),
        QStringLiteral("configfs"),  QStringLiteral("fusectl"),   QStringLiteral("bpf"),
        QStringLiteral("autofs"),    QStringLiteral("binfmt_misc"), QStringLiteral("efivarfs"),
        QStringLiteral("nsfs"),      QStringLiteral("squashfs"),
    };
    return system.contains(type);
}

} // namespace

QString ChosenImportFolder(const QString& path)
{
    if (path.isEmpty())
        return {};
    return NormaliseFolder(QDir::toNativeSeparators(path));
}

QStringList ImportWorkbookNames(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    QDir dir(folder);
    return dir.entryList({QStringLiteral("*.xls"), QStringLiteral("*.xlsx")}, QDir::Files | QDir::Readable,
                         QDir::Name | QDir::IgnoreCase);
}

QStringList ImportDriveRoots(const QList<MountedVolume>& volumes, const QString& homeFolder)
{
    QStringList roots;
    auto add = [&roots](const QString& path) {
        const QString folder = ChosenImportFolder(path);
        if (!folder.isEmpty() && !roots.contains(folder))
            roots.append(folder);
    };
    add(homeFolder);
    for (const MountedVolume& volume : volumes)
        if (volume.ready && !isSystemFileSystem(volume.fileSystemType))
            add(volume.rootPath);
    return roots;
}

QStringList ImportDriveRoots()
{
    QList<MountedVolume> volumes;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes())
        if (storage.isValid())
            volumes.append({storage.rootPath(), QString::fromUtf8(storage.fileSystemType()), storage.isReady()});
    return ImportDriveRoots(volumes, QDir::homePath());
}

StoreFolderResult StoreImportFolder(AppState& state, const QString& labelText)
{
    StoreFolderResult result;
    const QString folder = labelText.trimmed();
    if (folder.isEmpty()) {
        result.outcome = StoreFolderOutcome::NotSet;
        return result;
    }
    result.io = ChangeSharedSettings(state, {{SharedLine::ImportFolder, folder}});
    if (!result.io)
        result.outcome = StoreFolderOutcome::WriteFailed;
    return result;
}
