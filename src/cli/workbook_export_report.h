#pragma once
// How the export commands end: the workbook's path on stdout, or the error report's title and
// text on stderr.
#include "storage/io_result.h"
#include "workbook/workbook_errors.h"

#include <QString>

// `ledger`, when given and not ok, is why the ledger could not be read (told instead of the
// spreadsheet message).
int ReportWorkbookExport(const QString& command, const WorkbookStatus& status, const QString& path,
                         const IoResult* ledger = nullptr);
