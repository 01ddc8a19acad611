#include "workbook/sheet_row_cells.h"

#include <algorithm>

const RowCell* SheetRowCells::find(int column) const
{
    const auto it = std::lower_bound(m_cells.begin(), m_cells.end(), column,
                                     [](const RowCell& cell, int c) { return cell.column < c; });
    return it != m_cells.end() && it->column == column ? &*it : nullptr;
}

CellKind SheetRowCells::kind(int column) const
{
    const RowCell* cell = find(column);
    return cell ? cell->kind : CellKind::Empty;
}

double SheetRowCells::number(int column) const
{
    const RowCell* cell = find(column);
    return cell && (cell->kind == CellKind::Number || cell->kind == CellKind::Bool) ? cell->number : 0;
}

std::string_view SheetRowCells::utf8(const RowCell& cell) const
{
    return std::string_view(m_texts).substr(cell.offset, cell.length);
}

QString SheetRowCells::text(int column) const
{
    const RowCell* cell = find(column);
    if (!cell)
        return {};
    switch (cell->kind) {
    case CellKind::Number:
        return CellNumberText(cell->number);
    case CellKind::Bool:
        return cell->number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case CellKind::Text:
    case CellKind::Error: {
        const std::string_view t = utf8(*cell);
        return QString::fromUtf8(t.data(), qsizetype(t.size()));
    }
    default:
        return {};
    }
}

void SheetRowCells::start(int row)
{
    m_row = row;
    m_cells.clear();
    m_texts.clear();
}

void SheetRowCells::add(int column, CellKind kind, double number, std::string_view utf8)
{
    RowCell cell;
    cell.column = column;
    cell.kind = kind == CellKind::SharedText ? CellKind::Text : kind;
    cell.number = number;
    cell.offset = uint32_t(m_texts.size());
    cell.length = uint32_t(utf8.size());
    m_texts.append(utf8);
    m_cells.push_back(cell);
}

void SheetRowCells::finish()
{
    const auto notAscending = [](const RowCell& a, const RowCell& b) { return a.column >= b.column; };
    if (std::adjacent_find(m_cells.begin(), m_cells.end(), notAscending) == m_cells.end())
        return;
    std::stable_sort(m_cells.begin(), m_cells.end(), [](const RowCell& a, const RowCell& b) { return a.column < b.column; });
    // Of equal columns the last written is the value.
    std::vector<RowCell> kept;
    kept.reserve(m_cells.size());
    for (const RowCell& cell : m_cells) {
        if (!kept.empty() && kept.back().column == cell.column)
            kept.back() = cell;
        else
            kept.push_back(cell);
    }
    m_cells.swap(kept);
}

void VisitWorksheetRows(const Worksheet& sheet, const SheetRowVisitor& visit)
{
    SheetRowCells cells;
    for (int r = 1; r <= sheet.lastRow(); ++r) {
        const SheetRow* row = sheet.row(r);
        if (!row || row->cells.empty())
            continue;
        cells.start(r);
        for (const SheetCell& cell : row->cells) {
            if (cell.kind == CellKind::Empty)
                continue;
            const bool textual = cell.kind == CellKind::Text || cell.kind == CellKind::SharedText || cell.kind == CellKind::Error;
            // An empty text is no value, as the stream of a workbook leaves it out.
            if (textual && cell.kind != CellKind::Error && sheet.textOf(cell).empty())
                continue;
            cells.add(cell.column, cell.kind, textual ? 0 : cell.number, textual ? sheet.textOf(cell) : std::string_view());
        }
        cells.finish();
        if (!cells.cells().empty() && !visit(cells))
            return;
    }
}
