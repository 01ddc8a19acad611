// The monthly in/out import: the daily workbook fixture in both formats against a small ledger,
// the import rules as a table of in-memory sheets, the refusals that leave the ledger as it
// was, and the note after the import.
#include "excel_import/daily_inout_workbook.h"
#include "excel_import/monthly_import.h"
#include "storage/item_record.h"
#include "storage/paths.h"
#include "support/temp_client_support.h"
#include "workbook/cell_address.h"
#include "workbook/workbook.h"

#include <QDir>
#include <QFile>
#include <QDate>
#include <QTemporaryDir>
#include <map>
#include <pugixml.hpp>
#include <gtest/gtest.h>
#include <variant>

using namespace Qt::StringLiterals;

namespace {

constexpr int In = QtyRow::Received;
constexpr int Out = QtyRow::Issued;
constexpr int TextField = 0; // a check of text[col] instead of qty[row][col]

const QString FixtureDir = QStringLiteral(TEV_TEST_DATA_DIR "/workbook/");

struct Check {
    int row; // In, Out or TextField
    int col;
    QString value;
};

QString valueOf(const ItemRecord& record, const Check& check)
{
    return check.row == TextField ? record.text(check.col) : record.qty(check.row, check.col);
}

ItemRecord readRecord(const QString& ledgerPath, int n)
{
    const QByteArray bytes = TempClient::readBytes(ledgerPath);
    ItemRecord record;
    if (bytes.size() >= n * ItemRecord::Length)
        record.assignBytes(bytes.constData() + (n - 1) * ItemRecord::Length);
    return record;
}

class MonthlyImportTest : public ::testing::Test {
protected:
    void SetUp() override { client.state.SharedSettings[SharedLine::StartMonth] = u"2026/04"_s; }

