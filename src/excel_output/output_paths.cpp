#include "excel_output/output_paths.h"

#include "storage/app_state.h"
#include "storage/paths.h"

QString TemplateWorkbookPath(const AppState& state)
{
    return state.ClientFolder + DataFileName::TemplateFolder + PathSeparator + QStringLiteral("在庫出力台帳.xlsx");
}

QString OutputFolderPath(const AppState& state)
{
    return state.DataFolder + DataFileName::OutputFolder + PathSeparator;
}

QString DocumentsFolderPath(const AppState& state)
{
    return state.DataFolder + DataFileName::DocumentsFolder + PathSeparator;
}

QString OutputMonthText(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy年MM月"));
}
