#include "storage/platform_file.h"

#include <QDir>
#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

bool SyncFileToDisk(QFile& file)
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

#ifdef Q_OS_WIN

IoResult AppendBlockToFile(const QString& path, const QByteArray& block)
{
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
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return IoResult::failure(path, errno, QStringLiteral("cannot open the file for appending"));
    ssize_t written;
    do {
        written = ::write(fd, block.constData(), size_t(block.size()));
    } while (written < 0 && errno == EINTR);
    IoResult result = IoResult::success();
    if (written != ssize_t(block.size())) {
        const int error = written < 0 ? errno : ENOSPC;
        result = IoResult::failure(path, error, QStringLiteral("the block was not appended"));
        if (written > 0) {
            // The end of our part is the file's end unless another block followed it.
            const off_t end = ::lseek(fd, 0, SEEK_CUR);
            struct stat info {};
            if (end >= written && ::fstat(fd, &info) == 0 && info.st_size == end)
                (void)::ftruncate(fd, end - written);
        }
    }
    if (::close(fd) != 0 && result.ok)
        result = IoResult::failure(path, errno, QStringLiteral("the block was not appended"));
    return result;
}

#endif
