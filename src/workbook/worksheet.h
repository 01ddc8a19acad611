#pragma once
// The first worksheet of a workbook in memory: cell values, the formats the program asks for,
// column widths and row heights. Cells read from a file keep their style and formula; cells the
// program writes get its value. Texts live in one arena, so a sheet of millions of cells stays
// compact.
#include "workbook/cell_format.h"

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A number as a cell's text: its shortest digits in fixed notation ("170", "1200.5", never
// "6e+05", which the readers of number fields would take for text).
QString CellNumberText(double value);

enum class CellKind : uint8_t { Empty, Number, Text, SharedText, Bool, Error, UnreadableFormula };

struct SheetCell {
    int32_t column = 0;
    int32_t style = 0;     // cell format index of the file
    int32_t format = 0;    // CellFormat asked for by the program (0 = none)
    CellKind kind = CellKind::Empty;
    bool formula = false;  // the original formula is kept in the sheet's formula table
    union {
        double number;
        struct {
            uint32_t offset;
            uint32_t length;
        } text;             // arena slice, or text.offset = shared string index
    };
    SheetCell() : number(0) {}
};

struct SheetRow {
    std::vector<SheetCell> cells; // ordered by column
    double height = -1;           // set by the program; -1 keeps the file's
};

struct ColumnSpec {
    int min = 1;
    int max = 1;
    double width = -1;  // -1: none
    int style = -1;     // -1: none
    std::string attributes; // other attributes of the file, kept as written
};

class Worksheet {
public:
    // Values.
    void setText(int row, int column, std::string_view utf8);
    void setText(int row, int column, const QString& text);
    void setNumber(int row, int column, double value);
    void setBool(int row, int column, bool value);
    void setError(int row, int column, std::string_view text);
    void setUnreadableFormula(int row, int column);
    // A formula (without "=") with its cached result.
    void setFormula(int row, int column, std::string_view formula, double cachedResult);
    void clearValue(int row, int column);
    // The value as text: numbers in their shortest decimal form ("170", "1200.5").
    QString text(int row, int column) const;
    CellKind kind(int row, int column) const;
    double number(int row, int column) const;
    bool hasFormula(int row, int column) const;

    // Formats and sizes.
    void applyFormat(int row, int column, const CellFormat& change);
    void setColumnWidth(int column, double width);
    double columnWidth(int column) const; // -1 when not set
    void setRowHeight(int row, double height);
    void setTextFormatEverywhere() { m_textFormatEverywhere = true; }
    bool textFormatEverywhere() const { return m_textFormatEverywhere; }
    CellFormat formatOf(int row, int column) const;

    // Extent: highest used row (0 when empty) and the cell list of a row.
    int lastRow() const { return int(m_rows.size()); }
    const SheetRow* row(int row) const;
    SheetCell* findCell(int row, int column);
    const SheetCell* findCell(int row, int column) const;

    // For the readers and the writer.
    SheetCell& cellAt(int row, int column);
    SheetRow& rowAt(int row);
    std::string_view textOf(const SheetCell& cell) const;
    std::vector<std::string>& sharedStrings() { return m_shared; }
    std::unordered_map<uint64_t, std::string>& formulas() { return m_formulas; }
    const std::unordered_map<uint64_t, std::string>& formulas() const { return m_formulas; }
    std::unordered_map<int, std::string>& rowAttributes() { return m_rowAttributes; }
    const std::unordered_map<int, std::string>& rowAttributes() const { return m_rowAttributes; }
    std::vector<ColumnSpec>& columns() { return m_columns; }
    const std::vector<ColumnSpec>& columns() const { return m_columns; }
    const std::vector<CellFormat>& formats() const { return m_formats; }
    static uint64_t key(int row, int column) { return (uint64_t(row) << 20) | uint64_t(column); }
    void storeText(SheetCell& cell, std::string_view utf8);

private:
    void dropFormula(int row, SheetCell& cell);

    std::vector<SheetRow> m_rows;
    std::string m_arena;
    std::vector<std::string> m_shared;
    std::unordered_map<uint64_t, std::string> m_formulas;
    std::unordered_map<int, std::string> m_rowAttributes;
    std::vector<ColumnSpec> m_columns;
    std::vector<CellFormat> m_formats{CellFormat{}};
    std::unordered_map<std::string, int> m_formatIndex;
    bool m_textFormatEverywhere = false;
};
