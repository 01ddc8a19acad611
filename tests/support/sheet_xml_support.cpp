#include "support/sheet_xml_support.h"

#include "workbook/zip_package.h"

#include <QFile>

bool SaveWorkbookWithSheet(const QString& path, const std::string& sheetXml)
{
    QFile fixture(QStringLiteral(TEV_TEST_DATA_DIR "/workbook/Mb在庫品INP.xlsx"));
    ZipPackage package;
    if (!fixture.open(QIODevice::ReadOnly) || !package.open(fixture.readAll()).ok())
        return false;
    package.replace("xl/worksheets/sheet1.xml", sheetXml);
    return package.save(path).ok();
}

std::string SheetXml(const std::string& rows)
{
    return "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>" + rows
        + "</sheetData></worksheet>";
}
