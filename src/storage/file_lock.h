#pragma once
// An exclusive lock file shared by the clients of one data folder (a QLockFile, which works between
// clients of a file server). A lock held longer than the stale time by a client that cannot be
// asked (another PC) is taken over; a lock file left empty by a client that ended while creating
// it is removed.
#include "storage/io_result.h"

#include <QLockFile>
#include <QString>

class FileLock {
public:
    // `what` names the lock in a failure's detail ("the ledger lock").
    FileLock(const QString& path, const QString& what);
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Waits a while for the lock. A failure names the lock file: EBUSY while another client holds
    // it, ELOOP / EISDIR when a link or a folder stands in its place, otherwise the error that kept
    // the lock file from being written (ENOSPC, EACCES, …).
    IoResult take();
    // Lets other clients in before the end of the scope (for example while a question is shown).
    void release() { m_lock.unlock(); }
    // Marks a lock held for long as still in use: other clients take over a lock whose file has
    // not changed for the stale time. Does nothing when the lock is not held.
    void keepAlive();
    bool isLocked() const { return m_lock.isLocked(); }
    QString fileName() const { return m_lock.fileName(); }

private:
    QLockFile m_lock;
    QString m_what;
};
