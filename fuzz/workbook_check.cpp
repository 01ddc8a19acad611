#include "workbook_check.h"

#include "fuzz_support.h"
#include "workbook/cell_address.h"
#include "workbook/sheet_row_reading.h"
#include "workbook/workbook.h"

#include <QFile>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Shared and inline texts read back alike; the writer may turn one into the other.
CellKind comparableKind(CellKind kind)
{
    return kind == CellKind::SharedText ? CellKind::Text : kind;
}

struct CellSeen {
    int row;
    int column;
    CellKind kind;
    double number;
    QString text;
};

// Control characters cannot be written to XML and line ends are normalised by the parser, so
// texts are compared without them, byte by byte (a text need not be valid UTF-8).
QString comparable(const Worksheet& sheet, int row, const SheetCell& cell)
{
    if (cell.kind != CellKind::Text && cell.kind != CellKind::SharedText && cell.kind != CellKind::Error)
        return sheet.text(row, cell.column);
    std::string bytes(sheet.textOf(cell));
    std::erase_if(bytes, [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

std::vector<CellSeen> cellsOf(const Worksheet& sheet)
{
    std::vector<CellSeen> cells;
    for (int r = 1; r <= sheet.lastRow(); ++r) {
        for (const SheetCell& cell : sheet.row(r)->cells) {
            const CellKind kind = sheet.kind(r, cell.column);
            if (kind == CellKind::Empty)
                continue;
            FUZZ_CHECK(kind != CellKind::Number || std::isfinite(sheet.number(r, cell.column)));
            cells.push_back({r, cell.column, comparableKind(kind), sheet.number(r, cell.column),
                             comparable(sheet, r, cell)});
        }
    }
    return cells;
}

// The formats the output features ask for: size, weight, fill, hatching, edges, number format.
CellFormat sampleFormat(int n)
{
    CellFormat format;
    format.fontSize = 9 + n % 3;
    format.bold = int8_t(n % 2);
    format.fillColour = 0xCCFFFF + n;
    format.hatching = n % 2 ? Hatching::Light : Hatching::Keep;
    format.edges[CellFormat::Left] = CellFormat::Thin;
    format.edges[CellFormat::Bottom] = n % 2 ? CellFormat::NoLine : CellFormat::Thin;
    format.textNumberFormat = n % 3 == 0;
    if (n % 3 == 1)
        format.numberFormat = "#,##0.0";
    return format;
}

// One line per cell of a row as the import readers receive it.
void appendRowLines(QStringList& lines, const SheetRowCells& row)
{
    for (const RowCell& cell : row.cells())
        lines.append(QStringLiteral("%1,%2 %3 %4").arg(row.row()).arg(cell.column).arg(int(cell.kind)).arg(row.text(cell.column)));
}

// The streaming reader of the imports on the same bytes: rows in ascending order, each with
// cells in column order inside the sheet, no empty or shared kinds, finite numbers, and a failure
// always with its reason. When both readers take the workbook, the rows are those of the whole
// sheet read into memory (`sheet`).
void checkStreamedRows(const QByteArray& bytes, const Worksheet* sheet)
{
    constexpr qint64 MaxCells = 200000;
    int lastRow = 0;
    qint64 cells = 0;
    QStringList streamed;
    const SheetRowVisitor visit = [&](const SheetRowCells& row) {
        FUZZ_CHECK(row.row() > lastRow && row.row() <= SheetLimits::MaxRow);
        FUZZ_CHECK(!row.cells().empty());
        lastRow = row.row();
        int column = 0;
        for (const RowCell& cell : row.cells()) {
            FUZZ_CHECK(cell.column > column && cell.column <= SheetLimits::MaxColumn);
            column = cell.column;
            FUZZ_CHECK(cell.kind != CellKind::Empty && cell.kind != CellKind::SharedText);
            FUZZ_CHECK(cell.kind != CellKind::Number || std::isfinite(cell.number));
            FUZZ_CHECK(row.find(cell.column) == &cell);
            ++cells;
        }
        appendRowLines(streamed, row);
        return true;
    };
    const WorkbookStatus status = ReadSheetRowsFromBytes(bytes, QStringLiteral("fuzz.xlsx"), {8ll * 1024 * 1024, MaxCells}, visit);
    FUZZ_CHECK(status.ok() || !status.detail.isEmpty());
    FUZZ_CHECK(cells <= MaxCells);
    if (!status || !sheet)
        return;
    QStringList whole;
    VisitWorksheetRows(*sheet, [&whole](const SheetRowCells& row) {
        appendRowLines(whole, row);
        return true;
    });
    for (qsizetype i = 0; i < std::max(whole.size(), streamed.size()); ++i) {
        if (whole.value(i) != streamed.value(i)) {
            std::fprintf(stderr, "whole sheet [%s], stream [%s]\n", whole.value(i).toUtf8().constData(),
                         streamed.value(i).toUtf8().constData());
            break;
        }
    }
    FUZZ_CHECK(whole == streamed);
}

} // namespace

void CheckXlsxBytes(const QByteArray& bytes)
{
    WorkbookStatus status;
    std::unique_ptr<Workbook> book = Workbook::fromBytes(bytes, QStringLiteral("fuzz.xlsx"), status);
    FUZZ_CHECK(bool(book) == status.ok());
    checkStreamedRows(bytes, book ? &book->sheet() : nullptr);
    if (!book)
        return;
    FUZZ_CHECK(book->format() == Workbook::Format::Xlsx);
    ReadWholeSheet(book->sheet());

    // Formats derived from the file's own cell formats, on a few cells and on a new one.
    Worksheet& sheet = book->sheet();
    int formatted = 0;
    for (int r = 1; r <= sheet.lastRow() && formatted < 8; ++r) {
        for (const SheetCell& cell : sheet.row(r)->cells) {
            if (formatted >= 8)
                break;
            sheet.applyFormat(r, cell.column, sampleFormat(formatted++));
        }
    }
    sheet.applyFormat(1, 1, sampleFormat(formatted));
    const std::vector<CellSeen> before = cellsOf(sheet);

    const QString path = ScratchPath("xlsx");
    book->setPath(path);
    const WorkbookStatus saved = book->save();
    book.reset();
    if (saved) {
        // What the program wrote it must read back, with the same values.
        std::unique_ptr<Workbook> again = Workbook::load(path, status);
        FUZZ_CHECK(again != nullptr);
        ReadWholeSheet(again->sheet());
        const std::vector<CellSeen> after = cellsOf(again->sheet());
        FUZZ_CHECK(after.size() == before.size());
        for (size_t i = 0; i < before.size(); ++i) {
            if (after[i].text != before[i].text || after[i].kind != before[i].kind)
                std::fprintf(stderr, "cell %d,%d: kind %d \"%s\" read back as kind %d \"%s\"\n", before[i].row,
                             before[i].column, int(before[i].kind), before[i].text.toUtf8().constData(),
                             int(after[i].kind), after[i].text.toUtf8().constData());
            FUZZ_CHECK(after[i].row == before[i].row && after[i].column == before[i].column);
            FUZZ_CHECK(after[i].kind == before[i].kind);
            FUZZ_CHECK(after[i].number == before[i].number);
            FUZZ_CHECK(after[i].text == before[i].text);
        }
    }
    QFile::remove(path);
}
