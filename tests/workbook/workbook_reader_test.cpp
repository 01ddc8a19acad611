// Reading workbooks: the fixtures saved by a spreadsheet program in both formats, and damaged
// or hostile files, which must end in an error number and never in a crash or a hang.
#include "workbook/biff_formulas.h"
#include "workbook/sheet_row_reading.h"
#include "workbook/workbook_operations.h"
#include "workbook/zip_package.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

#include <initializer_list>
#include <utility>

using namespace Qt::StringLiterals;

namespace {
QString dataFile(const char* name)
{
    return QStringLiteral(TEV_TEST_DATA_DIR "/workbook/") + QString::fromUtf8(name);
}

std::unique_ptr<Workbook> read(const char* name)
{
    std::unique_ptr<Workbook> book;
    const WorkbookStatus status = OpenForReading(dataFile(name), book);
    EXPECT_TRUE(status.ok()) << name << ": " << status.error << " " << status.detail.toStdString();
    return book;
}

// The item form fixture with some of its parts replaced, saved as `path`.
bool SaveFixtureWithParts(const QString& path, std::initializer_list<std::pair<const char*, const char*>> parts)
{
    QFile fixture(dataFile("Mb在庫品INP.xlsx"));
    ZipPackage package;
    if (!fixture.open(QIODevice::ReadOnly) || !package.open(fixture.readAll()).ok())
        return false;
    for (const auto& [name, xml] : parts)
        package.replace(name, xml);
    return package.save(path).ok();
}

class BothFormats : public testing::TestWithParam<const char*> {};
} // namespace

TEST_P(BothFormats, ItemFormReadsTextNumbersAndCaptions)
{
    const auto book = read((std::string("Mb在庫品INP") + GetParam()).c_str());
    ASSERT_TRUE(book);
    const Worksheet& sheet = book->sheet();
    EXPECT_EQ(sheet.text(3, 2), QStringLiteral("在庫品数"));
    EXPECT_EQ(sheet.text(3, 3), QStringLiteral("6"));
    EXPECT_EQ(sheet.text(4, 15), QStringLiteral("2020/05"));
    EXPECT_EQ(sheet.text(4, 30), QStringLiteral("使用開始"));
    EXPECT_FALSE(sheet.text(5, 4).isEmpty());
}

TEST_P(BothFormats, DailyWorkbookGivesTheStoredSumsOfItsFormulas)
{
    const auto book = read((std::string("Mb入出庫月報") + GetParam()).c_str());
    ASSERT_TRUE(book);
    const Worksheet& sheet = book->sheet();
    EXPECT_EQ(sheet.text(4, 3), QStringLiteral("A-001"));
    EXPECT_TRUE(sheet.hasFormula(4, 7));
    EXPECT_EQ(sheet.kind(4, 7), CellKind::Number);
    double days = 0;
    for (int column = 8; column <= 38; ++column) // H … AL
        days += sheet.number(4, column);
    EXPECT_EQ(sheet.number(4, 7), days);
    EXPECT_GT(days, 0);
}

TEST_P(BothFormats, VocabularyFormKeepsLeadingZerosOfText)
{
    const auto book = read((std::string("Mb在庫品項目INP") + GetParam()).c_str());
    ASSERT_TRUE(book);
    bool found = false;
    for (int row = 5; row < 12; ++row)
        found = found || book->sheet().text(row, 3) == QStringLiteral("0012");
    EXPECT_TRUE(found);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, BothFormats, testing::Values(".xlsx", ".xls"));

TEST(WorkbookReader, FormatIsChosenByContentNotByName)
{
    std::unique_ptr<Workbook> book;
    ASSERT_TRUE(OpenForReading(dataFile("ledger_layout_INP.xls"), book).ok());
    EXPECT_EQ(book->format(), Workbook::Format::Xls);
    ASSERT_TRUE(OpenForReading(dataFile("ledger_layout_INP.xlsx"), book).ok());
    EXPECT_EQ(book->format(), Workbook::Format::Xlsx);
    FinishAfterReading(book);
    EXPECT_FALSE(book);
}

TEST(WorkbookReader, DamagedAndHostileFilesEndInAnErrorNumber)
{
    const struct {
        const char* name;
        int error;
    } cases[] = {
        {"damaged/truncated.xlsx", 432},     {"damaged/wrong_xml.xlsx", 432},
        {"damaged/missing_sheet.xlsx", 432}, {"damaged/huge_dimension.xlsx", 432},
        {"damaged/zip_bomb.xlsx", 432},      {"damaged/cut_in_half.xls", 432},
        {"damaged/garbage_after_header.xls", 432}, {"damaged/not_a_workbook.xlsx", 432},
        {"damaged/empty.xlsx", 432},         {"damaged/no_such_file.xlsx", 53},
        {"no_such_folder/Mb在庫品INP.xlsx", 76},
        // A compound file header with an impossible mini sector size and no directory: the
        // .xls library would read far past its buffers.
        {"damaged/bad_mini_sector_size.xls", 432},
        // sound container, damaged records: the .xls library reads past a heap buffer (it runs
        // in a child process, so only that child fails)
        {"damaged/library_reads_past_its_buffer.xls", 432},
    };
    for (const auto& c : cases) {
        std::unique_ptr<Workbook> book;
        const WorkbookStatus status = OpenForReading(dataFile(c.name), book);
        EXPECT_EQ(status.error, c.error) << c.name;
        EXPECT_FALSE(book) << c.name;
    }
}

