#pragma once
// The list-vocabulary workbook: the five word lists (item names, specifications, makers,
// storage places, units) side by side in the layout of the vocabulary import workbook,
// "在庫品項目yyyy年mm月.xlsx" in "M在庫台帳", replaced by a second output in the same month.
#include "workbook/workbook_errors.h"

#include <QDate>
#include <QString>

struct AppState;
class DesktopHandover;
class Workbook;

// OutputFolderPath + "在庫品項目" + "yyyy年mm月" of `date` + ".xlsx".
QString VocabularyWorkbookPath(const AppState& state, const QDate& date);

// The largest list count of the shared settings (lines 3 to 7): the extent of the ruling.
int LargestListCount(const AppState& state);

// Text format everywhere, the title, the caption row from ColumnCaptions, the words of lists
// 2 … 6 in columns B … F (each up to its first empty word), shading, ruling and widths.
void WriteVocabularySheet(Workbook& workbook, const AppState& state);

struct VocabularyWorkbookResult {
    WorkbookStatus status;
    QString path;
};

// Writes the workbook from the lists and captions in memory to `outputPath`
// (VocabularyWorkbookPath of today when empty); with a desktop the file is then handed to the
// user's spreadsheet program.
VocabularyWorkbookResult ExportVocabularyWorkbook(AppState& state, DesktopHandover* desktop,
                                                  const QString& outputPath = QString());
