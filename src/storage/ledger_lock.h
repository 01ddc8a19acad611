#pragma once
// The exclusive lock beside the ledger that every writer of more than its own record takes:
// appending new items, storing a correction after comparing it with the disk, and replacing the
// whole ledger. A QLockFile works between clients of a file server; a lock held longer than the
// stale time by a client that cannot be asked (another PC) is taken over.
#include "storage/io_result.h"

#include <QLockFile>

struct AppState;

class LedgerLock {
public:
    explicit LedgerLock(const AppState& state);
    // Waits a while for the lock. A failure names the lock file: EBUSY while another client holds
    // it, otherwise the error that kept the lock file from being written (ENOSPC, EACCES, …).
    // A lock file left empty by a client that ended while creating it is removed.
    IoResult take();
    // Lets other clients in before the end of the scope (for example while a question is shown).
    void release() { m_lock.unlock(); }

private:
    QLockFile m_lock;
};
