// A file layer for LD_PRELOAD that counts the calls which change files below one directory and
// either kills the process at a chosen call or makes that call and every later one fail.
//
// Environment:
//   TEV_FAULT_DIR         the directory whose files are watched (required; nothing happens without it)
//   TEV_FAULT_KILL_AT=N   call N raises SIGKILL before it is made
//   TEV_FAULT_FAIL_AT=N   call N and all later ones fail with TEV_FAULT_ERRNO (ENOSPC or EACCES)
//   TEV_FAULT_DISK_FULL_AT=N  from call N on the disk is full, as a real one is: the first write
//                         that needs new space stores half its bytes and returns that count, every
//                         later one fails with ENOSPC; overwriting bytes a file already has needs
//                         no space and works, and so do opening, cutting, syncing, renaming and
//                         removing
//   TEV_FAULT_COUNT_FILE  at a normal exit the number of watched calls is written there
//
// Watched calls: opening for writing (open, open64, openat, openat64, creat), write, pwrite,
// pwrite64, writev, pwritev, copy_file_range, sendfile, fsync, fdatasync, ftruncate,
// ftruncate64, rename, renameat, renameat2, link, linkat, unlink, unlinkat, mkdir, mkdirat —
// what QFile, QSaveFile, QTemporaryFile and QLockFile use on Linux.
#ifndef _GNU_SOURCE
#define _GNU_SOURCE
#endif

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

struct Config {
    bool ready = false;
    char dir[PATH_MAX] = {};
    size_t dirLength = 0;
    long killAt = 0;
    long failAt = 0;
    long diskFullAt = 0;
    int failErrno = ENOSPC;
    const char* countFile = nullptr;
};

Config config;
std::atomic<long> calls{0};