    void writeLedger(const QList<ItemRecord>& items)
    {
        QFile file(client.ledgerPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (const ItemRecord& item : items)
            file.write(item.data(), ItemRecord::Length);
    }
    QByteArray ledgerBytes() const { return TempClient::readBytes(client.ledgerPath()); }
    ItemRecord record(int n) const { return readRecord(client.ledgerPath(), n); }

    static ItemRecord item(const QString& number, const QString& name, const QString& price, const QString& previous)
    {
        ItemRecord record;
        record.setText(ItemField::Number, number);
        record.setText(ItemField::Name, name);
        record.setText(ItemField::UnitPrice, price);
        record.setText(ItemField::PreviousStock, previous);
        record.setText(ItemField::Stock, previous);
        record.setText(ItemField::StockValue, QString::number(price.toDouble() * previous.toDouble()));
        return record;
    }

    TempClient client;
};

// The items of the daily fixture: A-001 has 7 received in month 2 that the workbook's 0 empties
// and a planned quantity that gives a rate; B-010 cannot issue the 200 of the fixture; a second
// A-001 further down is never the one found.
class MonthlyFixtureTest : public MonthlyImportTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override
    {
        MonthlyImportTest::SetUp();
        ItemRecord a001 = item(u"A-001"_s, u"ボルト"_s, u"100"_s, u"10"_s);
        a001.setQty(In, 2, u"7"_s);
        a001.setQty(In, QtyColumn::Total, u"7"_s);
        a001.setQty(In, QtyColumn::Planned, u"10"_s);
        a001.setText(ItemField::Stock, u"17"_s);
        ItemRecord b010 = item(u"B-010"_s, u"ベアリング"_s, u"10"_s, u"50"_s);
        b010.setQty(Out, QtyColumn::Total, u"0"_s);
        writeLedger({a001, item(u"A-002"_s, u"ナット"_s, u"5"_s, u"3"_s), b010, item(u"C-100"_s, u"グリス"_s, u"1"_s, u"0"_s),
                     item(u"A-001"_s, u"ボルト（別）"_s, u"100"_s, u"1"_s)});
    }
    QString fixture() const { return FixtureDir + QString::fromUtf8(GetParam()); }
};

TEST_P(MonthlyFixtureTest, ImportsUpToTheUnknownItem)
{
    const QByteArray before = ledgerBytes();
    const MonthlyImportResult result = ImportMonthlyWorkbook(client.state, fixture());
    ASSERT_TRUE(result.completed()) << result.workbook.detail.toStdString();
    EXPECT_EQ(result.applied, 3);
    EXPECT_EQ(result.skipped, 1) << "2025/12 lies before the ledger year";
    EXPECT_EQ(result.unknownRow, 12);
    EXPECT_EQ(result.unknownItem, u"ZZ-999"_s);
    ASSERT_EQ(result.negatives.size(), 1);
    EXPECT_EQ(result.negatives[0].recordNo, 3);
    EXPECT_EQ(result.negatives[0].itemNumber, u"B-010"_s);
    EXPECT_EQ(result.negatives[0].stock, -150);
    EXPECT_TRUE(result.unfitting.isEmpty());
    EXPECT_EQ(result.commit.recordCount, 5);

    const ItemRecord a001 = record(1);
    for (const Check& check : {Check{In, 1, u"5"_s}, Check{Out, 1, u"1"_s}, Check{In, 2, u""_s}, Check{Out, 2, u"5"_s},
                               Check{In, 13, u"5"_s}, Check{Out, 13, u"6"_s}, Check{In, 15, u"500"_s},
                               Check{TextField, ItemField::Stock, u"9"_s}, Check{TextField, ItemField::StockValue, u"900"_s}})
        EXPECT_EQ(valueOf(a001, check), check.value) << "A-001 qty/text " << check.row << "," << check.col;

    // B-010: the 200 issued in 2026/06 stands, its totals, stock and value stay.
    const ItemRecord b010 = record(3);
    EXPECT_EQ(b010.qty(Out, 3), u"200"_s);
    EXPECT_EQ(b010.qty(Out, 13), u"0"_s);
    EXPECT_EQ(b010.text(ItemField::Stock), u"50"_s);
    EXPECT_EQ(b010.text(ItemField::StockValue), u"500"_s);

    // A-002 (outside the year), C-100 (after the unknown item) and the second A-001 are untouched.
    for (int n : {2, 4, 5})
        EXPECT_EQ(ledgerBytes().mid((n - 1) * ItemRecord::Length, ItemRecord::Length),
                  before.mid((n - 1) * ItemRecord::Length, ItemRecord::Length))
            << "record " << n;

    const QString notes = MonthlyImportNotes(result);
    EXPECT_TRUE(notes.contains(u"ZZ-999"_s) && notes.contains(u"12行目"_s)) << notes.toStdString();
    EXPECT_TRUE(notes.contains(u"　No 3　B-010　ベアリング　在庫数 -150"_s)) << notes.toStdString();
}

TEST_P(MonthlyFixtureTest, CheckOnlyReportsTheSameAndWritesNothing)
{
    const QByteArray before = ledgerBytes();
    const MonthlyImportResult result = ImportMonthlyWorkbook(client.state, fixture(), {}, MonthlyImportWrite::CheckOnly);
    EXPECT_TRUE(result.commit.ok());
    EXPECT_FALSE(result.completed());
    EXPECT_EQ(result.applied, 3);
    EXPECT_EQ(result.unknownRow, 12);
    EXPECT_EQ(result.negatives.size(), 1);
    EXPECT_EQ(ledgerBytes(), before);
}

INSTANTIATE_TEST_SUITE_P(BothFormats, MonthlyFixtureTest, ::testing::Values("Mb入出庫月報.xlsx", "Mb入出庫月報.xls"));

// A G cell of a sheet built in memory: a number, a text ("'abc"), an error value ("#REF!"), a
// formula whose result cannot be read, or nothing.
struct Unreadable {};
using G = std::variant<std::monostate, double, QString, Unreadable>;

struct Pair {
    QString yearMonth;
    QString itemNumber;
    G received;
    G issued;
};

void setG(Worksheet& sheet, int row, const G& value)
{
    if (const double* number = std::get_if<double>(&value))
        sheet.setNumber(row, 7, *number);
    else if (const QString* text = std::get_if<QString>(&value))
        text->startsWith(u'#') ? sheet.setError(row, 7, text->toStdString()) : sheet.setText(row, 7, *text);
    else if (std::holds_alternative<Unreadable>(value))
        sheet.setUnreadableFormula(row, 7);
}

std::vector<MonthlyPair> pairsOf(const std::vector<Pair>& pairs)
{
    auto book = Workbook::createBlank(QString());
    Worksheet& sheet = book->sheet();
    int row = 4;
    for (const Pair& pair : pairs) {
        sheet.setText(row, 2, pair.yearMonth);
        sheet.setText(row, 3, pair.itemNumber);
        setG(sheet, row, pair.received);
        setG(sheet, row + 1, pair.issued);
        row += 2;
    }
    return ReadMonthlyImport(sheet);
}

// One item K1: previous-year stock 10, 4 received in month 1 against 8 planned, unit price 2.
TEST_F(MonthlyImportTest, ImportRules)
{
    struct Case {
        const char* name;
        std::vector<Pair> pairs;
        int applied;
        int skipped;
        int unknownRow;
        int unusableRow;
        qsizetype negatives;
        qsizetype unfitting;
        std::vector<Check> checks; // K1 afterwards; none: K1 unchanged
    } cases[] = {
        {"a year-month outside the ledger year is skipped", {{u"2027/04"_s, u"K1"_s, 5.0, 1.0}, {u"2026/3"_s, u"K1"_s, 5.0, {}}},
         0, 2, 0, 0, 0, 0, {}},
        {"a pair without item number is skipped, the list goes on",
         {{u"2026/04"_s, u""_s, 5.0, {}}, {u"2026/05"_s, u" K1 "_s, 2.0, {}}}, 1, 1, 0, 0, 0, 0,
         {{In, 2, u"2"_s}, {In, 13, u"6"_s}, {TextField, ItemField::Stock, u"16"_s}}},
        {"an unknown item stops the import, the later pair is not read",
         {{u"2026/04"_s, u"X9"_s, 1.0, {}}, {u"2026/04"_s, u"K1"_s, 5.0, {}}}, 0, 0, 4, 0, 0, 0, {}},
        {"0 empties the month and the totals follow",
         {{u"2026/04"_s, u"K1"_s, 0.0, 2.0}}, 1, 0, 0, 0, 0, 0,
         {{In, 1, u""_s}, {Out, 1, u"2"_s}, {In, 13, u"0"_s}, {Out, 13, u"2"_s}, {In, 15, u"500"_s},
          {TextField, ItemField::Stock, u"8"_s}, {TextField, ItemField::StockValue, u"16"_s}}},
        {"the later pair for the same month wins",
         {{u"2026/05"_s, u"K1"_s, 6.0, 1.0}, {u"2026/05"_s, u"K1"_s, 4.0, {}}}, 2, 0, 0, 0, 0, 0,
         {{In, 2, u"4"_s}, {Out, 2, u""_s}, {In, 13, u"8"_s}, {In, 15, u"1000"_s}, {TextField, ItemField::Stock, u"18"_s}}},
        {"a negative stock keeps totals, stock and value",
         {{u"2026/05"_s, u"K1"_s, {}, 30.0}}, 1, 0, 0, 0, 1, 0,
         {{Out, 2, u"30"_s}, {Out, 13, u""_s}, {TextField, ItemField::Stock, u"14"_s}, {TextField, ItemField::StockValue, u"28"_s}}},
        {"a later month that makes up the shortage recomputes the item",
         {{u"2026/05"_s, u"K1"_s, {}, 30.0}, {u"2026/06"_s, u"K1"_s, 20.0, {}}}, 2, 0, 0, 0, 0, 0,
         {{Out, 2, u"30"_s}, {In, 3, u"20"_s}, {TextField, ItemField::Stock, u"4"_s}, {TextField, ItemField::StockValue, u"8"_s}}},
        {"a total too long for its field is not stored cut",
         {{u"2026/05"_s, u"K1"_s, 9999999.0, {}}, {u"2026/06"_s, u"K1"_s, 9999999.0, {}}}, 2, 0, 0, 0, 0, 1,
         {{In, 2, u"9999999"_s}, {In, 3, u"9999999"_s}, {In, 13, u"4"_s}, {TextField, ItemField::Stock, u"14"_s}}},
        {"decimal totals of a formula are taken to 15 digits",
         {{u"2026/05"_s, u"K1"_s, 0.1 + 0.2, u" 1.5 "_s}}, 1, 0, 0, 0, 0, 0,
         {{In, 2, u"0.3"_s}, {Out, 2, u"1.5"_s}, {In, 13, u"4.3"_s}, {TextField, ItemField::Stock, u"12.8"_s}}},
        {"text in G refuses the whole import", {{u"2026/05"_s, u"K1"_s, 3.0, {}}, {u"2026/06"_s, u"K1"_s, u"abc"_s, {}}},
         1, 0, 0, 6, 0, 0, {}},
        {"a formula result that cannot be read refuses the import", {{u"2026/05"_s, u"K1"_s, {}, Unreadable{}}}, 0, 0, 0, 5,
         0, 0, {}},
        {"an error value refuses the import", {{u"2026/05"_s, u"K1"_s, u"#REF!"_s, {}}}, 0, 0, 0, 4, 0, 0, {}},
        {"a number longer than a month field refuses the import", {{u"2026/05"_s, u"K1"_s, 12345678.0, {}}}, 0, 0, 0, 4, 0,
         0, {}},
        {"an unusable cell of a skipped pair does not matter", {{u"2025/05"_s, u"K1"_s, u"#REF!"_s, {}}}, 0, 1, 0, 0, 0, 0,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ItemRecord k1 = item(u"K1"_s, u"品"_s, u"2"_s, u"10"_s);
        k1.setQty(In, 1, u"4"_s);
        k1.setQty(In, QtyColumn::Total, u"4"_s);
        k1.setQty(In, QtyColumn::Planned, u"8"_s);
        k1.setQty(In, QtyColumn::Rate, u"500"_s);
        k1.setText(ItemField::Stock, u"14"_s);
        k1.setText(ItemField::StockValue, u"28"_s);
        writeLedger({k1});
        const QByteArray before = ledgerBytes();

        const MonthlyImportResult result = ApplyMonthlyImport(client.state, pairsOf(c.pairs));

        EXPECT_EQ(result.applied, c.applied);
        EXPECT_EQ(result.skipped, c.skipped);
        EXPECT_EQ(result.unknownRow, c.unknownRow);
        EXPECT_EQ(result.unusable.isEmpty() ? 0 : result.unusable.front().row, c.unusableRow);
        EXPECT_EQ(result.completed(), c.unusableRow == 0);
        EXPECT_EQ(result.negatives.size(), c.negatives);
        EXPECT_EQ(result.unfitting.size(), c.unfitting);
        if (c.checks.empty()) {
            EXPECT_EQ(ledgerBytes(), before);
        }
        for (const Check& check : c.checks)
            EXPECT_EQ(valueOf(record(1), check), check.value) << check.row << "," << check.col;
    }
}

TEST_F(MonthlyImportTest, EveryUnusableTotalIsNamedAndNothingIsWritten)
{
    writeLedger({item(u"K1"_s, u"品"_s, u"2"_s, u"10"_s)});
    const QByteArray before = ledgerBytes();
    const MonthlyImportResult result = ApplyMonthlyImport(
        client.state, pairsOf({{u"2026/05"_s, u"K1"_s, Unreadable{}, 1.0},
                               {u"2026/06"_s, u"K1"_s, 2.0, u"#REF!"_s},
                               {u"2026/07"_s, u"K1"_s, 12345678.0, {}}}));
    EXPECT_FALSE(result.completed());
    EXPECT_EQ(ledgerBytes(), before);
    const QStringList lines = MonthlyImportRefusal(result, u"x.xlsx"_s).split(u'\r');
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines.mid(0, 3), (QStringList{u"　4行目のG列（月合計）の計算結果が保存されていないため読み取れません。"_s,
                                           u"　7行目のG列（月合計）の「#REF!」は月の数量として取り込めません。"_s,
                                           u"　8行目のG列（月合計）の「12345678」は月の数量として取り込めません。"_s}));
    EXPECT_EQ(lines.back(), u"　在庫品台帳は変更していません。"_s);

    // A year-month or item number without its result neither ends the pairs nor skips one.
    auto book = Workbook::createBlank(QString());
    Worksheet& sheet = book->sheet();
    sheet.setText(4, 2, u"2026/05"_s);
    sheet.setUnreadableFormula(4, 3);
    sheet.setNumber(4, 7, 1);
    sheet.setUnreadableFormula(6, 2);
    sheet.setUnreadableFormula(6, 3);
    sheet.setText(8, 2, u"2026/06"_s);
    sheet.setText(8, 3, u"K1"_s);
    sheet.setNumber(8, 7, 2);
    const std::vector<MonthlyPair> pairs = ReadMonthlyImport(sheet);
    ASSERT_EQ(pairs.size(), 3u);
    const MonthlyImportResult keys = ApplyMonthlyImport(client.state, pairs);
    EXPECT_FALSE(keys.completed());
    EXPECT_EQ(ledgerBytes(), before);
    EXPECT_EQ(MonthlyImportRefusal(keys, u"x.xlsx"_s).split(u'\r').mid(0, 3),
              (QStringList{u"　4行目のC列の計算結果が保存されていないため読み取れません。"_s,
                           u"　6行目のB列の計算結果が保存されていないため読み取れません。"_s,
                           u"　6行目のC列の計算結果が保存されていないため読み取れません。"_s}));
}

TEST_F(MonthlyImportTest, AYearMonthTheSpreadsheetMadeADateIsTakenAsItsMonth)
{
    writeLedger({item(u"K1"_s, u"品"_s, u"2"_s, u"10"_s)});
    auto book = Workbook::createBlank(QString());
    Worksheet& sheet = book->sheet();
    // "2026/05" typed into a General cell is kept as the date 2026-05-01.
    sheet.setNumber(4, 2, double(QDate(1899, 12, 30).daysTo(QDate(2026, 5, 1))));
    sheet.setText(4, 3, u"K1"_s);
    sheet.setNumber(4, 7, 3);
    sheet.setText(6, 2, u"2027/05"_s); // outside the ledger year
    sheet.setText(6, 3, u"K1"_s);
    sheet.setNumber(6, 7, 1);
    const std::vector<MonthlyPair> pairs = ReadMonthlyImport(sheet);
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].yearMonth, u"2026/05"_s);

    const MonthlyImportResult result = ApplyMonthlyImport(client.state, pairs);
    EXPECT_TRUE(result.completed());
    EXPECT_EQ(result.applied, 1);
    EXPECT_EQ(record(1).qty(In, 2), u"3"_s);
    // The screen says what the command line counts.
    EXPECT_TRUE(MonthlyImportNotes(result).contains(u"在庫品Noのない 1 組"_s)) << MonthlyImportNotes(result).toStdString();
}

