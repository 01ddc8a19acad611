// Reading an Office Open XML workbook: the package, its first worksheet, shared strings and
// styles. Every damage (missing part, malformed XML, cells outside the sheet) ends as
// NotAWorkbook; nothing is trusted to be in range.
#include "workbook/cell_address.h"
#include "workbook/package_relations.h"
#include "workbook/sheet_row_reading.h"
#include "workbook/workbook.h"
#include "workbook/xlsx_parts.h"
#include "workbook/xlsx_text_escapes.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <charconv>
#include <cmath>
#include <cstring>
#include <sstream>

namespace {
constexpr qint64 MaxCells = 40'000'000;

WorkbookStatus damaged(const char* what)
{
    return WorkbookStatus::failure(WorkbookError::NotAWorkbook, QString::fromLatin1(what));
}

void collectText(pugi::xml_node node, std::string& out)
{
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element)
            continue;
        const char* name = LocalName(child);
        if (std::strcmp(name, "t") == 0)
            out += child.text().get();
        else if (std::strcmp(name, "r") == 0)
            collectText(child, out);
    }
}

std::string attributesExcept(pugi::xml_node node, std::initializer_list<const char*> skip)
{
    std::string out;
    for (pugi::xml_attribute a : node.attributes()) {
        bool skipped = false;
        for (const char* s : skip)
            skipped = skipped || std::strcmp(a.name(), s) == 0;
        if (skipped)
            continue;
        out += ' ';
        out += a.name();
        out += "=\"";
        for (const char* p = a.value(); *p; ++p) {
            switch (*p) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '"': out += "&quot;"; break;
            default: out += *p;
            }
        }
        out += '"';
    }
    return out;
}
} // namespace

std::unique_ptr<Workbook> Workbook::load(const QString& path, WorkbookStatus& status)
{
    QByteArray bytes;
    status = ReadWorkbookFile(path, bytes);
    if (!status)
        return nullptr;
    return fromBytes(std::move(bytes), path, status);
}

std::unique_ptr<Workbook> Workbook::fromBytes(QByteArray bytes, const QString& path, WorkbookStatus& status)
{
    std::unique_ptr<Workbook> book(new Workbook);
    book->m_path = path;
    if (bytes.startsWith("PK\x03\x04")) {
        status = book->loadXlsx(std::move(bytes));
    } else if (bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) {
        book->m_format = Format::Xls;
        status = book->loadXls(path, bytes);
    } else {
        status = damaged("unknown content");
    }
    if (!status)
        return nullptr;
    return book;
}

WorkbookStatus Workbook::loadXlsx(QByteArray bytes)
{
    WorkbookStatus status = m_package.open(std::move(bytes));
    if (!status)
        return status;
    XlsxParts parts;
    status = FindXlsxParts(m_package, parts);
    if (!status)
        return status;
    m_sheetPart = parts.sheet;
    if (!parts.sharedStrings.empty()) {
        pugi::xml_document sst;
        const auto text = m_package.read(parts.sharedStrings, status);
        if (!text || !ParseXlsxXml(sst, *text))
            return status ? damaged("shared strings") : status;
        auto& shared = m_sheet.sharedStrings();
        for (pugi::xml_node si : ChildNamed(sst, "sst").children()) {
            if (std::strcmp(LocalName(si), "si") != 0)
                continue;
            std::string text;
            collectText(si, text);
            shared.push_back(DecodeXlsxEscapes(text));
        }
    }

    m_stylesPart = parts.styles;
    std::string styles;
    if (!m_stylesPart.empty()) {
        if (auto text = m_package.read(m_stylesPart, status))
            styles = std::move(*text);
        else if (!status)
            return status;
    }
    if (!m_styles.load(styles))
        return damaged("styles");

    const auto sheetXml = m_package.read(m_sheetPart, status);
    if (!sheetXml)
        return status ? damaged("worksheet") : status;
    return readSheet(*sheetXml);
}

