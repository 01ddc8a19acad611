#include "excel_import/row_pairs.h"

bool RowPairs::deliver(const SheetRowCells& first, const SheetRowCells& second)
{
    m_pending = false;
    m_next += 2;
    m_ended = !m_visit(first, second);
    return !m_ended;
}

bool RowPairs::take(const SheetRowCells& row)
{
    if (m_ended)
        return false;
    const int r = row.row();
    if (r < m_next && !m_pending)
        return true;
    if (m_pending) {
        if (r == m_next + 1)
            return deliver(m_first, row);
        m_empty.start(m_next + 1);
        if (!deliver(m_first, m_empty))
            return false;
    }
    // Pairs whose rows both had no cells, up to the pair this row belongs to.
    while (r > m_next + 1) {
        SheetRowCells second;
        m_empty.start(m_next);
        second.start(m_next + 1);
        if (!deliver(m_empty, second))
            return false;
    }
    if (r == m_next) {
        m_first = row;
        m_pending = true;
        return true;
    }
    // The second row of a pair whose first row had no cells.
    m_empty.start(m_next);
    return deliver(m_empty, row);
}

void RowPairs::finish()
{
    if (m_ended)
        return;
    if (m_pending) {
        m_empty.start(m_next + 1);
        deliver(m_first, m_empty);
    }
}
