#include "storage/platform_file.h"

#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

bool SyncFileToDisk(QFileDevice& file)
{
    if (!file.flush())
        return false;
#ifdef Q_OS_WIN
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    return FlushFileBuffers(handle) != 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

int LastSystemError()
{
    return errno;
}

namespace {

IoResult relativePathRefused(const QString& path)
{
    return IoResult::failure(path, EINVAL, QStringLiteral("not an absolute path"));
}

// Waits between the tries of a refused rename: short at first (a reader closes the file within
// moments), then longer, until the patience is used up.
class RenameRetry {
public:
    explicit RenameRetry(std::chrono::milliseconds patience) : m_patience(patience) { m_clock.start(); }
    bool waitOnce()
    {
        const qint64 left = m_patience.count() - m_clock.elapsed();
        if (left <= 0)
            return false;
        QThread::msleep(ulong(std::min<qint64>(left, m_pause)));
        m_pause = std::min(m_pause * 2, 500);
        return true;
    }

private:
    std::chrono::milliseconds m_patience;
    QElapsedTimer m_clock;
    int m_pause = 20;
};

} // namespace

#ifdef Q_OS_WIN

IoResult RefuseSymbolicLink(const QString& path)
{
    if (QDir::isRelativePath(path))
        return relativePathRefused(path);
    const QFileInfo info(path);
    if (info.isSymLink() || info.isJunction())
        return IoResult::failure(path, ELOOP, QStringLiteral("a symbolic link"));
    return IoResult::success();
}

IoResult OpenFileNoFollow(QFile& file, const QString& path, QIODevice::OpenMode mode, bool create)
{
    if (const IoResult link = RefuseSymbolicLink(path); !link)
        return link;
    const QFileInfo info(path);
    if (info.isDir())
        return IoResult::failure(path, EISDIR, QStringLiteral("a folder"));
    if (!create && !info.exists())
        return IoResult::failure(path, ENOENT, QStringLiteral("missing"));
    file.setFileName(path);
    if (!file.open(mode | ((mode & QIODevice::WriteOnly) ? QIODevice::Unbuffered : QIODevice::NotOpen)))
        return IoResult::failure(path, file.error() == QFileDevice::PermissionsError ? EACCES : EIO, file.errorString());
    return IoResult::success();
}

IoResult WriteBytesAt(QFileDevice& file, qint64 offset, const char* data, qint64 size, bool sync)
{
    if (!file.seek(offset) || file.write(data, size) != size || !file.flush())
        return IoResult::failure(file.fileName(), GetLastError() == ERROR_DISK_FULL ? ENOSPC : EIO, file.errorString());
    if (sync && !SyncFileToDisk(file))
        return IoResult::failure(file.fileName(), EIO, QStringLiteral("the data could not be synced"));
    return IoResult::success();
}

bool TruncateFileTo(QFileDevice& file, qint64 size)
{
    return file.resize(size) && SyncFileToDisk(file);
}

#else

IoResult RefuseSymbolicLink(const QString& path)
{
    if (QDir::isRelativePath(path))
        return relativePathRefused(path);
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISLNK(info.st_mode))
        return IoResult::failure(path, ELOOP, QStringLiteral("a symbolic link"));
    return IoResult::success();
}

