#include "workbook/sheet_row_reading.h"

#include "workbook/workbook.h"
#include "workbook/xlsx_parts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

WorkbookStatus ReadWorkbookFile(const QString& path, QByteArray& bytes)
{
    const QFileInfo info(path);
    if (!info.dir().exists())
        return WorkbookStatus::failure(WorkbookError::PathNotFound, QStringLiteral("folder missing"));
    if (!info.exists())
        return WorkbookStatus::failure(WorkbookError::FileNotFound, QStringLiteral("file missing"));
    if (!info.isFile() || info.size() > ZipPackage::MaxPartSize)
        return WorkbookStatus::failure(WorkbookError::NotAWorkbook, QStringLiteral("not a workbook file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return WorkbookStatus::failure(WorkbookError::InUse, QStringLiteral("cannot open"));
    bytes = file.readAll();
    return WorkbookStatus::success();
}

WorkbookStatus ReadSheetRows(const QString& path, const SheetReadLimits& limits, const SheetRowVisitor& visit)
{
    QByteArray bytes;
    if (const WorkbookStatus status = ReadWorkbookFile(path, bytes); !status)
        return status;
    return ReadSheetRowsFromBytes(std::move(bytes), path, limits, visit);
}

WorkbookStatus ReadSheetRowsFromBytes(QByteArray bytes, const QString& path, const SheetReadLimits& limits,
                                      const SheetRowVisitor& visit)
{
    if (bytes.startsWith("PK\x03\x04")) {
        ZipPackage package;
        WorkbookStatus status = package.open(std::move(bytes));
        if (!status)
            return status;
        XlsxParts parts;
        status = FindXlsxParts(package, parts);
        if (!status)
            return status;
        return StreamXlsxRows(package, parts, limits, visit);
    }
    WorkbookStatus status;
    const std::unique_ptr<Workbook> book = Workbook::fromBytes(std::move(bytes), path, status);
    if (!book)
        return status;
    VisitWorksheetRows(book->sheet(), visit);
    return WorkbookStatus::success();
}
