#pragma once
// The daily in/out workbook that "入出庫記載" hands to the user: the one in "M在庫資料", or, when
// the folder holds none yet, a new copy of the blank form "原本INP/Mb入出庫月報.xlsx" of the
// program folder; and the writer of that blank form.
#include "workbook/workbook_errors.h"

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

// Writes the blank form at `path`: captions in row 3, 50 pairs of 入庫 / 出庫 rows from row 4 whose
// G sums the day columns H..AL, and the year-month (B) and item number (C) of those rows in the
// text number format, so that a typed "2026/04" or "0012" stays as typed.
WorkbookStatus WriteDailyInOutBlankForm(const QString& path);
