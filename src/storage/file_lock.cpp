#include "storage/file_lock.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace {
constexpr int StaleLockMs = 30000;
constexpr int LockWaitMs = 20000;
constexpr int PollMs = 250;
// A client writes its lock file's contents right after creating it; a lock file that stays
// empty this long belongs to a client that ended in between and would block everyone until the
// stale time.
constexpr int AbandonedLockMs = 2000;
}

FileLock::FileLock(const QString& path, const QString& what) : m_lock(path), m_what(what)
{
    m_lock.setStaleLockTime(StaleLockMs);
}

IoResult FileLock::take()
{
    // A folder or a link in the lock file's place is never another client's lock: it would keep
    // every writer waiting for good. Say what is there instead.
    const QFileInfo place(m_lock.fileName());
    if (place.isSymLink())
        return IoResult::failure(m_lock.fileName(), ELOOP, m_what + QStringLiteral(" is a symbolic link"));
    if (place.isDir())
        return IoResult::failure(m_lock.fileName(), EISDIR, m_what + QStringLiteral(" is a folder"));
    QElapsedTimer waited;
    waited.start();
    QElapsedTimer seenEmpty; // running while the lock file has been seen empty
    for (;;) {
        errno = 0;
        if (m_lock.tryLock(PollMs))
            return IoResult::success();
        const int code = errno;
        if (m_lock.error() != QLockFile::LockFailedError) {
            // The lock file cannot be created or written: a full disk or a folder without write
            // permission, not another client. The clean-up after a failed write may have
            // overwritten errno; only a code that can explain the failure is kept.
            const bool telling = code == ENOSPC || code == EDQUOT || code == EACCES || code == EPERM
                || code == EROFS || code == EIO;
            const int reason = telling ? code : (m_lock.error() == QLockFile::PermissionError ? EACCES : EIO);
            return IoResult::failure(m_lock.fileName(), reason, m_what + QStringLiteral(" cannot be created"));
        }
        const QFileInfo info(m_lock.fileName());
        if (info.exists() && info.size() == 0) {
            if (!seenEmpty.isValid()) {
                seenEmpty.start();
            } else if (seenEmpty.elapsed() >= AbandonedLockMs) {
                QFile::remove(m_lock.fileName());
                seenEmpty.invalidate();
                continue;
            }
        } else {
            seenEmpty.invalidate();
        }
        if (waited.elapsed() >= LockWaitMs)
            return IoResult::failure(m_lock.fileName(), EBUSY, m_what + QStringLiteral(" is held by another client"));
    }
}

void FileLock::keepAlive()
{
    if (!m_lock.isLocked())
        return;
    // Opened without truncating: the owner's details in the file stay as they are. Where the
    // system refuses a second handle on the lock file the time stays; nothing else is at stake.
    QFile file(m_lock.fileName());
    if (file.open(QIODevice::ReadWrite))
        file.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
}