template <typename F>
F real(const char* name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

long numberFrom(const char* name)
{
    const char* text = getenv(name);
    return text ? strtol(text, nullptr, 10) : 0;
}

__attribute__((constructor)) void readConfig()
{
    const char* dir = getenv("TEV_FAULT_DIR");
    if (!dir || !*dir)
        return;
    if (!realpath(dir, config.dir))
        snprintf(config.dir, sizeof config.dir, "%s", dir);
    config.dirLength = strlen(config.dir);
    while (config.dirLength > 1 && config.dir[config.dirLength - 1] == '/')
        config.dir[--config.dirLength] = '\0';
    config.killAt = numberFrom("TEV_FAULT_KILL_AT");
    config.failAt = numberFrom("TEV_FAULT_FAIL_AT");
    config.diskFullAt = numberFrom("TEV_FAULT_DISK_FULL_AT");
    const char* code = getenv("TEV_FAULT_ERRNO");
    if (code && strcmp(code, "EACCES") == 0)
        config.failErrno = EACCES;
    else if (code && strcmp(code, "EIO") == 0)
        config.failErrno = EIO;
    config.countFile = getenv("TEV_FAULT_COUNT_FILE");
    config.ready = true;
}

__attribute__((destructor)) void reportCount()
{
    if (!config.ready || !config.countFile)
        return;
    char text[32];
    const int length = snprintf(text, sizeof text, "%ld\n", calls.load());
    auto realOpen = real<int (*)(const char*, int, ...)>("open");
    auto realWrite = real<ssize_t (*)(int, const void*, size_t)>("write");
    const int fd = realOpen(config.countFile, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        realWrite(fd, text, size_t(length));
        close(fd);
    }
}

bool underDir(const char* path)
{
    if (!config.ready || !path)
        return false;
    char absolute[PATH_MAX];
    const char* full = path;
    if (path[0] != '/') {
        if (!getcwd(absolute, sizeof absolute))
            return false;
        const size_t used = strlen(absolute);
        snprintf(absolute + used, sizeof absolute - used, "/%s", path);
        full = absolute;
    }
    return strncmp(full, config.dir, config.dirLength) == 0
        && (full[config.dirLength] == '/' || full[config.dirLength] == '\0');
}

// A path relative to a directory descriptor, made absolute where it can be.
bool underDirAt(int dirfd, const char* path)
{
    if (!path)
        return false;
    if (path[0] == '/' || dirfd == AT_FDCWD)
        return underDir(path);
    char link[64];
    char target[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%d", dirfd);
    const ssize_t length = readlink(link, target, sizeof target - 1);
    if (length <= 0)
        return false;
    target[length] = '\0';
    return underDir(target);
}

bool fdUnderDir(int fd)
{
    if (!config.ready)
        return false;
    char link[64];
    char target[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, target, sizeof target - 1);
    if (length <= 0)
        return false;
    target[length] = '\0';
    return underDir(target);
}

// Counts one watched call. False when the call is to fail (errno is set).
bool pass(bool watched)
{
    if (!watched)
        return true;
    const long n = ++calls;
    if (config.killAt > 0 && n == config.killAt)
        raise(SIGKILL);
    if (config.failAt > 0 && n >= config.failAt) {
        errno = config.failErrno;
        return false;
    }
    return true;
}

// What a write of data does on the full disk: go through, store part of its bytes, or fail.
enum class DataWrite { Whole, Part, None };
std::atomic<bool> partWritten{false};

// Whether writing `count` bytes at `offset` of `fd` (-1: its current position) goes past its end.
bool needsSpace(int fd, off_t offset, size_t count)
{
    struct stat info {};
    if (fstat(fd, &info) != 0)
        return true;
    if (offset < 0)
        offset = lseek(fd, 0, SEEK_CUR);
    return offset < 0 || offset + off_t(count) > info.st_size;
}

DataWrite dataWrite(bool watched, int fd = -1, off_t offset = -1, size_t count = 0)
{
    if (!watched || config.diskFullAt <= 0 || calls.load() < config.diskFullAt)
        return DataWrite::Whole;
    if (fd >= 0 && !needsSpace(fd, offset, count))
        return DataWrite::Whole;
    if (!partWritten.exchange(true))
        return DataWrite::Part;
    errno = ENOSPC;
    return DataWrite::None;
}

// The byte count a write of `count` bytes stores under dataWrite's answer; -1 when none.
ssize_t bytesToWrite(DataWrite what, size_t count)
{
    if (what == DataWrite::None)
        return -1;
    return what == DataWrite::Part ? ssize_t(count > 1 ? count / 2 : count) : ssize_t(count);
}

bool opensForWriting(int flags)
{
    return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
}

mode_t modeArgument(int flags, va_list args)
{
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? mode_t(va_arg(args, int)) : 0;
}

} // namespace

extern "C" {

int open(const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    if (!pass(opensForWriting(flags) && underDir(path)))
        return -1;
    static auto next = real<int (*)(const char*, int, ...)>("open");
    return next(path, flags, mode);
}

int open64(const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    if (!pass(opensForWriting(flags) && underDir(path)))
        return -1;
    static auto next = real<int (*)(const char*, int, ...)>("open64");
    return next(path, flags, mode);
}

int openat(int dirfd, const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    if (!pass(opensForWriting(flags) && underDirAt(dirfd, path)))
        return -1;
    static auto next = real<int (*)(int, const char*, int, ...)>("openat");
    return next(dirfd, path, flags, mode);
}

int openat64(int dirfd, const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    if (!pass(opensForWriting(flags) && underDirAt(dirfd, path)))
        return -1;
    static auto next = real<int (*)(int, const char*, int, ...)>("openat64");
    return next(dirfd, path, flags, mode);
}

int creat(const char* path, mode_t mode)
{
    if (!pass(underDir(path)))
        return -1;
    static auto next = real<int (*)(const char*, mode_t)>("creat");
    return next(path, mode);
}

ssize_t write(int fd, const void* buffer, size_t count)
{
    const bool watched = fdUnderDir(fd);
    if (!pass(watched))
        return -1;
    const ssize_t bytes = bytesToWrite(dataWrite(watched, fd, -1, count), count);
    if (bytes < 0)
        return -1;
    static auto next = real<ssize_t (*)(int, const void*, size_t)>("write");
    return next(fd, buffer, size_t(bytes));
}

ssize_t pwrite(int fd, const void* buffer, size_t count, off_t offset)
{
    const bool watched = fdUnderDir(fd);
    if (!pass(watched))
        return -1;
    const ssize_t bytes = bytesToWrite(dataWrite(watched, fd, offset, count), count);
    if (bytes < 0)
        return -1;
    static auto next = real<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    return next(fd, buffer, size_t(bytes), offset);
}

ssize_t pwrite64(int fd, const void* buffer, size_t count, off64_t offset)
{
    const bool watched = fdUnderDir(fd);
    if (!pass(watched))
        return -1;
    const ssize_t bytes = bytesToWrite(dataWrite(watched, fd, off_t(offset), count), count);
    if (bytes < 0)
        return -1;
    static auto next = real<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64");
    return next(fd, buffer, size_t(bytes), offset);
}

ssize_t writev(int fd, const struct iovec* vector, int count)
{
    const bool watched = fdUnderDir(fd);
    if (!pass(watched) || dataWrite(watched) == DataWrite::None)
        return -1;
    static auto next = real<ssize_t (*)(int, const struct iovec*, int)>("writev");
    return next(fd, vector, count);
}

ssize_t pwritev(int fd, const struct iovec* vector, int count, off_t offset)
{
    const bool watched = fdUnderDir(fd);
    if (!pass(watched) || dataWrite(watched) == DataWrite::None)
        return -1;
    static auto next = real<ssize_t (*)(int, const struct iovec*, int, off_t)>("pwritev");
    return next(fd, vector, count, offset);
}

ssize_t copy_file_range(int in, loff_t* inOffset, int out, loff_t* outOffset, size_t length, unsigned int flags)
{
    const bool watched = fdUnderDir(out);
    if (!pass(watched) || dataWrite(watched) == DataWrite::None)
        return -1;
    static auto next = real<ssize_t (*)(int, loff_t*, int, loff_t*, size_t, unsigned int)>("copy_file_range");
    return next(in, inOffset, out, outOffset, length, flags);
}

ssize_t sendfile(int out, int in, off_t* offset, size_t count)
{
    const bool watched = fdUnderDir(out);
    if (!pass(watched) || dataWrite(watched) == DataWrite::None)
        return -1;
    static auto next = real<ssize_t (*)(int, int, off_t*, size_t)>("sendfile");
    return next(out, in, offset, count);
}

int fsync(int fd)
{
    if (!pass(fdUnderDir(fd)))
        return -1;
    static auto next = real<int (*)(int)>("fsync");
    return next(fd);
}

int fdatasync(int fd)
{
    if (!pass(fdUnderDir(fd)))
        return -1;
    static auto next = real<int (*)(int)>("fdatasync");
    return next(fd);
}

int ftruncate(int fd, off_t length)
{
    if (!pass(fdUnderDir(fd)))
        return -1;
    static auto next = real<int (*)(int, off_t)>("ftruncate");
    return next(fd, length);
}

int ftruncate64(int fd, off64_t length)
{
    if (!pass(fdUnderDir(fd)))
        return -1;
    static auto next = real<int (*)(int, off64_t)>("ftruncate64");
    return next(fd, length);
}

int rename(const char* from, const char* to)
{
    if (!pass(underDir(from) || underDir(to)))
        return -1;
    static auto next = real<int (*)(const char*, const char*)>("rename");
    return next(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to)
{
    if (!pass(underDirAt(fromDir, from) || underDirAt(toDir, to)))
        return -1;
    static auto next = real<int (*)(int, const char*, int, const char*)>("renameat");
    return next(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned int flags)
{
    if (!pass(underDirAt(fromDir, from) || underDirAt(toDir, to)))
        return -1;
    static auto next = real<int (*)(int, const char*, int, const char*, unsigned int)>("renameat2");
    return next(fromDir, from, toDir, to, flags);
}

int link(const char* from, const char* to)
{
    if (!pass(underDir(to)))
        return -1;
    static auto next = real<int (*)(const char*, const char*)>("link");
    return next(from, to);
}

int linkat(int fromDir, const char* from, int toDir, const char* to, int flags)
{
    if (!pass(underDirAt(toDir, to)))
        return -1;
    static auto next = real<int (*)(int, const char*, int, const char*, int)>("linkat");
    return next(fromDir, from, toDir, to, flags);
}

int unlink(const char* path)
{
    if (!pass(underDir(path)))
        return -1;
    static auto next = real<int (*)(const char*)>("unlink");
    return next(path);
}

int unlinkat(int dirfd, const char* path, int flags)
{
    if (!pass(underDirAt(dirfd, path)))
        return -1;
    static auto next = real<int (*)(int, const char*, int)>("unlinkat");
    return next(dirfd, path, flags);
}

int mkdir(const char* path, mode_t mode)
{
    if (!pass(underDir(path)))
        return -1;
    static auto next = real<int (*)(const char*, mode_t)>("mkdir");
    return next(path, mode);
}

int mkdirat(int dirfd, const char* path, mode_t mode)
{
    if (!pass(underDirAt(dirfd, path)))
        return -1;
    static auto next = real<int (*)(int, const char*, mode_t)>("mkdirat");
    return next(dirfd, path, mode);
}

} // extern "C"
