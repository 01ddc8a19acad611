#include "storage/ledger_lock.h"

#include "storage/app_state.h"
#include "storage/paths.h"

#include <cerrno>

namespace {
constexpr int StaleLockMs = 30000;
constexpr int LockWaitMs = 20000;
}

LedgerLock::LedgerLock(const AppState& state) : m_lock(state.DataFolder + DataFileName::LedgerLock)
{
    m_lock.setStaleLockTime(StaleLockMs);
}

IoResult LedgerLock::take()
{
    if (m_lock.tryLock(LockWaitMs))
        return IoResult::success();
    return IoResult::failure(m_lock.fileName(), EBUSY, QStringLiteral("the ledger is in use by another client"));
}
