#pragma once
// A cell or a block of cells of the worksheet, with the calls of the spreadsheet object model:
// Value, ColumnWidth, RowHeight, Font.Size / Font.Bold, Interior.Color, Borders(7..12).LineStyle,
// NumberFormatLocal "@" and hatching.
#include "workbook/cell_format.h"

#include <QString>

class Worksheet;

class SheetRange {
public:
    SheetRange(Worksheet& sheet, int row1, int column1, int row2, int column2, bool wholeSheet = false);

    SheetRange extendedTo(const SheetRange& other) const;

    // Value of the top-left cell, as text.
    QString value() const;
    void setValue(const QString& text);
    void setValue(double number);

    void setColumnWidth(double width);
    void setRowHeight(double height);
    void setFontSize(double size);
    void setFontBold(bool bold);
    void setInteriorColor(long long windowsColour);
    void setHatching(Hatching hatching);
    // Borders(index).LineStyle = style on the block (index 7..12; other indexes are ignored).
    void setBorderLineStyle(int index, int style);
    // NumberFormatLocal = "@".
    void setTextNumberFormat();
    // NumberFormat = code (for example "0.0").
    void setNumberFormat(const char* code);

private:
    void applyToAll(const CellFormat& change);

    Worksheet& m_sheet;
    int m_row1, m_column1, m_row2, m_column2;
    bool m_wholeSheet;
};
