#include "storage/share_check.h"

#include "storage/file_lock.h"
#include "storage/file_replacement.h"
#include "storage/platform_file.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <cerrno>
#include <cstring>

namespace {

QString reason(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeWhole(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() && file.flush();
}

class Checker {
public:
    explicit Checker(const QString& scratch) : m_scratch(scratch) {}

    ShareCheckStep folderCreate()
    {
        const QString path = at(QStringLiteral("folder"));
        const IoResult first = MakeFolderExclusively(path);
        if (!first)
            return step(QStringLiteral("exclusive folder creation"), false, QStringLiteral("mkdir failed: %1").arg(reason(first.errorCode)));
        const IoResult second = MakeFolderExclusively(path);
        RemoveEmptyFolder(path);
        if (second || second.errorCode != EEXIST)
            return step(QStringLiteral("exclusive folder creation"), false, QStringLiteral("a second mkdir of the same folder was not refused"));
        return step(QStringLiteral("exclusive folder creation"), true, QStringLiteral("a second creation is refused (the locks rely on it)"));
    }

    ShareCheckStep lock()
    {
        const QString path = at(QStringLiteral("check.lck"));
        FileLock lock(path, QStringLiteral("the check lock"));
        if (const IoResult taken = lock.take(); !taken)
            return step(QStringLiteral("lock"), false, QStringLiteral("cannot be taken: %1").arg(reason(taken.errorCode)));
        const QString owner = FileLock::ownerFileOf(path);
        // Waiters judge a lock by whether its owner file changes: an old time must be seen to
        // become new when the holder touches it.
        {
            QFile file(owner);
            if (!file.open(QIODevice::ReadWrite)
                || !file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-600), QFileDevice::FileModificationTime))
                return step(QStringLiteral("lock"), false, QStringLiteral("the owner file's time cannot be set"));
        }
        lock.keepAlive();
        const qint64 age = QFileInfo(owner).lastModified().secsTo(QDateTime::currentDateTime());
        lock.release();
        if (age > 60)
            return step(QStringLiteral("lock"), false, QStringLiteral("touching the owner file does not change its time as seen"));
        if (QFileInfo::exists(path))
            return step(QStringLiteral("lock"), false, QStringLiteral("the lock stays after its release"));
        return step(QStringLiteral("lock"), true, QStringLiteral("taken, kept fresh and released"));
    }

    ShareCheckStep writeInPlace()
    {
        const QString path = at(QStringLiteral("records.dat"));
        if (!writeWhole(path, "AAAABBBB"))
            return step(QStringLiteral("write in place"), false, QStringLiteral("cannot write a file"));
        QFile file;
        if (const IoResult opened = OpenFileNoFollow(file, path, QIODevice::ReadWrite); !opened)
            return step(QStringLiteral("write in place"), false, reason(opened.errorCode));
        const IoResult written = WriteBytesAt(file, 4, "CCCC", 4, true);
        file.close();
        if (!written)
            return step(QStringLiteral("write in place"), false, QStringLiteral("write or sync failed: %1").arg(reason(written.errorCode)));
        if (contentOf(path) != "AAAACCCC")
            return step(QStringLiteral("write in place"), false, QStringLiteral("the bytes read back differ"));
        return step(QStringLiteral("write in place"), true, QStringLiteral("written at an offset and synced"));
    }

    ShareCheckStep append()
    {
        const QString path = at(QStringLiteral("log.log"));
        const IoResult first = AppendBlockToFile(path, "one\r\n");
        const IoResult second = first ? AppendBlockToFile(path, "two\r\n") : first;
        if (!second)
            return step(QStringLiteral("append"), false, reason(second.errorCode));
        if (contentOf(path) != "one\r\ntwo\r\n")
            return step(QStringLiteral("append"), false, QStringLiteral("the lines read back differ"));
        return step(QStringLiteral("append"), true, QStringLiteral("at the end offset, without O_APPEND"));
    }

    ShareCheckStep renameOverClosed()
    {
        const QString target = at(QStringLiteral("target.dat"));
        const QString source = at(QStringLiteral("source.dat"));
        if (!writeWhole(target, "old") || !writeWhole(source, "new"))
            return step(QStringLiteral("rename over a closed file"), false, QStringLiteral("cannot write a file"));
        const IoResult renamed = ReplaceFileByRename(source, target, std::chrono::milliseconds(0));
        if (!renamed)
            return step(QStringLiteral("rename over a closed file"), false, reason(renamed.errorCode));
        if (contentOf(target) != "new")
            return step(QStringLiteral("rename over a closed file"), false, QStringLiteral("the file read back is not the new one"));
        return step(QStringLiteral("rename over a closed file"), true, QStringLiteral("whole-file replacements work"));
    }

