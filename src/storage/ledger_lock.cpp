#include "storage/ledger_lock.h"

#include "storage/app_state.h"
#include "storage/moved_folder.h"
#include "storage/paths.h"

LedgerLock::LedgerLock(AppState& state)
    : m_state(state), m_lock(state.DataFolder + DataFileName::LedgerLock, QStringLiteral("the ledger lock"))
{
}

IoResult LedgerLock::take()
{
    if (const IoResult taken = m_lock.take(); !taken)
        return taken;
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
