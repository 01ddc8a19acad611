#pragma once
// Where the workbook outputs find their template and put their files.
#include <QDate>
#include <QString>

struct AppState;

// ClientFolder + "原本Excel/在庫出力台帳.xlsx".
QString TemplateWorkbookPath(const AppState& state);
// DataFolder + "M在庫台帳/"; DataFolder + "M在庫資料/".
QString OutputFolderPath(const AppState& state);
QString DocumentsFolderPath(const AppState& state);
// "yyyy年mm月" of an output date.
QString OutputMonthText(const QDate& date);
