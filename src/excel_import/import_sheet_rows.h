#pragma once
// Reading the rows of an import workbook within the limits of the imports.
#include "workbook/sheet_row_reading.h"

// What the imports read at most. An item workbook of the ledger's capacity (50 009 items, two
// rows each) inflates to about 61 MB in some 3 million cells, a daily workbook of as many items
// to about as much, a list workbook far less; a spreadsheet program that saves one again with
// its own styles makes it larger. A larger sheet is refused before its memory is spent.
inline SheetReadLimits ImportSheetLimits()
{
    return SheetReadLimits{256ll * 1024 * 1024, 10'000'000};
}

inline WorkbookStatus ReadImportRows(const QString& path, const SheetRowVisitor& visit)
{
    return ReadSheetRows(path, ImportSheetLimits(), visit);
}
