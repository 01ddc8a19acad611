// Writing the first worksheet in one pass: the parts of the sheet the program does not model
// (views, page setup, drawings, merged cells …) are serialised from the document as read, and
// the cell data is streamed between them.
#include "workbook/cell_address.h"
#include "workbook/package_relations.h"
#include "workbook/workbook.h"
#include "workbook/xlsx_text_escapes.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <sstream>
#include <unordered_map>

namespace {
const char* const Marker = "<!--TEV-SHEETDATA-->";

void appendEscaped(std::string& out, std::string_view text)
{
    AppendXlsxText(out, text);
}

void appendNumber(std::string& out, double value)
{
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

void appendInt(std::string& out, long long value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

// Row attributes of the file, without the height when the program sets its own.
std::string rowAttributes(const std::string& kept, bool dropHeight)
{
    if (!dropHeight)
        return kept;
    std::string out;
    size_t i = 0;
    while (i < kept.size()) {
        size_t next = kept.find("\" ", i);
        next = next == std::string::npos ? kept.size() : next + 1;
        const std::string piece = kept.substr(i, next - i);
        if (piece.rfind(" ht=", 0) != 0 && piece.rfind(" customHeight=", 0) != 0)
            out += piece;
        i = next;
    }
    return out;
}
} // namespace

std::string Workbook::writeSheet()
{
    pugi::xml_node root = ChildNamed(m_sheetDoc, "worksheet");
    pugi::xml_node data = ChildNamed(root, "sheetData");
    const bool textEverywhere = m_sheet.textFormatEverywhere();
    CellFormat textFormat;
    textFormat.textNumberFormat = true;

    // Columns: the file's ranges with the program's widths; with the text format everywhere
    // every column carries it, so that cells typed later are text as well.
    std::vector<ColumnSpec> columns = m_sheet.columns();
    if (textEverywhere) {
        std::vector<ColumnSpec> covered;
        int next = 1;
        for (ColumnSpec spec : columns) {
            if (spec.min > next) {
                ColumnSpec gap;
                gap.min = next;
                gap.max = spec.min - 1;
                covered.push_back(gap);
            }
            covered.push_back(spec);
            next = spec.max + 1;
        }
        if (next <= SheetLimits::MaxColumn) {
            ColumnSpec gap;
            gap.min = next;
            gap.max = SheetLimits::MaxColumn;
            covered.push_back(gap);
        }
        for (ColumnSpec& spec : covered)
            spec.style = m_styles.resolve(std::max(0, spec.style), textFormat);
        columns = std::move(covered);
    }
    if (!columns.empty()) {
        pugi::xml_node cols = root.insert_child_before("cols", data);
        for (const ColumnSpec& spec : columns) {
            std::string xml = "<col min=\"" + std::to_string(spec.min) + "\" max=\"" + std::to_string(spec.max) + '"';
            if (spec.width >= 0) {
                xml += " width=\"";
                appendNumber(xml, spec.width);
                xml += "\" customWidth=\"1\"";
            }
            if (spec.style >= 0)
                xml += " style=\"" + std::to_string(spec.style) + '"';
            xml += spec.attributes + "/>";
            cols.append_buffer(xml.data(), xml.size());
        }
    }

    // The used block for the dimension element.
    int top = 0, bottom = 0, left = SheetLimits::MaxColumn + 1, right = 0;
    for (int r = 1; r <= m_sheet.lastRow(); ++r) {
        const auto& cells = m_sheet.row(r)->cells;
        if (cells.empty())
            continue;
        top = top ? top : r;
        bottom = r;
        left = std::min(left, cells.front().column);
        right = std::max(right, cells.back().column);
    }
    if (pugi::xml_node dimension = ChildNamed(root, "dimension")) {
        const std::string ref = top ? CellName(top, left) + ':' + CellName(bottom, right) : std::string("A1");
        dimension.attribute("ref").set_value(ref.c_str());
    }

    data.append_child(pugi::node_comment).set_value("TEV-SHEETDATA");
    std::ostringstream frame;
    m_sheetDoc.save(frame, "", pugi::format_raw | pugi::format_no_declaration);
    data.remove_children();
    if (pugi::xml_node cols = ChildNamed(root, "cols"))
        root.remove_child(cols);
    const std::string shell = frame.str();
    const size_t at = shell.find(Marker);

    std::string out;
    out.reserve(size_t(m_sheet.lastRow()) * 600 + shell.size() + 64);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    out.append(shell, 0, at);

    std::unordered_map<uint64_t, int> styleOf;
    const auto& formats = m_sheet.formats();
    const auto& kept = m_sheet.rowAttributes();
    for (int r = 1; r <= m_sheet.lastRow(); ++r) {
        const SheetRow& row = *m_sheet.row(r);
        const auto attributes = kept.find(r);
        if (row.cells.empty() && row.height < 0 && attributes == kept.end())
            continue;
        out += "<row r=\"";
        appendInt(out, r);
        out += '"';
        if (attributes != kept.end())
            out += rowAttributes(attributes->second, row.height >= 0);
        if (row.height >= 0) {
            out += " ht=\"";
            appendNumber(out, row.height);
            out += "\" customHeight=\"1\"";
        }
        if (row.cells.empty()) {
            out += "/>";
            continue;
        }
        out += '>';
        for (const SheetCell& cell : row.cells) {
            int style = cell.style;
            if (cell.format != 0 || textEverywhere) {
                const uint64_t key = (uint64_t(uint32_t(cell.style)) << 32) | uint32_t(cell.format);
                auto it = styleOf.find(key);
                if (it == styleOf.end()) {
                    CellFormat change = formats[size_t(cell.format)];
                    if (textEverywhere)
                        change.merge(textFormat);
                    it = styleOf.emplace(key, m_styles.resolve(cell.style, change)).first;
                }
                style = it->second;
            }
            out += "<c r=\"";
            AppendCellName(out, r, cell.column);
            out += '"';
            if (style > 0) {
                out += " s=\"";
                appendInt(out, style);
                out += '"';
            }
            const std::string* formula = nullptr;
            if (cell.formula) {
                const auto f = m_sheet.formulas().find(Worksheet::key(r, cell.column));
                formula = f == m_sheet.formulas().end() ? nullptr : &f->second;
            }
            switch (cell.kind) {
            case CellKind::Number:
                out += '>';
                if (formula) out += *formula;
                out += "<v>";
                appendNumber(out, cell.number);
                out += "</v></c>";
                break;
            case CellKind::Bool:
                out += " t=\"b\">";
                if (formula) out += *formula;
                out += cell.number != 0 ? "<v>1</v></c>" : "<v>0</v></c>";
                break;
            case CellKind::Error:
                out += " t=\"e\">";
                if (formula) out += *formula;
                out += "<v>";
                appendEscaped(out, m_sheet.textOf(cell));
                out += "</v></c>";
                break;
            case CellKind::SharedText:
                if (formula) {
                    out += " t=\"str\">" + *formula + "<v>";
                    appendEscaped(out, m_sheet.textOf(cell));
                    out += "</v></c>";
                } else {
                    out += " t=\"s\"><v>";
                    appendInt(out, cell.text.offset);
                    out += "</v></c>";
                }
                break;
            case CellKind::Text: {
                const std::string_view text = m_sheet.textOf(cell);
                if (formula) {
                    out += " t=\"str\">" + *formula + "<v>";
                    appendEscaped(out, text);
                    out += "</v></c>";
                    break;
                }
                const bool spaced = !text.empty() && (text.front() == ' ' || text.back() == ' ');
                out += spaced ? " t=\"inlineStr\"><is><t xml:space=\"preserve\">" : " t=\"inlineStr\"><is><t>";
                appendEscaped(out, text);
                out += "</t></is></c>";
                break;
            }
            default:
                if (formula) {
                    out += '>' + *formula + "</c>";
                } else {
                    out += "/>";
                }
            }
        }
        out += "</row>";
    }
    out.append(shell, at + std::strlen(Marker), std::string::npos);
    return out;
}

WorkbookStatus Workbook::save()
{
    if (m_format != Format::Xlsx)
        return WorkbookStatus::failure(WorkbookError::Internal, QStringLiteral("legacy workbooks are read only"));
    m_package.replace(m_sheetPart, writeSheet());
    if (m_styles.changed()) {
        if (m_stylesPart.empty()) {
            // A workbook without a style part gets one, with its relationship and content type.
            m_stylesPart = "xl/styles.xml";
            WorkbookStatus status;
            auto addBefore = [&](const std::string& part, const char* closing, const std::string& element) {
                auto text = m_package.read(part, status);
                if (!text)
                    return;
                const size_t at = text->rfind(closing);
                if (at == std::string::npos)
                    return;
                text->insert(at, element);
                m_package.replace(part, std::move(*text));
            };
            addBefore("xl/_rels/workbook.xml.rels", "</Relationships>",
                      "<Relationship Id=\"rIdTevStyles\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                      "relationships/styles\" Target=\"styles.xml\"/>");
            addBefore("[Content_Types].xml", "</Types>",
                      "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/"
                      "vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>");
        }
        m_package.replace(m_stylesPart, m_styles.save());
    }
    return m_package.save(m_path);
}
