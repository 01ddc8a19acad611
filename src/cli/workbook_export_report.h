#pragma once
// How the export commands end: the workbook's path on stdout, or the error report's title and
// text on stderr.
#include "workbook/workbook_errors.h"

#include <QString>

int ReportWorkbookExport(const QString& command, const WorkbookStatus& status, const QString& path);
