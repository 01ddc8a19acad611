#include "storage/file_replacement.h"

#include "storage/platform_file.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString randomSuffix()
{
    static const char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString suffix(6, QChar());
    for (QChar& c : suffix)
        c = QLatin1Char(Letters[QRandomGenerator::global()->bounded(int(sizeof Letters - 1))]);
    return suffix;
}

int errnoOr(int fallback)
{
    return errno != 0 ? errno : fallback;
}

} // namespace

FileReplacement::FileReplacement(QString path, std::chrono::milliseconds patience)
    : m_path(std::move(path)), m_patience(patience)
{
}

FileReplacement::~FileReplacement()
{
    cancel();
}

IoResult FileReplacement::open()
{
    if (const IoResult link = RefuseSymbolicLink(m_path); !link)
        return link;
    const QFileInfo old(m_path);
    if (old.isDir())
        return IoResult::failure(m_path, EISDIR, QStringLiteral("a folder"));
#ifdef Q_OS_LINUX
    // An unnamed file where the file system offers one: a process killed while writing leaves
    // nothing behind. File servers through FUSE do not, and get the named file below.
    const QByteArray folder = QFile::encodeName(old.absolutePath());
    const int unnamed = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (unnamed >= 0) {
        if (old.exists()) {
            struct stat info {};
            if (::stat(QFile::encodeName(m_path).constData(), &info) == 0)
                (void)::fchmod(unnamed, info.st_mode & 07777);
        }
        if (m_file.open(unnamed, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
            m_unnamed = true;
            return IoResult::success();
        }
        ::close(unnamed);
    }
#endif
    for (int attempt = 0; attempt < 20; ++attempt) {
        m_temporaryPath = m_path + u'.' + randomSuffix();
        m_file.setFileName(m_temporaryPath);
        errno = 0;
        // NewOnly creates exclusively: nothing that stands at the name, a link included, is reached.
        if (m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            if (old.exists())
                m_file.setPermissions(QFile::permissions(m_path)); // a server may refuse; the content matters
            return IoResult::success();
        }
        if (errno != EEXIST) {
            const int error = m_file.error() == QFileDevice::PermissionsError ? EACCES : errnoOr(EIO);
            const IoResult failed = IoResult::failure(m_path, error, m_file.errorString());
            m_temporaryPath.clear();
            return failed;
        }
    }
    m_temporaryPath.clear();
    return IoResult::failure(m_path, EEXIST, QStringLiteral("no free name for the temporary file"));
}

IoResult FileReplacement::write(qint64 offset, const char* data, qint64 size)
{
    const IoResult written = WriteBytesAt(m_file, offset, data, size, false);
    if (!written)
        return IoResult::failure(m_path, written.errorCode, written.detail);
    return written;
}

IoResult FileReplacement::commit()
{
    if (!m_file.isOpen())
        return IoResult::failure(m_path, EBADF, QStringLiteral("the replacement is not open"));
    errno = 0;
    if (!SyncFileToDisk(m_file)) {
        const IoResult failed = IoResult::failure(m_path, errnoOr(EIO), QStringLiteral("the new content was not synced"));
        cancel();
        return failed;
    }
#ifdef Q_OS_LINUX
    if (m_unnamed) {
        const QByteArray handle = "/proc/self/fd/" + QByteArray::number(m_file.handle());
        // A new file gets its name in one step; where a file is (or has come meanwhile), the
        // unnamed file gets a name beside it and then takes its place.
        if (::linkat(AT_FDCWD, handle.constData(), AT_FDCWD, QFile::encodeName(m_path).constData(), AT_SYMLINK_FOLLOW) == 0) {
            m_file.close();
            m_committed = true;
            return IoResult::success();
        }
        if (errno != EEXIST) {
            const IoResult failed = IoResult::failure(m_path, errnoOr(EIO), QStringLiteral("the new content was not named"));
            cancel();
            return failed;
        }
        for (int attempt = 0; attempt < 20 && m_temporaryPath.isEmpty(); ++attempt) {
            const QString name = m_path + u'.' + randomSuffix();
            if (::linkat(AT_FDCWD, handle.constData(), AT_FDCWD, QFile::encodeName(name).constData(), AT_SYMLINK_FOLLOW) == 0)
                m_temporaryPath = name;
            else if (errno != EEXIST)
                break;
        }
        if (m_temporaryPath.isEmpty()) {
            const IoResult failed = IoResult::failure(m_path, errnoOr(EIO), QStringLiteral("the new content was not named"));
            cancel();
            return failed;
        }
    }
#endif
    m_file.close();
    const IoResult placed = ReplaceFileByRename(m_temporaryPath, m_path, m_patience);
    if (!placed) {
        cancel();
        return placed;
    }
    m_committed = true;
    return placed;
}

void FileReplacement::cancel()
{
    if (m_committed)
        return;
    m_file.close();
    if (!m_temporaryPath.isEmpty())
        QFile::remove(m_temporaryPath);
    m_temporaryPath.clear();
}
