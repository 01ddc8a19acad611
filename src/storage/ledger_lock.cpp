#include "storage/ledger_lock.h"

#include "storage/app_state.h"
#include "storage/moved_folder.h"
#include "storage/paths.h"
#include "storage/rollover_mark.h"

#include <cerrno>

LedgerLock::LedgerLock(AppState& state)
    : m_state(state), m_lock(state.DataFolder + DataFileName::LedgerLock, QStringLiteral("the ledger lock"))
{
}

IoResult LedgerLock::take()
{
    if (const IoResult taken = m_lock.take(); !taken)
        return taken;
    if (!m_lock.takenOverFrom().isEmpty())
        m_state.dialogs.notify(QStringLiteral("確認"), LockTakenOverNotice(QStringLiteral("台帳"), m_lock.takenOverFrom()));
    if (const IoResult moved = RefuseWhenMoved(m_state.DataFolder); !moved) {
        m_lock.release();
        return moved;
    }
    m_settlement = SettleHalfDoneRollover(m_state);
    if (!m_settlement.io) {
        m_lock.release();
        return m_settlement.io;
    }
    return IoResult::success();
}

RolloverSettlement SettleHalfDoneRolloverNow(AppState& state)
{
    IoResult unreadable;
    if (!ReadRolloverMark(state.DataFolder, &unreadable) && unreadable)
        return {};
    LedgerLock lock(state);
    const IoResult taken = lock.take();
    RolloverSettlement settlement = lock.settlement();
    if (!taken && settlement.io) {
        // The lock itself could not be taken. A client that holds it settles the mark itself.
        if (taken.errorCode == EBUSY)
            return {};
        settlement.io = taken;
    }
    return settlement;
}