IoResult OpenFileNoFollow(QFile& file, const QString& path, QIODevice::OpenMode mode, bool create)
{
    if (QDir::isRelativePath(path))
        return relativePathRefused(path);
    const bool reads = mode & QIODevice::ReadOnly;
    const bool writes = mode & QIODevice::WriteOnly;
    // A first open with O_NOFOLLOW tells what is at the path; O_NONBLOCK keeps a FIFO there from
    // blocking it (a plain file ignores the flag).
    int flags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | (reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY);
    if (create && writes)
        flags |= O_CREAT;
    if (writes && (mode & QIODevice::Truncate))
        flags |= O_TRUNC;
    const QByteArray name = QFile::encodeName(path);
    int probe;
    do {
        probe = ::open(name.constData(), flags, 0666);
    } while (probe < 0 && errno == EINTR);
    if (probe < 0) {
        const int error = errno == EMLINK ? ELOOP : errno; // BSDs say EMLINK for O_NOFOLLOW
        return IoResult::failure(path, error, QString::fromLocal8Bit(std::strerror(error)));
    }
    struct stat probed {};
    int refusal = 0;
    if (::fstat(probe, &probed) != 0)
        refusal = errno;
    else if (S_ISDIR(probed.st_mode))
        refusal = EISDIR;
    else if (!S_ISREG(probed.st_mode))
        refusal = EINVAL;
    if (refusal != 0) {
        ::close(probe);
        return IoResult::failure(path, refusal, refusal == EINVAL ? QStringLiteral("not a plain file")
                                                                  : QString::fromLocal8Bit(std::strerror(refusal)));
    }
    // The QFile opens the same name and must reach the same file: one swapped for a link in
    // between is refused.
    file.close();
    file.setFileName(path);
    // Writes bypass Qt's buffer (see WriteBytesAt); reads keep it.
    const QIODevice::OpenMode buffering = writes ? QIODevice::Unbuffered : QIODevice::NotOpen;
    const bool opened = file.open((mode & ~QIODevice::Truncate) | buffering);
    struct stat reached {};
    const bool same = opened && ::fstat(file.handle(), &reached) == 0 && reached.st_dev == probed.st_dev
        && reached.st_ino == probed.st_ino;
    ::close(probe);
    if (!opened)
        return IoResult::failure(path, file.error() == QFileDevice::PermissionsError ? EACCES : EIO, file.errorString());
    if (!same) {
        file.close();
        return IoResult::failure(path, ELOOP, QStringLiteral("the file was replaced while it was opened"));
    }
    return IoResult::success();
}

