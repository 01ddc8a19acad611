#include "settings/transfer_files.h"

#include "excel_import/import_workbook_path.h"
#include "menu/login_password.h"
#include "settings/data_folder_transfer.h"
#include "settings/mail_address_file.h"
#include "storage/paths.h"
#include "storage/platform_file.h"
#include "storage/settings_lines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {

constexpr qint64 CopyBlock = 1 << 20;

int errnoOr(int fallback)
{
    return errno != 0 ? errno : fallback;
}

QString dailyWorkbookName()
{
    return DataFileName::DocumentsFolder + PathSeparator + ImportWorkbookName::DailyInOut;
}

} // namespace

QList<CarriedFile> CarriedFiles()
{
    QList<CarriedFile> files;
    for (const QString& name : TransferredFileNames())
        files.append({name, name != DataFileName::Ledger});
    for (const QString& name : {DataFileName::ChangeLog, MailAddressFile::Name, LoginPasswordFileName,
                                dailyWorkbookName() + u'x', dailyWorkbookName()})
        files.append({name, false});
    return files;
}

QStringList TransferTargetNames()
{
    QStringList names;
    for (const CarriedFile& file : CarriedFiles())
        names.append(file.name);
    names.append(SettingsFileName::Shared);
    return names;
}

QString TransferCopyPath(const QString& folder, const QString& name)
{
    return folder + name + DataFileName::TransferCopySuffix;
}

bool IsFileOrLink(const QString& path)
{
#ifndef Q_OS_WIN
    // Only "no such file" makes a file absent: a look that fails for a moment on a file server
    // counts it as there, so that its copy fails with the real reason instead of the transfer
    // leaving the file behind.
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return errno != ENOENT && errno != ENOTDIR;
    return S_ISREG(info.st_mode) || S_ISLNK(info.st_mode);
#else
    const QFileInfo info(path);
    return info.isFile() || info.isSymLink();
#endif
}

IoResult CopyChecked(const QString& from, const QString& to, const CopyBytes& copyBytes,
                     const std::function<void()>& tick, bool& differs)
{
    differs = false;
    QFile source;
    if (const IoResult opened = OpenFileNoFollow(source, from, QIODevice::ReadOnly); !opened)
        return opened;
    {
        QFile target;
        if (const IoResult opened = OpenFileNoFollow(target, to, QIODevice::WriteOnly | QIODevice::Truncate, true);
            !opened)
            return opened;
        errno = 0;
        if (copyBytes) {
            if (!copyBytes(source, target))
                return IoResult::failure(to, errnoOr(EIO), QStringLiteral("the copy stopped"));
        } else {
            qint64 offset = 0;
            for (;;) {
                const QByteArray block = source.read(CopyBlock);
                if (block.isEmpty()) {
                    if (source.error() != QFileDevice::NoError)
                        return IoResult::failure(from, errnoOr(EIO), source.errorString());
                    break;
                }
                if (const IoResult written = WriteBytesAt(target, offset, block.constData(), block.size(), false);
                    !written)
                    return written;
                offset += block.size();
                if (tick)
                    tick();
            }
        }
        errno = 0;
        if (!SyncFileToDisk(target))
            return IoResult::failure(to, errnoOr(EIO), QStringLiteral("the copy cannot be synced"));
    }
    QFile written;
    if (const IoResult opened = OpenFileNoFollow(written, to, QIODevice::ReadOnly); !opened)
        return opened;
    if (!source.seek(0))
        return IoResult::failure(from, errnoOr(EIO), source.errorString());
    for (;;) {
        const QByteArray original = source.read(CopyBlock);
        const QByteArray copy = written.read(CopyBlock);
        if (source.error() != QFileDevice::NoError)
            return IoResult::failure(from, errnoOr(EIO), source.errorString());
        if (written.error() != QFileDevice::NoError)
            return IoResult::failure(to, errnoOr(EIO), written.errorString());
        if (original != copy) {
            differs = true;
            return IoResult::failure(to, EIO, QStringLiteral("the copy differs from its source"));
        }
        if (original.isEmpty())
            return IoResult::success();
        if (tick)
            tick();
    }
}

void RemoveTransferCopies(const QString& target)
{
    for (const QString& name : TransferTargetNames())
        QFile::remove(TransferCopyPath(target, name));
    const QDir kept(target + DataFileName::OutputFolder);
    for (const QString& name : kept.entryList({QLatin1Char('*') + ReplacedFileMark + QLatin1Char('*') + DataFileName::TransferCopySuffix},
                                              QDir::Files | QDir::Hidden))
        QFile::remove(kept.filePath(name));
}

