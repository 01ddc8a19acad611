#include "excel_import/import_workbook_path.h"

#include "storage/app_state.h"
#include "storage/paths.h"
#include "storage/settings_files.h"

#include <QFileInfo>

QString FindImportWorkbook(const QString& folder, const QString& xlsName)
{
    const QString xlsPath = folder + xlsName;
    QString xlsxPath = xlsPath + u'x';
    if (xlsName.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive))
        xlsxPath = xlsPath;
    const QFileInfo xlsx(xlsxPath);
    const QFileInfo xls(xlsPath);
    const bool haveXlsx = xlsx.isFile();
    const bool haveXls = xls.isFile() && xlsPath != xlsxPath;
    if (haveXlsx && haveXls)
        return xls.lastModified() > xlsx.lastModified() ? xlsPath : xlsxPath;
    if (haveXlsx)
        return xlsxPath;
    return xlsPath;
}

QString ImportFolderPath(const AppState& state)
{
    const QString folder = state.SharedSettings[SharedLine::ImportFolder].trimmed();
    if (folder.isEmpty())
        return QString();
    return NormaliseFolder(folder);
}

QString DailyInOutWorkbookPath(const AppState& state)
{
    const QString folder = state.DataFolder + DataFileName::DocumentsFolder + PathSeparator;
    return FindImportWorkbook(folder, ImportWorkbookName::DailyInOut);
}
