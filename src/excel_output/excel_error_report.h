#pragma once
// The one message box for a failed workbook output, chosen by the error number of the
// spreadsheet layer.
#include <QString>

class Dialogs;

struct ExcelErrorMessage {
    QString title;
    QString text;
};

// The title and text for an error number; numbers outside the known set (negative ones
// included) get the settings message.
ExcelErrorMessage ExcelErrorText(int errorNumber);
// Shows ExcelErrorText(errorNumber) in an OK box.
void ExcelErrorReport(Dialogs& dialogs, int errorNumber);
