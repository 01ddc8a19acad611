#pragma once
// How the imports read a workbook cell into a field: numbers as a spreadsheet program shows
// them, text trimmed, and the cells that hold no value the import may store.
#include <QString>
#include <optional>

class SheetRowCells;

// The number rounded to 15 significant digits, as a spreadsheet program shows it, in the
// shortest plain decimal form: 1320.0000000000002 is "1320", 0.1 + 0.2 is "0.3", 1e20 is
// "100000000000000000000", never an exponent.
QString WorkbookNumberText(double value);

struct ImportCell {
    QString text;        // what the field would hold
    bool unreadable = false; // a formula saved without its result: its value is unknown
    bool error = false;      // an error value (#REF!, #DIV/0!, …); `text` is the value
};

// The cell at `column` of the row as an import reads it.
ImportCell ReadImportCell(const SheetRowCells& row, int column);
