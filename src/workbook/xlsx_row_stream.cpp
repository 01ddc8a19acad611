#include "workbook/xlsx_row_stream.h"

#include "workbook/cell_address.h"
#include "workbook/xlsx_parts.h"
#include "workbook/xlsx_text_escapes.h"
#include "workbook/zip_package.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <expat.h>
#include <vector>

namespace {

WorkbookStatus damaged(const char* what)
{
    return WorkbookStatus::failure(WorkbookError::NotAWorkbook, QString::fromLatin1(what));
}

WorkbookStatus tooLarge(const char* what, qint64 found, qint64 limit)
{
    WorkbookStatus status = WorkbookStatus::failure(WorkbookError::TooLarge, QString::fromLatin1(what));
    status.found = found;
    status.limit = limit;
    return status;
}

const char* localName(const XML_Char* name)
{
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

bool is(const XML_Char* name, const char* local)
{
    return std::strcmp(localName(name), local) == 0;
}

bool isBlank(const std::string& text)
{
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

const char* attribute(const XML_Char** atts, const char* name)
{
    for (int i = 0; atts[i]; i += 2)
        if (std::strcmp(atts[i], name) == 0)
            return atts[i + 1];
    return nullptr;
}

// The parse of one part: expat with the handlers of a subclass, fed the inflated pieces. A
// DOCTYPE ends the parse as damage: no entity of the file is ever expanded.
class PartParser {
public:
    PartParser()
    {
        // The encoding is the part's own (its byte order mark or declaration), as the whole-sheet
        // reader takes it.
        m_parser = XML_ParserCreate(nullptr);
        XML_SetUserData(m_parser, this);
        XML_SetElementHandler(m_parser, &PartParser::onStart, &PartParser::onEnd);
        XML_SetCharacterDataHandler(m_parser, &PartParser::onText);
        XML_SetStartDoctypeDeclHandler(m_parser, &PartParser::onDoctype);
        XML_SetCdataSectionHandler(m_parser, &PartParser::onMarkup, &PartParser::onMarkup);
        XML_SetCommentHandler(m_parser, &PartParser::onComment);
        XML_SetProcessingInstructionHandler(m_parser, &PartParser::onInstruction);
    }
    virtual ~PartParser() { XML_ParserFree(m_parser); }
    PartParser(const PartParser&) = delete;
    PartParser& operator=(const PartParser&) = delete;

    // Parses the part; the status of the first failure (the part, the XML or a handler's).
    WorkbookStatus run(const ZipPackage& package, const std::string& part)
    {
        const WorkbookStatus read = package.readInPieces(part, [this](const char* data, size_t size) {
            return feed(data, size, false);
        });
        if (!m_status || m_done)
            return m_status;
        if (!read)
            return read;
        feed("", 0, true);
        return m_status;
    }

protected:
    virtual void start(const XML_Char* name, const XML_Char** atts) = 0;
    virtual void end(const XML_Char* name) = 0;
    virtual void text(const XML_Char* data, int length) = 0;
    // A comment, processing instruction or CDATA boundary between pieces of text: the text of an
    // element is its first piece, as the whole-sheet reader takes it.
    virtual void markup() {}

    // Ends the parse: with a failure, or (ok) because the rest of the part is not needed.
    void stop(const WorkbookStatus& status)
    {
        if (m_status && !m_done)
            m_status = status;
        m_done = true;
        XML_StopParser(m_parser, XML_FALSE);
    }

private:
    bool feed(const char* data, size_t size, bool last)
    {
        if (m_done)
            return false;
        if (XML_Parse(m_parser, data, int(size), last ? XML_TRUE : XML_FALSE) == XML_STATUS_ERROR && !m_done) {
            m_status = damaged("worksheet XML");
            m_done = true;
        }
        return !m_done;
    }
    static void XMLCALL onStart(void* self, const XML_Char* name, const XML_Char** atts)
    {
        static_cast<PartParser*>(self)->start(name, atts);
    }
    static void XMLCALL onEnd(void* self, const XML_Char* name) { static_cast<PartParser*>(self)->end(name); }
    static void XMLCALL onText(void* self, const XML_Char* data, int length)
    {
        static_cast<PartParser*>(self)->text(data, length);
    }
    static void XMLCALL onMarkup(void* self) { static_cast<PartParser*>(self)->markup(); }
    static void XMLCALL onComment(void* self, const XML_Char*) { static_cast<PartParser*>(self)->markup(); }
    static void XMLCALL onInstruction(void* self, const XML_Char*, const XML_Char*)
    {
        static_cast<PartParser*>(self)->markup();
    }
    static void XMLCALL onDoctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*, int)
    {
        static_cast<PartParser*>(self)->stop(damaged("DOCTYPE in a part"));
    }

    XML_Parser m_parser;
    WorkbookStatus m_status;
    bool m_done = false;
};

// The text of each <si> of the <sst>: its <t> and the <t> of its runs (<r>); phonetic readings
// (<rPh>) and anything else are left out.
class SharedStringsParser : public PartParser {
public:
    std::string arena;
    std::vector<uint64_t> starts; // arena offset of each string, and one past the last

protected:
    void start(const XML_Char* name, const XML_Char**) override
    {
        markup(); // an element inside a <t> ends its text as a comment does
        const int depth = ++m_depth;
        const char* local = localName(name);
        if (depth == 2) {
            m_inItem = std::strcmp(local, "si") == 0;
            m_current.clear();
            m_inside.assign(1, m_inItem);
            return;
        }
        if (depth < 2 || !m_inItem)
            return;
        const size_t level = size_t(depth - 2);
        m_inside.resize(level + 1);
        // A container of text (the item or a run) holds the texts that count.
        const bool container = m_inside[level - 1];
        m_inside[level] = container && std::strcmp(local, "r") == 0;
        if (container && std::strcmp(local, "t") == 0) {
            m_inText = true;
            m_textDepth = depth;
            m_textPiece.clear();
        }
    }
    void end(const XML_Char*) override
    {
        const int depth = m_depth--;
        if (depth == m_textDepth)
            m_inText = false;
        if (depth == 2 && m_inItem) {
            m_inItem = false;
            if (starts.empty())
                starts.push_back(0);
            arena += DecodeXlsxEscapes(m_current);
            starts.push_back(arena.size());
        }
    }
    void text(const XML_Char* data, int length) override
    {
        if (m_inText && m_depth == m_textDepth) {
            m_current.append(data, size_t(length));
            m_textPiece.append(data, size_t(length));
        }
    }
    void markup() override
    {
        if (!m_inText)
            return;
        // Only white space so far is no piece of text yet.
        if (isBlank(m_textPiece)) {
            m_current.resize(m_current.size() - m_textPiece.size());
            m_textPiece.clear();
        } else {
            m_inText = false;
        }
    }

private:
    std::string m_current;
    std::string m_textPiece; // what the open <t> gave so far
    std::vector<bool> m_inside; // for each open element inside the item: whether it holds texts
    bool m_inItem = false;
    bool m_inText = false;
    int m_textDepth = 0;
    int m_depth = 0;
};

class SheetParser : public PartParser {
public:
    SheetParser(const SharedStringsParser& shared, const SheetReadLimits& limits, const SheetRowVisitor& visit)
        : m_shared(shared), m_limits(limits), m_visit(visit)
    {
    }

protected:
    // Only the elements where a spreadsheet program puts them count: <sheetData> under the root,
    // <row> under it, <c> under a row, <v>, <f> and <is> under a cell, and the <t> of <is> and of
    // its runs (<r>); a phonetic reading (<rPh>) or anything else is passed over with its content.
    void start(const XML_Char* name, const XML_Char** atts) override
    {
        markup(); // an element inside a <v> or <t> ends its text as a comment does
        const int depth = ++m_depth;
        const char* local = localName(name);
        if (!m_inData) {
            m_inData = depth == DataDepth && std::strcmp(local, "sheetData") == 0;
            return;
        }
        if (!m_inRow) {
            if (depth == DataDepth + 1 && std::strcmp(local, "row") == 0)
                startRow(atts);
            return;
        }
        if (!m_inCell) {
            if (depth == DataDepth + 2 && std::strcmp(local, "c") == 0)
                startCell(atts);
            return;
        }
        const size_t level = size_t(depth - (DataDepth + 3)); // 0: a child of the cell
        m_inside.resize(level + 1);
        Inside inside = Inside::Other;
        if (level == 0) {
            if (std::strcmp(local, "v") == 0 && !m_valueSeen) {
                m_valueSeen = true;
                m_capture = Capture::Value;
                m_captureDepth = depth;
                m_piece.clear();
            } else if (std::strcmp(local, "f") == 0) {
                m_formula = true;
            } else if (std::strcmp(local, "is") == 0 && !m_inlineSeen) {
                m_inlineSeen = true;
                inside = Inside::Runs;
            }
        } else if (m_inside[level - 1] == Inside::Runs) {
            if (std::strcmp(local, "r") == 0) {
                inside = Inside::Runs;
            } else if (std::strcmp(local, "t") == 0) {
                inside = Inside::Text;
                if (m_cellType == "inlineStr") {
                    m_capture = Capture::Inline;
                    m_captureDepth = depth;
                    m_piece.clear();
                }
            }
        }
        m_inside[level] = inside;
    }

    void end(const XML_Char*) override
    {
        const int depth = m_depth--;
        if (!m_inData)
            return;
        if (m_inCell) {
            if (depth == DataDepth + 2)
                endCell();
            else if (depth == m_captureDepth)
                m_capture = Capture::None;
        } else if (m_inRow) {
            if (depth == DataDepth + 1)
                endRow();
        } else if (depth == DataDepth) {
            stop(WorkbookStatus::success()); // what follows the cells is not read
        }
    }

    // A value is the text directly inside its element.
    void text(const XML_Char* data, int length) override
    {
        if (m_depth != m_captureDepth)
            return;
        if (m_capture == Capture::Value)
            m_value.append(data, size_t(length));
        else if (m_capture == Capture::Inline)
            m_inline.append(data, size_t(length));
        if (m_capture != Capture::None)
            m_piece.append(data, size_t(length));
    }

    void markup() override
    {
        if (m_capture == Capture::None)
            return;
        std::string& into = m_capture == Capture::Value ? m_value : m_inline;
        // Only white space so far is no piece of text yet.
        if (isBlank(m_piece)) {
            into.resize(into.size() - m_piece.size());
            m_piece.clear();
        } else {
            m_capture = Capture::None;
        }
    }

private:
    enum class Capture { None, Value, Inline };
    enum class Inside : char { Other, Runs, Text };
    static constexpr int DataDepth = 2; // <worksheet><sheetData>

    void startRow(const XML_Char** atts)
    {
        int number = m_rowNumber + 1;
        if (const char* r = attribute(atts, "r")) {
            const auto [end, error] = std::from_chars(r, r + std::strlen(r), number);
            if (error != std::errc() || *end)
                return stop(damaged("row number"));
        }
        if (number < 1 || number > SheetLimits::MaxRow)
            return stop(damaged("row outside the sheet"));
        if (number <= m_rowNumber)
            return stop(damaged("rows out of order"));
        m_rowNumber = number;
        m_column = 0;
        m_row.start(number);
        m_inRow = true;
    }

    void endRow()
    {
        if (!m_inRow)
            return;
        m_inRow = false;
        m_row.finish();
        if (!m_row.cells().empty() && !m_visit(m_row))
            stop(WorkbookStatus::success());
    }

    void startCell(const XML_Char** atts)
    {
        if (!m_inRow)
            return stop(damaged("cell outside a row"));
        if (++m_cells > m_limits.maxCells)
            return stop(tooLarge("cells", m_cells, m_limits.maxCells));
        if (const char* ref = attribute(atts, "r")) {
            int row = 0;
            if (!ParseCellName(ref, row, m_column) || row != m_rowNumber)
                return stop(damaged("cell reference"));
        } else if (++m_column > SheetLimits::MaxColumn) {
            return stop(damaged("column outside the sheet"));
        }
        const char* type = attribute(atts, "t");
        m_cellType = type ? type : "";
        m_inCell = true;
        m_formula = false;
        m_valueSeen = false;
        m_inlineSeen = false;
        m_capture = Capture::None;
        m_value.clear();
        m_inline.clear();
    }

    void endCell()
    {
        m_inCell = false;
        m_capture = Capture::None;
        const std::string& type = m_cellType;
        if (m_formula && m_value.empty() && type != "str" && type != "inlineStr") {
            // Saved without its result: the value is unknown, not empty.
            m_row.add(m_column, CellKind::UnreadableFormula, 0);
        } else if (type == "s") {
            size_t index = 0;
            const auto [end, error] = std::from_chars(m_value.data(), m_value.data() + m_value.size(), index);
            if (error != std::errc() || end != m_value.data() + m_value.size() || m_shared.starts.empty()
                || index + 1 >= m_shared.starts.size())
                return stop(damaged("shared string index"));
            const uint64_t from = m_shared.starts[index], to = m_shared.starts[index + 1];
            if (to > from)
                m_row.add(m_column, CellKind::Text, 0, std::string_view(m_shared.arena).substr(from, to - from));
        } else if (type == "inlineStr") {
            if (!m_inline.empty())
                m_row.add(m_column, CellKind::Text, 0, DecodeXlsxEscapes(m_inline));
        } else if (type == "str" || type == "d") {
            if (!m_value.empty())
                m_row.add(m_column, CellKind::Text, 0, DecodeXlsxEscapes(m_value));
        } else if (type == "b") {
            m_row.add(m_column, CellKind::Bool, m_value == "1" ? 1 : 0);
        } else if (type == "e") {
            m_row.add(m_column, CellKind::Error, 0, DecodeXlsxEscapes(m_value));
        } else if (!m_value.empty()) {
            double number = 0;
            const char* begin = m_value.data();
            const char* end = begin + m_value.size();
            // "inf" and "nan" parse but no spreadsheet program writes them: they stay text.
            const auto result = std::from_chars(begin, end, number);
            if (result.ec == std::errc() && result.ptr == end && std::isfinite(number))
                m_row.add(m_column, CellKind::Number, number);
            else
                m_row.add(m_column, CellKind::Text, 0, m_value);
        }
    }

    const SharedStringsParser& m_shared;
    const SheetReadLimits& m_limits;
    const SheetRowVisitor& m_visit;
    SheetRowCells m_row;
    bool m_inData = false;
    bool m_inRow = false;
    bool m_inCell = false;
    bool m_formula = false;
    bool m_valueSeen = false;
    bool m_inlineSeen = false;
    int m_depth = 0;
    std::vector<Inside> m_inside; // inside a cell: what each open element is
    int m_rowNumber = 0;
    int m_column = 0;
    qint64 m_cells = 0;
    std::string m_cellType;
    Capture m_capture = Capture::None;
    std::string m_value;
    std::string m_inline;
    std::string m_piece; // what the open <v> or <t> gave so far
    int m_captureDepth = 0;
};

} // namespace

WorkbookStatus StreamXlsxRows(const ZipPackage& package, const XlsxParts& parts, const SheetReadLimits& limits,
                              const SheetRowVisitor& visit)
{
    // The sizes the directory declares refuse a large file before anything is inflated; a part
    // whose data runs past its declared size is damaged (readInPieces), so they hold.
    const qint64 sheetSize = package.declaredSize(parts.sheet);
    if (sheetSize > limits.maxSheetBytes)
        return tooLarge("sheet bytes", sheetSize, limits.maxSheetBytes);
    SharedStringsParser shared;
    if (!parts.sharedStrings.empty()) {
        const qint64 size = package.declaredSize(parts.sharedStrings);
        if (size > limits.maxSheetBytes)
            return tooLarge("sheet bytes", size, limits.maxSheetBytes);
        const WorkbookStatus status = shared.run(package, parts.sharedStrings);
        if (!status)
            return status.error == WorkbookError::NotAWorkbook ? damaged("shared strings") : status;
    }
    SheetParser sheet(shared, limits, visit);
    return sheet.run(package, parts.sheet);
}