TEST(WorkbookReader, EntitiesOfADoctypeAreNeverExpanded)
{
    std::unique_ptr<Workbook> book;
    const WorkbookStatus status = OpenForReading(dataFile("damaged/external_entity.xlsx"), book);
    if (!status.ok()) {
        EXPECT_EQ(status.error, 432);
        return;
    }
    for (int row = 1; row <= book->sheet().lastRow(); ++row) {
        for (int column = 1; column <= 30; ++column) {
            EXPECT_FALSE(book->sheet().text(row, column).contains(QStringLiteral("root:")));
            EXPECT_FALSE(book->sheet().text(row, column).contains(QStringLiteral("aaaaaaaaaa")));
        }
    }
}

TEST(WorkbookReader, LegacyFormulaRecordsOutsideTheSheetsColumnsAreIgnored)
{
    QFile file(dataFile("Mb入出庫月報.xls"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    const std::vector<BiffFormula> before = FindFirstSheetFormulas(bytes);
    ASSERT_FALSE(before.empty());

    // The first formula record (type 6, its length, row, column) moved to column 321.
    const auto u16 = [&](qsizetype at) { return uint8_t(bytes[at]) | (uint8_t(bytes[at + 1]) << 8); };
    qsizetype at = 0;
    while (at + 8 <= bytes.size()
           && !(u16(at) == 6 && u16(at + 2) >= 20 && u16(at + 4) == before[0].row && u16(at + 6) == before[0].column))
        ++at;
    ASSERT_LE(at + 8, bytes.size());
    bytes[at + 6] = char(0x40);
    bytes[at + 7] = char(0x01);

    const std::vector<BiffFormula> after = FindFirstSheetFormulas(bytes);
    EXPECT_EQ(after.size(), before.size() - 1);
    for (const BiffFormula& formula : after)
        EXPECT_LT(formula.column, 256);
}

TEST(WorkbookReader, OnlyFiniteValuesReadAsNumbers)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("values.xlsx"));
    ASSERT_TRUE(SaveFixtureWithParts(path, {{"xl/worksheets/sheet1.xml",
                                             "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
                                             "<row r=\"1\"><c r=\"A1\"><v>inf</v></c><c r=\"B1\"><v>-nan</v></c>"
                                             "<c r=\"C1\"><v>1e999</v></c><c r=\"D1\"><v>-12.5</v></c></row></sheetData></worksheet>"}}));

    std::unique_ptr<Workbook> book;
    ASSERT_TRUE(OpenForReading(path, book).ok());
    const Worksheet& sheet = book->sheet();
    EXPECT_EQ(sheet.kind(1, 1), CellKind::Text);
    EXPECT_EQ(sheet.text(1, 1), QStringLiteral("inf"));
    EXPECT_EQ(sheet.kind(1, 2), CellKind::Text);
    EXPECT_EQ(sheet.kind(1, 3), CellKind::Text);
    EXPECT_EQ(sheet.kind(1, 4), CellKind::Number);
    EXPECT_EQ(sheet.number(1, 4), -12.5);
}

