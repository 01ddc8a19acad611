#pragma once
// A workbook and its first worksheet: the object the workbook features fill or read. An Office
// Open XML workbook is edited in place (every part the program does not write is kept); a
// legacy .xls workbook can only be read.
#include "workbook/sheet_range.h"
#include "workbook/style_table.h"
#include "workbook/worksheet.h"
#include "workbook/zip_package.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <pugixml.hpp>

class Workbook {
public:
    enum class Format { Xlsx, Xls };

    // Reads the workbook at `path`; the format is chosen by the content. Nothing on failure.
    static std::unique_ptr<Workbook> load(const QString& path, WorkbookStatus& status);
    static std::unique_ptr<Workbook> fromBytes(QByteArray bytes, const QString& path, WorkbookStatus& status);
    // An empty workbook of one sheet whose default font shows Japanese.
    static std::unique_ptr<Workbook> createBlank(const QString& path);

    Format format() const { return m_format; }
    QString path() const { return m_path; }
    void setPath(const QString& path) { m_path = path; }

    Worksheet& sheet() { return m_sheet; }
    const Worksheet& sheet() const { return m_sheet; }
    SheetRange Cells(int row, int column) { return SheetRange(m_sheet, row, column, row, column); }
    SheetRange Cells() { return SheetRange(m_sheet, 0, 0, 0, 0, true); }
    SheetRange Range(const SheetRange& from, const SheetRange& to) { return from.extendedTo(to); }

    // Writes the workbook to its path (Office Open XML only).
    WorkbookStatus save();

    // The application switches of the object model. Nothing redraws here, so they only record
    // what the caller asked for.
    bool ScreenUpdating = true;
    bool EnableEvents = true;
    bool Visible = false;

private:
    Workbook() = default;
    WorkbookStatus loadXlsx(QByteArray bytes);
    // FreeXL reads the file at `path`; `bytes` are its content.
    WorkbookStatus loadXls(const QString& path, const QByteArray& bytes);
    WorkbookStatus readSheet(const std::string& xml);
    std::string writeSheet();

    Format m_format = Format::Xlsx;
    QString m_path;
    ZipPackage m_package;
    std::string m_sheetPart;
    std::string m_stylesPart;
    pugi::xml_document m_sheetDoc;
    StyleTable m_styles;
    Worksheet m_sheet;
};
