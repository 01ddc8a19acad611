#pragma once
// The list of documents shared by all items, "0共通在庫資料.xlsx" in "M在庫台帳": made once from
// the template with its title, captions and numbered rows; afterwards the user's file is opened
// as it is and never written by the program again.
#include "workbook/workbook_errors.h"

#include <QString>

struct AppState;
class DesktopHandover;
class Workbook;

// The number of numbered rows a new list starts with.
inline constexpr int CommonDocumentRows = 30;

// OutputFolderPath + "0共通在庫資料.xlsx".
QString CommonDocumentsWorkbookPath(const AppState& state);

// Title in B3, the caption row 4 from column B, rows numbered 1 … CommonDocumentRows below it,
// shading, ruling and widths.
void WriteCommonDocumentsSheet(Workbook& workbook);

struct CommonDocumentsResult {
    WorkbookStatus status;
    QString path;
    bool created = false; // the list was new and has been written (whether or not a program took it)
};

// Creates the workbook when it does not exist yet, then hands it to the user's spreadsheet
// program (without a desktop it is only created).
CommonDocumentsResult OpenCommonDocumentsWorkbook(AppState& state, DesktopHandover* desktop);
