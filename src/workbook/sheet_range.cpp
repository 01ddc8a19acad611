#include "workbook/sheet_range.h"

#include "workbook/worksheet.h"

#include <algorithm>

SheetRange::SheetRange(Worksheet& sheet, int row1, int column1, int row2, int column2, bool wholeSheet)
    : m_sheet(sheet), m_row1(std::min(row1, row2)), m_column1(std::min(column1, column2)),
      m_row2(std::max(row1, row2)), m_column2(std::max(column1, column2)), m_wholeSheet(wholeSheet)
{
}

SheetRange SheetRange::extendedTo(const SheetRange& other) const
{
    return SheetRange(m_sheet, std::min(m_row1, other.m_row1), std::min(m_column1, other.m_column1),
                      std::max(m_row2, other.m_row2), std::max(m_column2, other.m_column2));
}

QString SheetRange::value() const
{
    return m_sheet.text(m_row1, m_column1);
}

void SheetRange::setValue(const QString& text)
{
    for (int r = m_row1; r <= m_row2; ++r) {
        for (int c = m_column1; c <= m_column2; ++c) {
            if (text.isEmpty())
                m_sheet.clearValue(r, c);
            else
                m_sheet.setText(r, c, text);
        }
    }
}

void SheetRange::setValue(double number)
{
    for (int r = m_row1; r <= m_row2; ++r) {
        for (int c = m_column1; c <= m_column2; ++c)
            m_sheet.setNumber(r, c, number);
    }
}

void SheetRange::setColumnWidth(double width)
{
    for (int c = m_column1; c <= m_column2; ++c)
        m_sheet.setColumnWidth(c, width);
}

void SheetRange::setRowHeight(double height)
{
    for (int r = m_row1; r <= m_row2; ++r)
        m_sheet.setRowHeight(r, height);
}

void SheetRange::applyToAll(const CellFormat& change)
{
    for (int r = m_row1; r <= m_row2; ++r) {
        for (int c = m_column1; c <= m_column2; ++c)
            m_sheet.applyFormat(r, c, change);
    }
}

void SheetRange::setFontSize(double size)
{
    CellFormat change;
    change.fontSize = size;
    applyToAll(change);
}

void SheetRange::setFontBold(bool bold)
{
    CellFormat change;
    change.bold = bold ? 1 : 0;
    applyToAll(change);
}

void SheetRange::setInteriorColor(long long windowsColour)
{
    CellFormat change;
    change.fillColour = windowsColour & 0xFFFFFF;
    applyToAll(change);
}

void SheetRange::setHatching(Hatching hatching)
{
    CellFormat change;
    change.hatching = hatching;
    applyToAll(change);
}

void SheetRange::setTextNumberFormat()
{
    if (m_wholeSheet) {
        m_sheet.setTextFormatEverywhere();
        return;
    }
    CellFormat change;
    change.textNumberFormat = true;
    applyToAll(change);
}

void SheetRange::setBorderLineStyle(int index, int style)
{
    const int8_t edge = style == LineStyle::None ? CellFormat::NoLine : CellFormat::Thin;
    for (int r = m_row1; r <= m_row2; ++r) {
        for (int c = m_column1; c <= m_column2; ++c) {
            CellFormat change;
            switch (index) {
            case BorderIndex::EdgeLeft:
                if (c == m_column1) change.edges[CellFormat::Left] = edge;
                break;
            case BorderIndex::EdgeTop:
                if (r == m_row1) change.edges[CellFormat::Top] = edge;
                break;
            case BorderIndex::EdgeBottom:
                if (r == m_row2) change.edges[CellFormat::Bottom] = edge;
                break;
            case BorderIndex::EdgeRight:
                if (c == m_column2) change.edges[CellFormat::Right] = edge;
                break;
            case BorderIndex::InsideVertical:
                if (c > m_column1) change.edges[CellFormat::Left] = edge;
                if (c < m_column2) change.edges[CellFormat::Right] = edge;
                break;
            case BorderIndex::InsideHorizontal:
                if (r > m_row1) change.edges[CellFormat::Top] = edge;
                if (r < m_row2) change.edges[CellFormat::Bottom] = edge;
                break;
            default:
                return;
            }
            if (!change.empty())
                m_sheet.applyFormat(r, c, change);
        }
    }
}

void SheetRange::setNumberFormat(const char* code)
{
    CellFormat change;
    change.numberFormat = code;
    applyToAll(change);
}