    ShareCheckStep renameOverOpen()
    {
        const QString target = at(QStringLiteral("open.dat"));
        const QString source = at(QStringLiteral("next.dat"));
        if (!writeWhole(target, "old") || !writeWhole(source, "new"))
            return info(QStringLiteral("rename over an open file"), false, QStringLiteral("cannot write a file"));
        QFile reader(target);
        reader.open(QIODevice::ReadOnly);
        const IoResult renamed = ReplaceFileByRename(source, target, std::chrono::milliseconds(0));
        reader.close();
        if (renamed)
            return info(QStringLiteral("rename over an open file"), true, QStringLiteral("readers keep their view"));
        return info(QStringLiteral("rename over an open file"), false,
                    QStringLiteral("refused while a reader has the file open (%1): a replacement waits up to %2 s for "
                                   "the readers")
                        .arg(reason(renamed.errorCode))
                        .arg(FileReplacement::DefaultPatience.count() / 1000));
    }

    ShareCheckStep removeOpen()
    {
        const QString path = at(QStringLiteral("held.dat"));
        if (!writeWhole(path, "x"))
            return info(QStringLiteral("remove an open file"), false, QStringLiteral("cannot write a file"));
        QFile reader(path);
        reader.open(QIODevice::ReadOnly);
        const bool removed = QFile::remove(path);
        reader.close();
        if (!removed)
            QFile::remove(path);
        return info(QStringLiteral("remove an open file"), removed,
                    removed ? QStringLiteral("works") : QStringLiteral("refused while open: a lock is never kept open"));
    }

    ShareCheckStep exclusiveFile()
    {
        const QString path = at(QStringLiteral("excl.dat"));
        QFile first(path);
        const bool made = first.open(QIODevice::WriteOnly | QIODevice::NewOnly);
        first.close();
        QFile second(path);
        const bool again = second.open(QIODevice::WriteOnly | QIODevice::NewOnly);
        second.close();
        const bool works = made && !again;
        return info(QStringLiteral("exclusive file creation"), works,
                    works ? QStringLiteral("a second creation is refused on this client (the locks do not rely on it; "
                                           "some SMB clients do not pass it on to the server)")
                          : QStringLiteral("a second creation is not refused (the locks do not rely on it)"));
    }

private:
    QString at(const QString& name) const { return m_scratch + u'/' + name; }
    static ShareCheckStep step(const QString& name, bool works, const QString& detail)
    {
        return {name, works, true, detail};
    }
    static ShareCheckStep info(const QString& name, bool works, const QString& detail)
    {
        return {name, works, false, detail};
    }

    QString m_scratch;
};

// Removes the scratch folder and what the steps left in it.
void removeScratch(const QString& scratch)
{
    QDir dir(scratch);
    if (!QFileInfo(scratch).isSymLink())
        dir.removeRecursively();
}

} // namespace

bool ShareCheckReport::usable() const
{
    for (const ShareCheckStep& step : steps)
        if (step.required && !step.works)
            return false;
    return !steps.isEmpty();
}

ShareCheckReport CheckShare(const QString& folder)
{
    ShareCheckReport report;
    report.scratchFolder = QDir(folder).filePath(QStringLiteral("tev-check-%1-%2")
                                                     .arg(QSysInfo::machineHostName())
                                                     .arg(QCoreApplication::applicationPid()));
    const IoResult made = MakeFolderExclusively(report.scratchFolder);
    if (!made) {
        report.steps.append({QStringLiteral("scratch folder"), false, true,
                             QStringLiteral("cannot be created in the folder: %1").arg(reason(made.errorCode))});
        return report;
    }
    Checker checker(report.scratchFolder);
    report.steps = {checker.folderCreate(), checker.lock(),           checker.writeInPlace(),
                    checker.append(),       checker.renameOverClosed(), checker.renameOverOpen(),
                    checker.removeOpen(),   checker.exclusiveFile()};
    removeScratch(report.scratchFolder);
    return report;
}
