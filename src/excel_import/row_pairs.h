#pragma once
// The item and monthly imports read their workbooks two rows at a time (receipts and issues)
// from a first row on. RowPairs turns the rows a reader hands over into those pairs: a row
// without cells, which the reader does not hand over, arrives as an empty row.
#include "workbook/sheet_row_cells.h"

#include <functional>

class RowPairs {
public:
    // Receives each pair in order; returns false when the pairs end.
    using PairVisitor = std::function<bool(const SheetRowCells& first, const SheetRowCells& second)>;

    RowPairs(int firstRow, PairVisitor visit) : m_next(firstRow), m_visit(std::move(visit)) {}

    // Takes the next row of the sheet (rows before the first row are passed over). False once
    // the pairs ended: the reader may stop.
    bool take(const SheetRowCells& row);
    // After the last row: the last pair when its second row had no cells. The pairs after the
    // last row are empty and are not delivered.
    void finish();

private:
    bool deliver(const SheetRowCells& first, const SheetRowCells& second);

    int m_next;               // the first row of the next pair
    bool m_pending = false;   // the first row of the pair at m_next arrived and waits in m_first
    bool m_ended = false;
    SheetRowCells m_first;
    SheetRowCells m_empty;
    PairVisitor m_visit;
};