IoResult WriteBytesAt(QFileDevice& file, qint64 offset, const char* data, qint64 size, bool sync)
{
    const int fd = file.handle();
    qint64 done = 0;
    while (done < size) {
        const ssize_t written = ::pwrite(fd, data + done, size_t(size - done), off_t(offset + done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const int error = written < 0 ? errno : ENOSPC;
            return IoResult::failure(file.fileName(), error, QString::fromLocal8Bit(std::strerror(error)));
        }
        done += written;
    }
    if (sync && ::fsync(fd) != 0)
        return IoResult::failure(file.fileName(), errno, QString::fromLocal8Bit(std::strerror(errno)));
    return IoResult::success();
}

bool TruncateFileTo(QFileDevice& file, qint64 size)
{
    int result;
    do {
        result = ::ftruncate(file.handle(), off_t(size));
    } while (result != 0 && errno == EINTR);
    return result == 0 && ::fsync(file.handle()) == 0;
}

#endif

#ifdef Q_OS_WIN

IoResult AppendBlockToFile(const QString& path, const QByteArray& block)
{
    if (const IoResult link = RefuseSymbolicLink(path); !link)
        return link;
    // FILE_APPEND_DATA without FILE_WRITE_DATA makes every write an atomic append.
    const QString native = QDir::toNativeSeparators(path);
    const HANDLE file = CreateFileW(reinterpret_cast<LPCWSTR>(native.utf16()), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return IoResult::failure(path, EACCES, QStringLiteral("cannot open the file for appending"));
    DWORD written = 0;
    const BOOL ok = WriteFile(file, block.constData(), DWORD(block.size()), &written, nullptr);
    const DWORD error = ok ? 0 : GetLastError();
    CloseHandle(file);
    if (!ok || qsizetype(written) != block.size())
        return IoResult::failure(path, error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL ? ENOSPC : EIO,
                                 QStringLiteral("the block was not appended"));
    return IoResult::success();
}

#else

IoResult AppendBlockToFile(const QString& path, const QByteArray& block)
{
    if (QDir::isRelativePath(path))
        return relativePathRefused(path);
    const QByteArray name = QFile::encodeName(path);
    // A symbolic link in the file's place is refused, never followed (ELOOP). No O_APPEND: some
    // file-server clients fail it (and then every later call on the mount); the callers hold the
    // ledger lock, so the end found here stays the end until the block is written.
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
    if (fd < 0)
        return IoResult::failure(path, errno == EMLINK ? ELOOP : errno, QStringLiteral("cannot open the file for appending"));
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return IoResult::failure(path, EINVAL, QStringLiteral("not a plain file"));
    }
    const off_t start = opened.st_size;
    qsizetype done = 0;
    int error = 0;
    while (done < block.size()) {
        const ssize_t written = ::pwrite(fd, block.constData() + done, size_t(block.size() - done), start + off_t(done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            error = written < 0 ? errno : ENOSPC;
            break;
        }
        done += written;
    }
    IoResult result = IoResult::success();
    if (done != block.size()) {
        result = IoResult::failure(path, error, QStringLiteral("the block was not appended"));
        // No half line stays at the end: the file goes back to where the block began.
        if (done > 0)
            (void)::ftruncate(fd, start);
    }
    if (::close(fd) != 0 && result.ok)
        result = IoResult::failure(path, errno, QStringLiteral("the block was not appended"));
    return result;
}

#endif

std::optional<FileIdentity> IdentityOfFile(const QString& path)
{
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return std::nullopt;
#else
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return FileIdentity{quint64(info.st_dev), quint64(info.st_ino)};
#endif
}

#ifdef Q_OS_WIN

IoResult MakeFolderExclusively(const QString& path)
{
    if (QDir::isRelativePath(path))
        return relativePathRefused(path);
    const QString native = QDir::toNativeSeparators(path);
    if (CreateDirectoryW(reinterpret_cast<LPCWSTR>(native.utf16()), nullptr))
        return IoResult::success();
    const DWORD error = GetLastError();
    const int code = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? EEXIST
        : error == ERROR_ACCESS_DENIED                                          ? EACCES
        : error == ERROR_PATH_NOT_FOUND                                         ? ENOENT
        : error == ERROR_DISK_FULL                                              ? ENOSPC
                                                                                : EIO;
    return IoResult::failure(path, code, QStringLiteral("cannot create the folder"));
}

IoResult RemoveEmptyFolder(const QString& path)
{
    const QString native = QDir::toNativeSeparators(path);
    if (RemoveDirectoryW(reinterpret_cast<LPCWSTR>(native.utf16())))
        return IoResult::success();
    const DWORD error = GetLastError();
    const int code = error == ERROR_DIR_NOT_EMPTY ? ENOTEMPTY
        : error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ENOENT
        : error == ERROR_SHARING_VIOLATION                               ? EBUSY
                                                                         : EACCES;
    return IoResult::failure(path, code, QStringLiteral("cannot remove the folder"));
}

IoResult ReplaceFileByRename(const QString& from, const QString& to, std::chrono::milliseconds patience)
{
    const QString nativeFrom = QDir::toNativeSeparators(from);
    const QString nativeTo = QDir::toNativeSeparators(to);
    RenameRetry retry(patience);
    for (;;) {
        if (MoveFileExW(reinterpret_cast<LPCWSTR>(nativeFrom.utf16()), reinterpret_cast<LPCWSTR>(nativeTo.utf16()),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return IoResult::success();
        const DWORD error = GetLastError();
        const bool busy = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
        if (busy && retry.waitOnce())
            continue;
        const int code = error == ERROR_ACCESS_DENIED ? EACCES : busy ? EBUSY : EIO;
        return IoResult::failure(to, code, QStringLiteral("cannot replace the file"));
    }
}

#else

IoResult MakeFolderExclusively(const QString& path)
{
    if (QDir::isRelativePath(path))
        return relativePathRefused(path);
    if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0)
        return IoResult::success();
    const int error = errno;
    return IoResult::failure(path, error, QString::fromLocal8Bit(std::strerror(error)));
}

IoResult RemoveEmptyFolder(const QString& path)
{
    if (::rmdir(QFile::encodeName(path).constData()) == 0)
        return IoResult::success();
    const int error = errno == EEXIST ? ENOTEMPTY : errno;
    return IoResult::failure(path, error, QString::fromLocal8Bit(std::strerror(error)));
}

IoResult ReplaceFileByRename(const QString& from, const QString& to, std::chrono::milliseconds patience)
{
    if (QDir::isRelativePath(from) || QDir::isRelativePath(to))
        return relativePathRefused(QDir::isRelativePath(from) ? from : to);
    const QByteArray fromName = QFile::encodeName(from);
    const QByteArray toName = QFile::encodeName(to);
    RenameRetry retry(patience);
    for (;;) {
        if (::rename(fromName.constData(), toName.constData()) == 0)
            return IoResult::success();
        const int error = errno;
        if (error == EINTR)
            continue;
        // EEXIST is what a rename over a plain file says only when the server holds it open
        // for another client.
        const bool busy = error == EBUSY || error == EEXIST || error == ETXTBSY;
        if (busy && retry.waitOnce())
            continue;
        return IoResult::failure(to, busy ? EBUSY : error,
                                 busy ? QStringLiteral("the file is in use by another client") : QStringLiteral("cannot replace the file"));
    }
}

#endif
