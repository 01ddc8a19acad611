#pragma once
// What the user is told once a workbook output has ended: where the file is and whether a
// spreadsheet program took it. A failure before the file was written is ExcelErrorReport's.
#include "workbook/workbook_errors.h"

#include <QString>

class Dialogs;

struct WorkbookOutputNotice {
    QString title;
    QString text;
};

// The file was written and handed to the spreadsheet program.
WorkbookOutputNotice WorkbookWrittenNotice(const QString& path);
// The file is there (`written`: this output has just written it) but no program took it: none is
// registered for workbooks on this computer, or the desktop refused to start it.
WorkbookOutputNotice WorkbookNotOpenedNotice(const QString& path, bool written);

// Shows the one OK box that fits the outcome of an output to `path`: the written notice when it
// succeeded and `written` (a workbook of the user's that was only opened needs no message), the
// not-opened notice when the desktop refused it, ExcelErrorReport for any other failure.
// True when the file is there for the user, whether or not a program opened it.
bool ReportWorkbookOutput(Dialogs& dialogs, const WorkbookStatus& status, const QString& path, bool written = true);
