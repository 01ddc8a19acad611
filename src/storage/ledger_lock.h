#pragma once
// The exclusive lock beside the ledger that every writer of more than its own record takes:
// appending new items, storing a correction after comparing it with the disk, and replacing the
// whole ledger. Taking it also checks the folder for the marks other clients leave for writers:
// data that have moved to another folder are not written here (EREMCHG, the path names the new
// folder), and a year rollover that did not end is settled first (see rollover_mark.h).
#include "storage/file_lock.h"
#include "storage/io_result.h"
#include "storage/rollover_mark.h"

struct AppState;

class LedgerLock {
public:
    explicit LedgerLock(AppState& state);
    // Waits a while for the lock. A failure names the lock file: EBUSY while another client holds
    // it, otherwise the error that kept the lock file from being written (ENOSPC, EACCES, …); or
    // the moved folder; or the rollover mark that could not be settled. The lock is not held after
    // a failure.
    IoResult take();
    // Lets other clients in before the end of the scope (for example while a question is shown).
    void release() { m_lock.release(); }
    // See FileLock::keepAlive: for a holder that works longer than the stale time.
    void keepAlive() { m_lock.keepAlive(); }
    // What taking the lock did about a rollover that had not ended.
    const RolloverSettlement& settlement() const { return m_settlement; }

private:
    AppState& m_state;
    FileLock m_lock;
    RolloverSettlement m_settlement;
};

// At start-up: when a rollover's mark stands in the data folder, takes the ledger lock (which
// settles it) and releases it again. Kind None when there was nothing to settle.
RolloverSettlement SettleHalfDoneRolloverNow(AppState& state);