// Spreadsheet programs write a carriage return and other characters XML cannot carry as "_xHHHH_"
// escapes, in shared strings, inline strings and string results; the reader gives the characters.
// What the writer writes reads back as it was, escape-like text included.
TEST(WorkbookReader, EscapedCharactersAreDecodedAndWrittenBackTheSameWay)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("escapes.xlsx"));
    ASSERT_TRUE(SaveFixtureWithParts(
        path, {{"xl/sharedStrings.xml",
                "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                "<si><t>行1_x000D_行2</t></si><si><r><t>_x005F_x0041_</t></r><r><t>_xD842__xDFB7_</t></r></si></sst>"},
               {"xl/worksheets/sheet1.xml",
                "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
                "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
                "<c r=\"C1\" t=\"inlineStr\"><is><t>a_x0009_b_xd800_c</t></is></c>"
                "<c r=\"D1\" t=\"str\"><f>A1</f><v>x_x000A_y</v></c><c r=\"E1\" t=\"inlineStr\"><is><t>_x12_</t></is></c>"
                "<c r=\"F1\" t=\"e\"><v>#N/A_x0011_</v></c></row></sheetData></worksheet>"}}));

    const QString expected[] = {QStringLiteral("行1\r行2"), QStringLiteral("_x0041_𠮷"), QStringLiteral("a\tb_xd800_c"),
                                QStringLiteral("x\ny"), QStringLiteral("_x12_")};
    std::unique_ptr<Workbook> book;
    ASSERT_TRUE(OpenForReading(path, book).ok());
    for (int column = 1; column <= 5; ++column)
        EXPECT_EQ(book->sheet().text(1, column), expected[column - 1]) << column;

    // Written as inline text and read again: the same characters.
    const QString written = dir.filePath(QStringLiteral("again.xlsx"));
    std::unique_ptr<Workbook> out;
    ASSERT_TRUE(OpenOutputFromTemplate(path, written, out).ok());
    for (int column = 1; column <= 5; ++column)
        out->Cells(2, column).setValue(expected[column - 1]);
    out->Cells(2, 6).setValue(QStringLiteral("a\x01z"));
    ASSERT_TRUE(out->save().ok());
    std::unique_ptr<Workbook> again;
    ASSERT_TRUE(OpenForReading(written, again).ok());
    for (int column = 1; column <= 5; ++column)
        EXPECT_EQ(again->sheet().text(2, column), expected[column - 1]) << column;
    EXPECT_EQ(again->sheet().text(2, 6), QStringLiteral("a\x01z"));
    // An error value kept from the file is written back as the same value.
    EXPECT_EQ(again->sheet().kind(1, 6), CellKind::Error);
    EXPECT_EQ(again->sheet().text(1, 6), QStringLiteral("#N/A\x11"));
}

namespace {

// Every row of the workbook at `path` as the streaming reader hands it over, one line per cell:
// "row,column kind text".
QStringList streamedCells(const QString& path, WorkbookStatus& status,
                          SheetReadLimits limits = {256ll * 1024 * 1024, 10'000'000})
{
    QStringList cells;
    status = ReadSheetRows(path, limits, [&cells](const SheetRowCells& row) {
        for (const RowCell& cell : row.cells())
            cells.append(QStringLiteral("%1,%2 %3 %4").arg(row.row()).arg(cell.column).arg(int(cell.kind)).arg(row.text(cell.column)));
        return true;
    });
    return cells;
}

// The same lines from the whole sheet in memory.
QStringList sheetCells(const Worksheet& sheet)
{
    QStringList cells;
    VisitWorksheetRows(sheet, [&cells](const SheetRowCells& row) {
        for (const RowCell& cell : row.cells())
            cells.append(QStringLiteral("%1,%2 %3 %4").arg(row.row()).arg(cell.column).arg(int(cell.kind)).arg(row.text(cell.column)));
        return true;
    });
    return cells;
}

} // namespace

TEST(SheetRowStream, GivesTheCellsTheWholeSheetReaderGivesForEveryFixture)
{
    for (const char* name : {"Mb在庫品INP.xlsx", "Mb在庫品項目INP.xlsx", "Mb入出庫月報.xlsx", "ledger_layout_INP.xlsx",
                             "Mb在庫品INP.xls"}) {
        SCOPED_TRACE(name);
        const auto book = read(name);
        ASSERT_TRUE(book);
        WorkbookStatus status;
        const QStringList streamed = streamedCells(dataFile(name), status);
        ASSERT_TRUE(status.ok()) << status.detail.toStdString();
        EXPECT_FALSE(streamed.isEmpty());
        EXPECT_EQ(streamed, sheetCells(book->sheet()));
    }
}

