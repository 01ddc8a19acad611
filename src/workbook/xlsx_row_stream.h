#pragma once
// Reading the first worksheet of an Office Open XML workbook as a stream: the sheet part is
// inflated and parsed in one pass and its rows handed over one at a time, so the time and the
// memory of a read follow the rows the reader keeps, not the size of the sheet. The shared
// strings are read once into one compact table.
#include "workbook/sheet_row_cells.h"
#include "workbook/workbook_errors.h"

class ZipPackage;
struct XlsxParts;

// What a read may take before it is refused as too large (TooLarge, with what was found).
struct SheetReadLimits {
    qint64 maxSheetBytes = 0;  // the uncompressed sheet part, and the shared strings part
    qint64 maxCells = 0;       // cells of the sheet
};

// A formula saved without its result is UnreadableFormula; shared strings become Text and the
// text escapes are decoded. Rows whose numbers do not ascend, cells outside the sheet or in
// another row than their own, a DOCTYPE and malformed XML are NotAWorkbook.
WorkbookStatus StreamXlsxRows(const ZipPackage& package, const XlsxParts& parts, const SheetReadLimits& limits,
                              const SheetRowVisitor& visit);
