#include "workbook/worksheet.h"

#include "workbook/cell_address.h"

#include <algorithm>
#include <charconv>
#include <cmath>

SheetRow& Worksheet::rowAt(int row)
{
    if (size_t(row) > m_rows.size())
        m_rows.resize(size_t(row));
    return m_rows[size_t(row - 1)];
}

const SheetRow* Worksheet::row(int row) const
{
    if (row < 1 || size_t(row) > m_rows.size())
        return nullptr;
    return &m_rows[size_t(row - 1)];
}

SheetCell& Worksheet::cellAt(int row, int column)
{
    auto& cells = rowAt(row).cells;
    std::vector<SheetCell>::iterator it;
    if (cells.empty() || cells.back().column < column) {
        it = cells.emplace(cells.end());
    } else {
        it = std::lower_bound(cells.begin(), cells.end(), column,
                              [](const SheetCell& c, int col) { return c.column < col; });
        if (it != cells.end() && it->column == column)
            return *it;
        it = cells.insert(it, SheetCell{});
    }
    it->column = column;
    // A new cell takes the format of its column, as a spreadsheet program gives it.
    for (const ColumnSpec& spec : m_columns) {
        if (column >= spec.min && column <= spec.max && spec.style >= 0)
            it->style = spec.style;
    }
    return *it;
}

const SheetCell* Worksheet::findCell(int row, int column) const
{
    const SheetRow* r = this->row(row);
    if (!r)
        return nullptr;
    auto it = std::lower_bound(r->cells.begin(), r->cells.end(), column,
                               [](const SheetCell& c, int col) { return c.column < col; });
    return it != r->cells.end() && it->column == column ? &*it : nullptr;
}

SheetCell* Worksheet::findCell(int row, int column)
{
    return const_cast<SheetCell*>(static_cast<const Worksheet*>(this)->findCell(row, column));
}

void Worksheet::storeText(SheetCell& cell, std::string_view utf8)
{
    cell.kind = CellKind::Text;
    cell.text.offset = uint32_t(m_arena.size());
    cell.text.length = uint32_t(utf8.size());
    m_arena.append(utf8);
}

std::string_view Worksheet::textOf(const SheetCell& cell) const
{
    if (cell.kind == CellKind::SharedText) {
        return cell.text.offset < m_shared.size() ? std::string_view(m_shared[cell.text.offset]) : std::string_view();
    }
    if (cell.kind == CellKind::Text || cell.kind == CellKind::Error)
        return std::string_view(m_arena).substr(cell.text.offset, cell.text.length);
    return {};
}

void Worksheet::dropFormula(int row, SheetCell& cell)
{
    if (cell.formula) {
        m_formulas.erase(key(row, cell.column));
        cell.formula = false;
    }
}

void Worksheet::setText(int row, int column, std::string_view utf8)
{
    SheetCell& cell = cellAt(row, column);
    dropFormula(row, cell);
    storeText(cell, utf8);
}

void Worksheet::setText(int row, int column, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    setText(row, column, std::string_view(utf8.constData(), size_t(utf8.size())));
}

void Worksheet::setNumber(int row, int column, double value)
{
    SheetCell& cell = cellAt(row, column);
    dropFormula(row, cell);
    cell.kind = std::isfinite(value) ? CellKind::Number : CellKind::Empty;
    cell.number = std::isfinite(value) ? value : 0;
}

void Worksheet::setBool(int row, int column, bool value)
{
    SheetCell& cell = cellAt(row, column);
    dropFormula(row, cell);
    cell.kind = CellKind::Bool;
    cell.number = value ? 1 : 0;
}

void Worksheet::setError(int row, int column, std::string_view text)
{
    SheetCell& cell = cellAt(row, column);
    storeText(cell, text);
    cell.kind = CellKind::Error;
}

void Worksheet::setFormula(int row, int column, std::string_view formula, double cachedResult)
{
    SheetCell& cell = cellAt(row, column);
    cell.kind = CellKind::Number;
    cell.number = cachedResult;
    cell.formula = true;
    std::string xml = "<f>";
    for (char c : formula) {
        if (c == '&') xml += "&amp;";
        else if (c == '<') xml += "&lt;";
        else if (c == '>') xml += "&gt;";
        else xml += c;
    }
    m_formulas[key(row, column)] = xml + "</f>";
}

