#pragma once
// The specification workbook of one item ("在庫品仕様" + item number + ".xlsx" in "M在庫資料"):
// created once from the template and reused, so that what the user adds to it stays. An
// output rewrites only the system's cells and formats.
#include "workbook/workbook_errors.h"

#include <QString>
#include <array>

struct AppState;
class DesktopHandover;
class ItemRecord;
class Workbook;

// What the system writes: the item number and, for the edit table's columns 0 to 4 (name,
// specification, maker, storage place, unit price), their captions and the item's values.
struct ItemSpecContent {
    QString itemNumber;
    std::array<QString, 5> captions;
    std::array<QString, 5> values;
};

// The message when no item is current, and its title.
QString NoCurrentItemMessage();
QString NoCurrentItemTitle();

// The content for `record` as the edit frame shows it (captions from ColumnCaptions, the unit
// price in the frame's number format).
ItemSpecContent ItemSpecContentOf(const AppState& state, const ItemRecord& record);

// DocumentsFolderPath + "在庫品仕様" + item number + ".xlsx".
QString ItemSpecWorkbookPath(const AppState& state, const QString& itemNumber);

// Writes the system's cells and formats into the first sheet; everything else is left alone.
void WriteItemSpecSheet(Workbook& workbook, const ItemSpecContent& content);

struct ItemSpecResult {
    WorkbookStatus status;
    QString path;
    bool created = false; // the file was made from the template by this output
};

// Opens the item's workbook (from the template the first time), writes the sheet and saves it;
// with a desktop the file is then handed to the user's spreadsheet program. An item number
// that cannot be part of a file name is refused with 432 before any file is touched.
ItemSpecResult ExportItemSpecWorkbook(AppState& state, DesktopHandover* desktop, const ItemSpecContent& content);
