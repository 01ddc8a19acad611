#pragma once
// One worksheet row as the import readers receive it: its cells in column order with their
// values, texts decoded to UTF-8. A row lives only while the reader hands it over, so reading a
// sheet of any length needs the memory of one row.
#include "workbook/worksheet.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct RowCell {
    int column = 0;
    CellKind kind = CellKind::Empty; // never SharedText: shared strings arrive as Text
    double number = 0;               // Number, Bool
    uint32_t offset = 0;             // Text, Error: the slice of the row's texts
    uint32_t length = 0;
};

class SheetRowCells {
public:
    int row() const { return m_row; }
    const std::vector<RowCell>& cells() const { return m_cells; }
    const RowCell* find(int column) const;
    CellKind kind(int column) const;
    double number(int column) const;
    // The value as Worksheet::text gives it: numbers in their shortest decimal form.
    QString text(int column) const;
    std::string_view utf8(const RowCell& cell) const;

    // For the readers.
    void start(int row);
    void add(int column, CellKind kind, double number, std::string_view utf8 = {});
    // Orders the cells by column; of two cells in one column the later one stays, as a
    // spreadsheet program keeps the last value written.
    void finish();

private:
    int m_row = 0;
    std::vector<RowCell> m_cells;
    std::string m_texts;
};

// Receives each row that holds a cell, in ascending row order. Returns false to stop reading.
using SheetRowVisitor = std::function<bool(const SheetRowCells& row)>;

// Hands the rows of an in-memory sheet to `visit` (the legacy .xls path and tests).
void VisitWorksheetRows(const Worksheet& sheet, const SheetRowVisitor& visit);
