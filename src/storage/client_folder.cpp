#include "storage/client_folder.h"

#include "storage/paths.h"
#include "storage/quoted_text_file.h"
#include "storage/settings_files.h"
#include "storage/settings_lines.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>

namespace {

// Copies every folder and file below `from` to the same place below `to` where it does not exist yet.
IoResult copyMissing(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    const QDir source(from);
    while (it.hasNext()) {
        const QString entry = it.next();
        const QString target = QDir(to).filePath(source.relativeFilePath(entry));
        if (QFileInfo::exists(target))
            continue;
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(target))
                return IoResult::failure(target, errno ? errno : EACCES, QStringLiteral("cannot create folder"));
            continue;
        }
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(entry, target))
            return IoResult::failure(target, errno ? errno : EIO, QStringLiteral("copy failed"));
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
    }
    return IoResult::success();
}

} // namespace

QString ResolveClientFolder(const QString& override, const QString& executableFolder)
{
    QString folder;
    if (!override.isEmpty())
        folder = override;
    else if (QFileInfo::exists(QDir(executableFolder).filePath(SettingsFileName::Client)))
        folder = executableFolder;
    else
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return NormaliseFolder(QDir::toNativeSeparators(QFileInfo(folder).absoluteFilePath()));
}

QString FindResourcesFolder(const QString& executableFolder)
{
    const QStringList candidates = {
        QDir(executableFolder).filePath(QStringLiteral("resources")),
        QDir(executableFolder).filePath(QStringLiteral("../share/tev-inventory/resources")),
    };
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isDir())
            return QDir(candidate).absolutePath();
    return {};
}

QString FiscalYearStartMonth(const QDate& today)
{
    const int year = today.month() >= 4 ? today.year() : today.year() - 1;
    return QStringLiteral("%1/04").arg(year, 4, 10, QChar(u'0'));
}

IoResult SeedClientFolder(const QString& clientFolder, const QString& resourcesFolder, const QDate& today)
{
    if (!QDir().mkpath(clientFolder))
        return IoResult::failure(clientFolder, errno ? errno : EACCES, QStringLiteral("cannot create folder"));

    const QString sharedPath = clientFolder + SettingsFileName::Shared;
    const bool sharedExisted = QFileInfo::exists(sharedPath);
    if (!resourcesFolder.isEmpty()) {
        if (IoResult copied = copyMissing(resourcesFolder, clientFolder); !copied)
            return copied;
    }
    if (!sharedExisted && QFileInfo::exists(sharedPath)) {
        SettingsLines shared;
        ReadSettingsFile(sharedPath, shared);
        if (shared[SharedLine::StartMonth].isEmpty()) {
            shared[SharedLine::StartMonth] = FiscalYearStartMonth(today);
            if (IoResult written = WriteSettingsFile(sharedPath, shared); !written)
                return written;
        }
    }

    const QString clientPath = clientFolder + SettingsFileName::Client;
    if (!QFileInfo::exists(clientPath)) {
        SettingsLines client;
        client[ClientLine::DataFolder] = clientFolder;
        client[ClientLine::PreviousDataFolder] = clientFolder;
        client[ClientLine::TransferPending] = QStringLiteral("0");
        client[ClientLine::LogoOffset] = QStringLiteral("20");
        client[ClientLine::TemplatePlacement] = QStringLiteral("1");
        return WriteSettingsFile(clientPath, client);
    }
    return IoResult::success();
}
