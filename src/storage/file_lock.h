#pragma once
// An exclusive lock shared by the clients of one data folder, made for file servers (SMB, NFS) as
// well as local disks:
// - taken by creating the lock folder: a folder creation is decided by the server in one step,
//   for every client (an exclusive file creation is not, through some SMB clients); the folder
//   holds one file, "owner", with the holder's process id, program and host name and a random
//   token that tells this holder's lock from any later one. Nothing of it is kept open (a file
//   server refuses to delete or replace a file that some client holds open);
// - kept fresh while held: a thread of the holder touches the owner file every few seconds, so a
//   lock of a live client is never taken over, however long its work runs;
// - a lock whose owner file stays unchanged for the stale time (its holder's host died or lost
//   the share) is taken over, as is a lock of an ended process on this host at once, and a lock
//   folder without its owner's lines (a client that ended while creating it) after a short
//   while. Staleness is decided by what the waiter sees change on its own clock, never by
//   comparing clocks of two hosts.
// A plain file in the lock's place is the lock of an earlier version of this program, which wrote
// the same lines into the lock file itself: it is waited for and taken over by the same rules.
#include "storage/io_result.h"

#include <QString>
#include <memory>

// The notice of a lock taken over from a client that ended or whose host stopped answering:
// `what` names the data ("台帳"), `owner` is takenOverFrom().
QString LockTakenOverNotice(const QString& what, const QString& owner);

class FileLock {
public:
    // `what` names the lock in a failure's detail ("the ledger lock").
    FileLock(const QString& path, const QString& what);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Waits a while for the lock. A failure names the lock: EBUSY while another client holds it,
    // ELOOP when a link stands in its place, EISDIR for a folder with other things in it,
    // otherwise the error that kept the lock from being made (ENOSPC, EACCES, …).
    IoResult take();
    // Lets other clients in before the end of the scope (for example while a question is shown).
    void release();
    // Touches the owner file now (the holder's thread does so every few seconds anyway). Does
    // nothing when the lock is not held.
    void keepAlive();
    bool isLocked() const;
    QString fileName() const { return m_path; }
    // The owner ("host (pid)") of a stale lock this lock took over in its last take(); empty when
    // it took a free lock.
    const QString& takenOverFrom() const { return m_takenOverFrom; }

    // The owner file inside the lock folder `path`.
    static QString ownerFileOf(const QString& path);
    static inline const QString OwnerFileName = QStringLiteral("owner");

    // How long a lock's owner file may stay unchanged before it counts as left by a dead client, and how
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