TEST_F(MonthlyImportTest, AMissingOrDamagedWorkbookWritesNothing)
{
    writeLedger({item(u"A-001"_s, u"ボルト"_s, u"100"_s, u"10"_s)});
    const QByteArray before = ledgerBytes();
    struct Case {
        QString path;
        QString message;
    } cases[] = {
        {client.dataFolder() + u"M在庫資料/Mb入出庫月報.xls"_s, u"　日毎入出庫数量のExcelファイルが見つかりません。"_s},
        {FixtureDir + u"damaged/cut_in_half.xls"_s, u"　日毎入出庫数量のExcelファイルを読み込めません。"_s},
        {FixtureDir + u"damaged/not_a_workbook.xlsx"_s, u"　日毎入出庫数量のExcelファイルを読み込めません。"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const MonthlyImportResult result = ImportMonthlyWorkbook(client.state, c.path);
        EXPECT_FALSE(result.workbook.ok());
        EXPECT_FALSE(result.completed());
        const QString refusal = MonthlyImportRefusal(result, c.path);
        EXPECT_TRUE(refusal.startsWith(c.message + u'\r' + u"　"_s + c.path)) << refusal.toStdString();
        EXPECT_EQ(ledgerBytes(), before);
    }
}

TEST(MonthlyImportNotesTest, NamesTheUnknownItemAndListsKeptItemsUpToALimit)
{
    MonthlyImportResult result;
    EXPECT_EQ(MonthlyImportNotes(result), QString());

    for (int n = 1; n <= 23; ++n)
        result.negatives.append({n, u"N%1"_s.arg(n), u"品"_s, -1.5});
    result.unfitting.append({30, u"L1"_s, u"大"_s, 20000000});
    const QStringList lines = MonthlyImportNotes(result).split(u'\r');
    EXPECT_EQ(lines[0], u"　次の在庫品は在庫数がマイナスになります。"_s);
    EXPECT_EQ(lines[2], u"　No 1　N1　品　在庫数 -1.5"_s);
    EXPECT_EQ(lines[21], u"　No 20　N20　品　在庫数 -1.5"_s);
    EXPECT_EQ(lines[22], u"　ほか 3 件"_s);
    EXPECT_EQ(lines[23], QString());
    EXPECT_EQ(lines[24], u"　次の在庫品は入出庫計か達成率が7桁の入力枠に収まりません。"_s);
    EXPECT_EQ(lines.back(), u"　No 30　L1　大　在庫数 20000000"_s);
}

TEST_F(MonthlyImportTest, TheWorkbookForEditingIsMadeFromTheBlankFormOnlyWhenMissing)
{
    const QString documents = client.dataFolder() + u"M在庫資料/"_s;
    const QString formFolder = client.clientFolder() + u"原本INP/"_s;

    DailyWorkbookForEditing prepared = PrepareDailyInOutWorkbook(client.state);
    EXPECT_TRUE(prepared.problem.startsWith(u"　M在庫資料フォルダーが見つかりません。"_s)) << prepared.problem.toStdString();

    QDir().mkpath(documents);
    prepared = PrepareDailyInOutWorkbook(client.state);
    EXPECT_TRUE(prepared.problem.startsWith(u"　日毎入出庫数量の原本Excelファイルが見つかりません。"_s));
    EXPECT_TRUE(QDir(documents).isEmpty());

    QDir().mkpath(formFolder);
    QFile::copy(QStringLiteral(TEV_RESOURCES_DIR "/原本INP/Mb入出庫月報.xlsx"), formFolder + u"Mb入出庫月報.xlsx"_s);
    prepared = PrepareDailyInOutWorkbook(client.state);
    EXPECT_TRUE(prepared.problem.isEmpty()) << prepared.problem.toStdString();
    EXPECT_TRUE(prepared.created);
    EXPECT_EQ(prepared.path, documents + u"Mb入出庫月報.xlsx"_s);
    EXPECT_EQ(TempClient::readBytes(prepared.path), TempClient::readBytes(formFolder + u"Mb入出庫月報.xlsx"_s));

    // A workbook of the user's, in either format, is used as it is.
    QFile::remove(prepared.path);
    QFile::copy(FixtureDir + u"Mb入出庫月報.xls"_s, documents + u"Mb入出庫月報.xls"_s);
    prepared = PrepareDailyInOutWorkbook(client.state);
    EXPECT_FALSE(prepared.created);
    EXPECT_EQ(prepared.path, documents + u"Mb入出庫月報.xls"_s);
    EXPECT_FALSE(QFile::exists(documents + u"Mb入出庫月報.xlsx"_s));
}

// The number format code id of every cell of the first worksheet that names a style, by cell name.
std::map<std::string, int> NumberFormatIds(const QString& path)
{
    ZipPackage package;
    WorkbookStatus status = package.open(TempClient::readBytes(path));
    const auto sheetXml = package.read("xl/worksheets/sheet1.xml", status);
    const auto stylesXml = package.read("xl/styles.xml", status);
    if (!sheetXml || !stylesXml)
        return {};
    pugi::xml_document sheet, styles;
    sheet.load_string(sheetXml->c_str());
    styles.load_string(stylesXml->c_str());
    std::vector<int> formatOfStyle;
    for (pugi::xml_node xf : styles.child("styleSheet").child("cellXfs").children("xf"))
        formatOfStyle.push_back(xf.attribute("numFmtId").as_int());
    std::map<std::string, int> formats;
    for (pugi::xml_node row : sheet.child("worksheet").child("sheetData").children("row"))
        for (pugi::xml_node cell : row.children("c"))
            formats[cell.attribute("r").value()] = formatOfStyle.at(size_t(cell.attribute("s").as_int()));
    return formats;
}

// Year-month and item number are typed by the user: in a General cell a spreadsheet program would
// turn "2026/04" into a date and "0012" into 12. Checked on the form as written and as shipped.
TEST(DailyInOutBlankForm, YearMonthAndItemNumberOfTheDataRowsAreText)
{
    constexpr int TextFormat = 49; // "@"
    QTemporaryDir dir;
    const QString written = dir.filePath(u"Mb入出庫月報.xlsx"_s);
    ASSERT_TRUE(WriteDailyInOutBlankForm(written).ok());
    for (const QString& path : {written, QStringLiteral(TEV_RESOURCES_DIR "/原本INP/Mb入出庫月報.xlsx")}) {
        SCOPED_TRACE(path.toStdString());
        const std::map<std::string, int> formats = NumberFormatIds(path);
        for (int row = 4; row <= 103; ++row) {
            for (const int column : {2, 3}) {
                const std::string name = CellName(row, column);
                EXPECT_EQ(formats.count(name) ? formats.at(name) : -1, TextFormat) << name;
            }
        }
        // The totals stay numbers, and the form is still one the import reads (no pairs yet).
        EXPECT_NE(formats.count("G4") ? formats.at("G4") : TextFormat, TextFormat);
        WorkbookStatus status;
        const auto book = Workbook::load(path, status);
        ASSERT_TRUE(book);
        EXPECT_EQ(book->sheet().text(3, 2), u"年月"_s);
        EXPECT_EQ(book->sheet().text(5, 6), u"出庫"_s);
        EXPECT_TRUE(ReadMonthlyImport(book->sheet()).empty());
    }
}

} // namespace