WorkbookStatus Workbook::readSheet(const std::string& xml)
{
    if (!ParseXlsxXml(m_sheetDoc, xml))
        return damaged("worksheet XML");
    pugi::xml_node root = ChildNamed(m_sheetDoc, "worksheet");
    pugi::xml_node data = ChildNamed(root, "sheetData");
    if (!data)
        return damaged("worksheet without data");

    if (pugi::xml_node cols = ChildNamed(root, "cols")) {
        for (pugi::xml_node col : cols.children()) {
            if (std::strcmp(LocalName(col), "col") != 0)
                continue;
            ColumnSpec spec;
            spec.min = col.attribute("min").as_int();
            spec.max = col.attribute("max").as_int();
            if (spec.min < 1 || spec.max < spec.min || spec.max > SheetLimits::MaxColumn)
                return damaged("column range");
            if (col.attribute("width"))
                spec.width = col.attribute("width").as_double();
            if (col.attribute("style"))
                spec.style = col.attribute("style").as_int();
            spec.attributes = attributesExcept(col, {"min", "max", "width", "style", "customWidth"});
            m_sheet.columns().push_back(std::move(spec));
        }
        root.remove_child(cols);
    }

    qint64 cellCount = 0;
    int rowNumber = 0;
    for (pugi::xml_node row : data.children()) {
        if (std::strcmp(LocalName(row), "row") != 0)
            continue;
        rowNumber = row.attribute("r") ? row.attribute("r").as_int() : rowNumber + 1;
        if (rowNumber < 1 || rowNumber > SheetLimits::MaxRow)
            return damaged("row outside the sheet");
        const std::string attributes = attributesExcept(row, {"r", "spans"});
        if (!attributes.empty())
            m_sheet.rowAttributes()[rowNumber] = attributes;
        m_sheet.rowAt(rowNumber);
        int column = 0;
        for (pugi::xml_node c : row.children()) {
            if (std::strcmp(LocalName(c), "c") != 0)
                continue;
            if (++cellCount > MaxCells)
                return damaged("too many cells");
            if (pugi::xml_attribute ref = c.attribute("r")) {
                int refRow = 0;
                if (!ParseCellName(ref.value(), refRow, column) || refRow != rowNumber)
                    return damaged("cell reference");
            } else if (++column > SheetLimits::MaxColumn) {
                return damaged("column outside the sheet");
            }
            SheetCell& cell = m_sheet.cellAt(rowNumber, column);
            cell.style = std::max(0, c.attribute("s").as_int());
            const char* type = c.attribute("t").value();
            pugi::xml_node v = ChildNamed(c, "v");
            const char* value = v.text().get();
            if (pugi::xml_node f = ChildNamed(c, "f")) {
                std::ostringstream formula;
                f.print(formula, "", pugi::format_raw);
                m_sheet.formulas()[Worksheet::key(rowNumber, column)] = formula.str();
                cell.formula = true;
            }
            if (cell.formula && !*value && std::strcmp(type, "str") != 0 && std::strcmp(type, "inlineStr") != 0) {
                // A formula saved without its result (report generators and scripts write them
                // so): the value is unknown, not empty. Only a text result may be empty.
                cell.kind = CellKind::UnreadableFormula;
            } else if (std::strcmp(type, "s") == 0) {
                cell.kind = CellKind::SharedText;
                cell.text.offset = uint32_t(v.text().as_uint());
                cell.text.length = 0;
            } else if (std::strcmp(type, "inlineStr") == 0) {
                std::string text;
                collectText(ChildNamed(c, "is"), text);
                m_sheet.storeText(cell, DecodeXlsxEscapes(text));
            } else if (std::strcmp(type, "str") == 0 || std::strcmp(type, "d") == 0) {
                m_sheet.storeText(cell, DecodeXlsxEscapes(value));
            } else if (std::strcmp(type, "b") == 0) {
                cell.kind = CellKind::Bool;
                cell.number = std::strcmp(value, "1") == 0 ? 1 : 0;
            } else if (std::strcmp(type, "e") == 0) {
                m_sheet.storeText(cell, DecodeXlsxEscapes(value));
                cell.kind = CellKind::Error;
            } else if (*value) {
                double number = 0;
                const char* end = value + std::strlen(value);
                // "inf" and "nan" read as numbers here, but no spreadsheet program writes them and
                // none reads them back: they stay text, like any other value that is not a number.
                const auto result = std::from_chars(value, end, number);
                if (result.ec == std::errc() && result.ptr == end && std::isfinite(number)) {
                    cell.kind = CellKind::Number;
                    cell.number = number;
                } else {
                    m_sheet.storeText(cell, value);
                }
            }
        }
    }
    while (data.first_child())
        data.remove_child(data.first_child());
    return WorkbookStatus::success();
}
