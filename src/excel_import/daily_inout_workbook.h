#pragma once
// The daily in/out workbook that "入出庫記載" hands to the user: the one in "M在庫資料", or, when
// the folder holds none yet, a new copy of the blank form "原本INP/Mb入出庫月報.xlsx" of the
// program folder.
#include <QString>

struct AppState;

struct DailyWorkbookForEditing {
    QString path;    // the workbook to open
    QString problem; // why there is none (lines joined by CR); empty when `path` is ready
    bool created = false; // copied from the blank form just now
};

DailyWorkbookForEditing PrepareDailyInOutWorkbook(const AppState& state);

// ClientFolder + "原本INP/Mb入出庫月報.xlsx".
QString DailyInOutBlankFormPath(const AppState& state);
