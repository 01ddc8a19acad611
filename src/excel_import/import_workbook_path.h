#pragma once
// Where the imports find their workbooks. The program names an import workbook "X.xls"; the file
// in the folder may be "X.xlsx" or "X.xls" (the reader tells them apart by content), and when
// both exist the newer one is taken.
#include <QString>

struct AppState;

namespace ImportWorkbookName {
inline const QString Items = QStringLiteral("Mb在庫品INP.xls");
inline const QString Vocabulary = QStringLiteral("Mb在庫品項目INP.xls");
inline const QString DailyInOut = QStringLiteral("Mb入出庫月報.xls");
}

// The existing workbook for `xlsName` in `folder` ("X.xlsx" or "X.xls", the newer of both);
// folder + xlsName when neither exists, so that a message can name the file looked for.
QString FindImportWorkbook(const QString& folder, const QString& xlsName);

// The import folder of the shared settings (line 10), ending in exactly one separator; empty
// when none is set.
QString ImportFolderPath(const AppState& state);

// DataFolder + "M在庫資料/" + the daily in/out workbook found as above.
QString DailyInOutWorkbookPath(const AppState& state);