void Worksheet::setUnreadableFormula(int row, int column)
{
    cellAt(row, column).kind = CellKind::UnreadableFormula;
}

void Worksheet::clearValue(int row, int column)
{
    if (SheetCell* cell = findCell(row, column)) {
        dropFormula(row, *cell);
        cell->kind = CellKind::Empty;
    }
}

QString CellNumberText(double value)
{
    // The largest and smallest doubles need a little over 300 digits.
    char digits[400];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
    if (error != std::errc())
        return QString::number(value, 'g', 17);
    return QString::fromLatin1(digits, end - digits);
}

QString Worksheet::text(int row, int column) const
{
    const SheetCell* cell = findCell(row, column);
    if (!cell)
        return {};
    switch (cell->kind) {
    case CellKind::Number:
        return CellNumberText(cell->number);
    case CellKind::Bool:
        return cell->number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case CellKind::Text:
    case CellKind::SharedText:
    case CellKind::Error: {
        const std::string_view t = textOf(*cell);
        return QString::fromUtf8(t.data(), qsizetype(t.size()));
    }
    default:
        return {};
    }
}

CellKind Worksheet::kind(int row, int column) const
{
    const SheetCell* cell = findCell(row, column);
    return cell ? cell->kind : CellKind::Empty;
}

double Worksheet::number(int row, int column) const
{
    const SheetCell* cell = findCell(row, column);
    return cell && (cell->kind == CellKind::Number || cell->kind == CellKind::Bool) ? cell->number : 0;
}

bool Worksheet::hasFormula(int row, int column) const
{
    const SheetCell* cell = findCell(row, column);
    return cell && (cell->formula || cell->kind == CellKind::UnreadableFormula);
}

void Worksheet::applyFormat(int row, int column, const CellFormat& change)
{
    SheetCell& cell = cellAt(row, column);
    CellFormat combined = m_formats[size_t(cell.format)];
    combined.merge(change);
    const std::string k = combined.key();
    auto it = m_formatIndex.find(k);
    if (it == m_formatIndex.end()) {
        it = m_formatIndex.emplace(k, int(m_formats.size())).first;
        m_formats.push_back(combined);
    }
    cell.format = it->second;
}

CellFormat Worksheet::formatOf(int row, int column) const
{
    const SheetCell* cell = findCell(row, column);
    return cell ? m_formats[size_t(cell->format)] : CellFormat{};
}

void Worksheet::setColumnWidth(int column, double width)
{
    // Split the range that holds the column so that only this column changes.
    for (size_t i = 0; i < m_columns.size(); ++i) {
        ColumnSpec spec = m_columns[i];
        if (column < spec.min || column > spec.max)
            continue;
        std::vector<ColumnSpec> parts;
        if (spec.min < column) {
            ColumnSpec before = spec;
            before.max = column - 1;
            parts.push_back(before);
        }
        ColumnSpec self = spec;
        self.min = self.max = column;
        self.width = width;
        parts.push_back(self);
        if (column < spec.max) {
            ColumnSpec after = spec;
            after.min = column + 1;
            parts.push_back(after);
        }
        m_columns.erase(m_columns.begin() + long(i));
        m_columns.insert(m_columns.begin() + long(i), parts.begin(), parts.end());
        return;
    }
    ColumnSpec spec;
    spec.min = spec.max = column;
    spec.width = width;
    auto at = std::lower_bound(m_columns.begin(), m_columns.end(), column,
                               [](const ColumnSpec& s, int col) { return s.max < col; });
    m_columns.insert(at, spec);
}

double Worksheet::columnWidth(int column) const
{
    for (const ColumnSpec& spec : m_columns) {
        if (column >= spec.min && column <= spec.max)
            return spec.width;
    }
    return -1;
}

void Worksheet::setRowHeight(int row, double height)
{
    rowAt(row).height = height;
}
