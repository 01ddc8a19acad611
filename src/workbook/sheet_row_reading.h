#pragma once
// Reading the rows of an import workbook: an Office Open XML workbook is streamed
// (xlsx_row_stream.h) within the limits given; a legacy .xls workbook, bounded by its format,
// is read whole and its rows handed over the same way.
#include "workbook/sheet_row_cells.h"
#include "workbook/workbook_errors.h"
#include "workbook/xlsx_row_stream.h"

#include <QByteArray>
#include <QString>

// The content of the workbook file at `path`: PathNotFound or FileNotFound when missing,
// NotAWorkbook when it is not a file or larger than any workbook, InUse when it cannot be opened.
WorkbookStatus ReadWorkbookFile(const QString& path, QByteArray& bytes);

WorkbookStatus ReadSheetRows(const QString& path, const SheetReadLimits& limits, const SheetRowVisitor& visit);
// The same for the content of a workbook file (`path` is what FreeXL reads a legacy workbook from).
WorkbookStatus ReadSheetRowsFromBytes(QByteArray bytes, const QString& path, const SheetReadLimits& limits,
                                      const SheetRowVisitor& visit);
