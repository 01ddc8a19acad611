#pragma once
// An exclusive lock file shared by the clients of one data folder, made for file servers (SMB,
// NFS) as well as local disks:
// - taken by creating the file exclusively, and never kept open (a file server refuses to delete
//   or replace a file that some client holds open);
// - kept fresh while held: a thread of the holder touches the file every few seconds, so a lock
//   of a live client is never taken over, however long its work runs;
// - a lock whose file stays unchanged for the stale time (its holder's host died or lost the
//   share) is taken over, as is a lock of an ended process on this host at once, and an empty
//   file left by a client that ended while creating it after a short while. Staleness is decided
//   by what the waiter sees change on its own clock, never by comparing clocks of two hosts.
// The file holds the owner's process id, program and host name (as Qt's lock files do), and a
// random token that tells this holder's file from any later one.
#include "storage/io_result.h"

#include <QString>
#include <memory>

class FileLock {
public:
    // `what` names the lock in a failure's detail ("the ledger lock").
    FileLock(const QString& path, const QString& what);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Waits a while for the lock. A failure names the lock file: EBUSY while another client holds
    // it, ELOOP / EISDIR when a link or a folder stands in its place, otherwise the error that kept
    // the lock file from being written (ENOSPC, EACCES, …).
    IoResult take();
    // Lets other clients in before the end of the scope (for example while a question is shown).
    void release();
    // Touches the lock file now (the holder's thread does so every few seconds anyway). Does
    // nothing when the lock is not held.
    void keepAlive();
    bool isLocked() const;
    QString fileName() const { return m_path; }
    // The owner ("host (pid)") of a stale lock this lock took over in its last take(); empty when
    // it took a free lock.
    const QString& takenOverFrom() const { return m_takenOverFrom; }

    // How long a lock file may stay unchanged before it counts as left by a dead client, and how
    // often a holder touches it.
    static constexpr int StaleMs = 15000;
    static constexpr int RefreshMs = 3000;

private:
    struct Refresher;
    QString m_path;
    QString m_what;
    QByteArray m_contents; // what this holder wrote; empty while not held
    QString m_takenOverFrom;
    std::unique_ptr<Refresher> m_refresher;
};