TEST(SheetRowStream, ReadsWhatOtherProgramsWriteAndRefusesWhatNoneDoes)
{
    const char* const head = "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
    struct Case {
        const char* name;
        std::string sheet;
        QStringList cells; // expected, when the read succeeds
        int error;
    } cases[] = {
        {"a formula without its result is unreadable; an empty text result is empty",
         std::string(head) + "<row r=\"4\"><c r=\"H4\"><f>SUM(A1:A3)</f></c><c r=\"I4\" t=\"str\"><f>A1</f><v></v></c>"
             "<c r=\"J4\"><f>1/0</f><v/></c><c r=\"K4\" t=\"e\"><f>1/0</f><v>#DIV/0!</v></c></row></sheetData></worksheet>",
         {u"4,8 6 "_s, u"4,10 6 "_s, u"4,11 5 #DIV/0!"_s}, 0},
        {"cells in descending column order, and a column written twice (the last value stays)",
         std::string(head) + "<row r=\"2\"><c r=\"C2\"><v>3</v></c><c r=\"B2\"><v>2</v></c><c r=\"A2\"><v>1</v></c>"
             "<c r=\"B2\"><v>5</v></c></row></sheetData></worksheet>",
         {u"2,1 1 1"_s, u"2,2 1 5"_s, u"2,3 1 3"_s}, 0},
        {"prefixed element names, rows and cells without references, inline rich text without its reading",
         "<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><x:sheetData>"
         "<x:row><x:c><x:v>7</x:v></x:c><x:c t=\"inlineStr\"><x:is><x:r><x:t>東</x:t></x:r><x:r><x:t>京</x:t></x:r>"
         "<x:rPh><x:t>トウキョウ</x:t></x:rPh></x:is></x:c></x:row><x:row><x:c t=\"b\"><x:v>1</x:v></x:c></x:row>"
         "</x:sheetData></x:worksheet>",
         {u"1,1 1 7"_s, u"1,2 2 東京"_s, u"2,1 4 TRUE"_s}, 0},
        {"rows out of order", std::string(head) + "<row r=\"3\"><c><v>1</v></c></row><row r=\"2\"><c><v>1</v></c></row></sheetData></worksheet>",
         {}, WorkbookError::NotAWorkbook},
        {"a cell of another row", std::string(head) + "<row r=\"3\"><c r=\"A4\"><v>1</v></c></row></sheetData></worksheet>", {},
         WorkbookError::NotAWorkbook},
        {"a DOCTYPE", "<!DOCTYPE w [<!ENTITY a \"aaaa\">]>" + std::string(head) + "<row><c t=\"inlineStr\"><is><t>&a;</t></is></c></row></sheetData></worksheet>",
         {}, WorkbookError::NotAWorkbook},
        {"a shared string that is not there", std::string(head) + "<row><c t=\"s\"><v>99999</v></c></row></sheetData></worksheet>", {},
         WorkbookError::NotAWorkbook},
        {"malformed XML", std::string(head) + "<row><c><v>1</c></row>", {}, WorkbookError::NotAWorkbook},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QStringLiteral("case.xlsx"));
        ASSERT_TRUE(SaveFixtureWithParts(path, {{"xl/worksheets/sheet1.xml", c.sheet.c_str()}}));
        WorkbookStatus status;
        const QStringList cells = streamedCells(path, status);
        EXPECT_EQ(status.error, c.error) << status.detail.toStdString();
        if (c.error == 0)
            EXPECT_EQ(cells, c.cells);
    }
}

TEST(SheetRowStream, ALargerSheetIsRefusedWithItsSizeBeforeItIsRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.xlsx"));
    std::string sheet = "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
    for (int r = 1; r <= 2000; ++r)
        sheet += "<row r=\"" + std::to_string(r) + "\"><c><v>1</v></c><c><v>2</v></c></row>";
    sheet += "</sheetData></worksheet>";
    ASSERT_TRUE(SaveFixtureWithParts(path, {{"xl/worksheets/sheet1.xml", sheet.c_str()}}));

    WorkbookStatus status;
    int rows = 0;
    status = ReadSheetRows(path, {1000, 10'000'000}, [&rows](const SheetRowCells&) { return ++rows, true; });
    EXPECT_EQ(status.error, WorkbookError::TooLarge);
    EXPECT_EQ(status.found, qint64(sheet.size()));
    EXPECT_EQ(status.limit, 1000);
    EXPECT_EQ(rows, 0);

    rows = 0;
    status = ReadSheetRows(path, {256ll * 1024 * 1024, 3001}, [&rows](const SheetRowCells&) { return ++rows, true; });
    EXPECT_EQ(status.error, WorkbookError::TooLarge);
    EXPECT_EQ(status.detail, QStringLiteral("cells"));
    EXPECT_EQ(rows, 1500);

    // A reader that has what it needs stops the read; that is no failure.
    rows = 0;
    status = ReadSheetRows(path, {256ll * 1024 * 1024, 10'000'000}, [&rows](const SheetRowCells&) { return ++rows < 10; });
    EXPECT_TRUE(status.ok());
    EXPECT_EQ(rows, 10);
}

TEST(SheetRowStream, APartIsDecodedAsItsDeclarationSaysByBothReaders)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("declared.xlsx"));
    ASSERT_TRUE(SaveFixtureWithParts(
        path, {{"xl/worksheets/sheet1.xml",
                "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"
                "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
                "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Café</t></is></c></row></sheetData></worksheet>"}}));
    WorkbookStatus status;
    const auto book = Workbook::load(path, status);
    const QStringList streamed = streamedCells(path, status);
    ASSERT_TRUE(status.ok());
    // The bytes of "é" in UTF-8, read as the Latin-1 the part declares.
    EXPECT_EQ(streamed, QStringList{u"1,1 2 Caf\u00C3\u00A9"_s});
    ASSERT_TRUE(book);
    EXPECT_EQ(sheetCells(book->sheet()), streamed);
}
