// The item import: reading and checking the workbook into a plan (both file formats, the start
// month, the rates, the problems), and writing the plan into the ledger.
#include "excel_import/item_import.h"

#include "excel_output/ledger_workbook.h"
#include "excel_output/output_paths.h"
#include "ledger/column_captions.h"
#include "ledger/stock_computation.h"
#include "storage/cp932_codec.h"
#include "storage/field_text.h"
#include "storage/item_number_file.h"
#include "storage/ledger_file.h"
#include "storage/settings_files.h"
#include "storage/synthetic_items.h"
#include "support/temp_client_support.h"
#include "workbook/workbook_operations.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString FixtureDir = QStringLiteral(TEV_TEST_DATA_DIR "/workbook/");

ItemImportPlan readFixture(const QString& name, bool startOfUse = true)
{
    std::unique_ptr<Workbook> book;
    const WorkbookStatus status = OpenForReading(FixtureDir + name, book);
    EXPECT_TRUE(status.ok()) << name.toStdString() << ": " << status.detail.toStdString();
    if (!book)
        return {};
    return ReadItemImport(book->sheet(), startOfUse);
}

// Item k (1-based) of a sheet built in the test: receipts row 5 + 2(k − 1), issues row below.
int receiptsRow(int k)
{
    return 5 + 2 * (k - 1);
}

std::vector<QString> problemLines(const QList<ImportProblem>& problems)
{
    std::vector<QString> lines;
    for (const ImportProblem& problem : problems)
        lines.push_back(ImportProblemLine(problem));
    return lines;
}

// Records 1..count with item numbers "A1".. (the support ledger) as bytes.
QByteArray ledgerBytes(const TempClient& client)
{
    return TempClient::readBytes(client.ledgerPath());
}

ItemRecord recordAt(const QByteArray& ledger, int n)
{
    ItemRecord record;
    record.assignBytes(ledger.constData() + qsizetype(n - 1) * ItemRecord::Length);
    return record;
}

} // namespace

TEST(ItemImportRead, BothFixtureFormatsGiveTheSameItemsAndFields)
{
    const ItemImportPlan xlsx = readFixture(u"Mb在庫品INP.xlsx"_s);
    const ItemImportPlan xls = readFixture(u"Mb在庫品INP.xls"_s);
    ASSERT_EQ(xlsx.items.size(), 6u);
    ASSERT_EQ(xls.items.size(), 6u);
    EXPECT_EQ(xlsx.itemsInWorkbook, 6);
    EXPECT_TRUE(xlsx.problems.isEmpty()) << ImportProblemLine(xlsx.problems.value(0)).toStdString();
    EXPECT_TRUE(xls.problems.isEmpty());
    EXPECT_EQ(xlsx.startMonth, u"2020/05"_s);
    EXPECT_EQ(xls.startMonth, u"2020/05"_s);
    for (size_t k = 0; k < 6; ++k)
        EXPECT_EQ(xlsx.items[k].bytes(), xls.items[k].bytes()) << "item " << k + 1;

    const ItemRecord& bolt = xlsx.items[0];
    const QString boltFields[] = {u"A-001"_s, u"ボルト"_s, u"M8×30"_s, u"日本螺子"_s, u"倉庫A-1"_s, u"12"_s,
                                  u"1200"_s,  u"本"_s,     u"100"_s,   u"50"_s,       u"100"_s,    u"2019/04"_s};
    for (int field = 0; field <= ItemField::StartOfUse; ++field)
        EXPECT_EQ(bolt.text(field), boltFields[field]) << "text " << field;
    EXPECT_EQ(bolt.qty(QtyRow::Received, QtyColumn::Total), u"5"_s);
    EXPECT_EQ(bolt.qty(QtyRow::Received, 1), u"5"_s);
    EXPECT_EQ(bolt.qty(QtyRow::Received, QtyColumn::Planned), u"30"_s);
    EXPECT_EQ(bolt.qty(QtyRow::Received, QtyColumn::Rate), u"166"_s);
    EXPECT_EQ(bolt.qty(QtyRow::Issued, 2), u"5"_s);
    EXPECT_EQ(bolt.qty(QtyRow::Issued, QtyColumn::Rate), QString()); // no planned issues

    const ItemRecord& bearing = xlsx.items[2];
    EXPECT_EQ(bearing.text(ItemField::Name), u"ベアリング６２０４"_s);
    EXPECT_EQ(bearing.text(ItemField::Maker), u"ＮＴＮ"_s);
    EXPECT_EQ(bearing.qty(QtyRow::Received, QtyColumn::Rate), u"1700"_s); // 51 ÷ 30
    EXPECT_EQ(bearing.qty(QtyRow::Issued, 12), u"51"_s);
    EXPECT_EQ(bearing.qty(QtyRow::Issued, QtyColumn::Rate), u"850"_s); // 51 ÷ 60

    EXPECT_EQ(xlsx.items[3].text(ItemField::Name), u"あいうえおかきくけこさしすせ"_s); // 14 full-width
    EXPECT_EQ(xlsx.items[4].text(ItemField::UnitPrice), u"2400.5"_s);
    EXPECT_EQ(xlsx.items[5].text(ItemField::StartOfUse), QString());

    // Nothing the workbook does not supply: reserved fields and row 0 stay blank.
    for (const ItemRecord& item : xlsx.items) {
        for (int field = 12; field < ItemRecord::TextCount; ++field)
            EXPECT_EQ(item.text(field), QString());
        for (int c = 0; c < ItemRecord::QtyColumns; ++c)
            EXPECT_EQ(item.qty(0, c), QString());
        EXPECT_EQ(item.qty(QtyRow::Received, 0), QString());
    }
}

TEST(ItemImportRead, StartOfUseIsReadOnlyWhenTheOptionIsOn)
{
    const ItemImportPlan plan = readFixture(u"Mb在庫品INP.xlsx"_s, false);
    ASSERT_FALSE(plan.items.empty());
    EXPECT_EQ(plan.items[0].text(ItemField::StartOfUse), QString());
}

TEST(ItemImportRead, LedgerLayoutTakesTheStartMonthFromP4)
{
    EXPECT_EQ(readFixture(u"ledger_layout_INP.xlsx"_s).startMonth, u"2026/04"_s);
    EXPECT_EQ(readFixture(u"ledger_layout_INP.xls"_s).startMonth, u"2026/04"_s);
}

TEST(ItemImportRead, StartMonthIsTakenOnlyFromAYearAndMonth)
{
    struct Case {
        QString o4, p4, expected;
    };
    const Case cases[] = {
        {u"2020/05"_s, u"2026/04月"_s, u"2020/05"_s},
        {u"2020/05/01"_s, QString(), u"2020/05"_s}, // first seven characters
        {u" 2020/05 "_s, QString(), u"2020/05"_s},
        {u"入出庫"_s, u"2026/04月"_s, u"2026/04"_s},
        {u"2020/5"_s, u"2026/04月"_s, u"2026/04"_s},
        {u"2020/13"_s, QString(), QString()},
        {u"2020/00"_s, QString(), QString()},
        {u"2020-05"_s, u"4月"_s, QString()},
        {u"２０２０/０５"_s, QString(), QString()},
        {u"43952"_s, QString(), QString()}, // a date kept as its serial number
        {QString(), QString(), QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ImportStartMonth(c.o4, c.p4), c.expected) << c.o4.toStdString() << " / " << c.p4.toStdString();
}

TEST(ItemImportRead, ProblemsAreReportedWithTheirRowsAndColumns)
{
    auto book = Workbook::createBlank(QString());
    Worksheet& sheet = book->sheet();
    auto item = [&](int k, const QString& number, const QString& name) {
        sheet.setText(receiptsRow(k), 3, number);
        sheet.setText(receiptsRow(k), 4, name);
    };
    item(1, u"A1"_s, u"ボルト"_s);
    item(2, u"A2"_s, u"あいうえおかきくけこさしすせそ"_s); // 15 full-width characters
    sheet.setText(receiptsRow(2), 8, u"時価"_s);           // H: unit price
    item(3, u"A1"_s, u"ナット"_s);                         // duplicate of row 5
    sheet.setText(receiptsRow(3) + 1, 17, u"5個"_s);       // Q of the issues row: month 2
    sheet.setNumber(receiptsRow(3) + 1, 14, 12345678);     // N: too long for 7 bytes
    item(4, u"A4"_s, u"座金"_s);
    sheet.setNumber(receiptsRow(4), 14, 999999);
    sheet.setNumber(receiptsRow(4), 28, 0.5); // the rate 1 999 998 000 does not fit
    item(5, u"A5"_s, u"Café ☃ 𠮷 〜"_s);  // 〜 is stored as ～: not missing
    sheet.setNumber(receiptsRow(5), 8, 1200 * 1.1); // 1320.0000000000002 as the program computes it
    sheet.setNumber(receiptsRow(5) + 1, 16, 0.1 + 0.2);
    sheet.setText(receiptsRow(5), 11, u"12345678"_s); // K: previous stock, a number as text, fits 28 bytes

    const ItemImportPlan plan = ReadItemImport(sheet, false);
    ASSERT_EQ(plan.items.size(), 5u);
    const std::vector<QString> expected = {
        u"行 7 D列：文字数が欄の幅を超えるため切り詰められます（あいうえおかきくけこさしすせそ）"_s,
        u"行 7 H列：数値の欄に文字「時価」があります（文字のまま取り込み、計算では0とします）"_s,
        u"行 10 N列：数値（12345678）が欄の幅を超えるため取り込まず、空欄になります"_s,
        u"行 10 Q列：数値の欄に文字「5個」があります（文字のまま取り込み、計算では0とします）"_s,
        u"行 9 C列：在庫品No「A1」が前の行と重複しています"_s,
        u"行 11 AC列：達成率（1999998000）が欄の幅を超えるため空欄になります"_s,
        u"行 13 D列：保存できない文字「é☃𠮷」があります（「?」になります）"_s,
    };
    const std::vector<QString> lines = problemLines(plan.problems);
    EXPECT_EQ(QStringList(lines.begin(), lines.end()).join(u'\n').toStdString(),
              QStringList(expected.begin(), expected.end()).join(u'\n').toStdString());

    // What is stored anyway: the cut name, the text, an empty rate; a number too long for its
    // field is never cut (1234567 would be ten times smaller): the field stays empty.
    EXPECT_EQ(plan.items[1].text(ItemField::Name), u"あいうえおかきくけこさしすせ"_s);
    EXPECT_EQ(plan.items[1].text(ItemField::UnitPrice), u"時価"_s);
    EXPECT_EQ(plan.items[2].qty(QtyRow::Issued, 2), u"5個"_s);
    EXPECT_EQ(plan.items[2].qty(QtyRow::Issued, QtyColumn::Total), QString());
    // Numbers as the spreadsheet program shows them, not its binary noise.
    EXPECT_EQ(plan.items[4].text(ItemField::UnitPrice), u"1320"_s);
    EXPECT_EQ(plan.items[4].qty(QtyRow::Issued, 1), u"0.3"_s);
    EXPECT_EQ(plan.items[4].text(ItemField::PreviousStock), u"12345678"_s);
    EXPECT_FALSE(ImportIsRefused(plan.problems));
    EXPECT_EQ(plan.items[3].qty(QtyRow::Received, QtyColumn::Rate), QString());
    EXPECT_EQ(plan.items[2].text(ItemField::Number), u"A1"_s); // a duplicate is still imported
}

TEST(ItemImportRead, ANameWithoutItsResultIsNoEndOfTheItems)
{
    auto book = Workbook::createBlank(QString());
    Worksheet& sheet = book->sheet();
    for (int k = 1; k <= 3; ++k)
        sheet.setText(receiptsRow(k), 4, u"品%1"_s.arg(k));
    sheet.setUnreadableFormula(receiptsRow(2), 4);

    const ItemImportPlan plan = ReadItemImport(sheet, false);
    EXPECT_EQ(plan.items.size(), 3u);
    ASSERT_EQ(plan.problems.size(), 1);
    EXPECT_EQ(ImportProblemLine(plan.problems[0]), u"行 7 D列：計算式の結果が保存されていないため読み取れません"_s);
    EXPECT_TRUE(ImportIsRefused(plan.problems));
}

TEST(ItemImportRead, ItemsBeyondTheCapacityAreCountedButNotRead)
{
    auto book = Workbook::createBlank(QString());
    Worksheet& sheet = book->sheet();
    const int items = AppState::MaxRecords + 2;
    for (int k = 1; k <= items; ++k)
        sheet.setText(receiptsRow(k), 4, u"品"_s);

    const ItemImportPlan plan = ReadItemImport(sheet, false);
    EXPECT_EQ(int(plan.items.size()), AppState::MaxRecords);
    EXPECT_EQ(plan.itemsInWorkbook, items);
    EXPECT_TRUE(plan.overCapacity());
    ASSERT_EQ(plan.problems.size(), 1);
    EXPECT_EQ(plan.problems[0].kind, ImportProblem::Kind::OverCapacity);
    EXPECT_EQ(plan.problems[0].row, receiptsRow(AppState::MaxRecords + 1));
}

TEST(ItemImportMessages, TextsOfTheImport)
{
    EXPECT_EQ(ItemImportDoneMessage(), u" 在庫品INPExcel　インポートを。\r 完了しました。"_s);
    EXPECT_EQ(ImportDoneTitle(), u"登録確認"_s);
    EXPECT_EQ(ItemImportCapacityMessage(), u"在庫品インポートデータが許容量件数 50009を超えました\r　確認してください。"_s);

    QList<ImportProblem> problems;
    for (int row = 5; row < 5 + 2 * 23; row += 2)
        problems.append({ImportProblem::Kind::DuplicateNumber, row, u"C"_s, u"X"_s});
    const QStringList lines = ImportProblemQuestion(problems).split(u'\r');
    ASSERT_EQ(lines.size(), 1 + 20 + 2);
    EXPECT_EQ(lines.front(), u"インポート用Excelファイルに次の問題があります。"_s);
    EXPECT_EQ(lines[20], u"行 43 C列：在庫品No「X」が前の行と重複しています"_s);
    EXPECT_EQ(lines[21], u"ほか 3件"_s);
    EXPECT_EQ(lines.back(), u"取り込みを続けますか？"_s);
    EXPECT_EQ(ImportProblemTitle(), u"インポート確認"_s);
}

class ItemImportApply : public testing::Test {
protected:
    void SetUp() override
    {
        client.state.SharedSettings[SharedLine::StartMonth] = u"2019/04"_s;
        ASSERT_TRUE(WriteSharedSettings(client.state).ok);
    }

    // A plan of `count` items "N1", "N2", … as the reading gives it.
    static ItemImportPlan plan(int count, const QString& startMonth)
    {
        ItemImportPlan plan;
        plan.startMonth = startMonth;
        for (int k = 1; k <= count; ++k) {
            ItemRecord record;
            record.setText(ItemField::Number, u"N%1"_s.arg(k));
            record.setText(ItemField::Name, u"新品%1"_s.arg(k));
            plan.items.push_back(record);
        }
        plan.itemsInWorkbook = count;
        return plan;
    }

    QString savedStartMonth()
    {
        SettingsLines lines;
        ReadSettingsFile(SharedSettingsPath(client.state), lines);
        return lines[SharedLine::StartMonth];
    }

    TempClient client;
};

TEST_F(ItemImportApply, ReplacesTheFirstRecordsAndKeepsTheRest)
{
    struct Case {
        const char* name;
        int ledgerBefore;
        int items;
        int countAfter;
    };
    const Case cases[] = {
        {"40 items into 100 records", 100, 40, 100},
        {"5 items into 3 records", 3, 5, 5},
        {"3 items into a new ledger", 0, 3, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(client.ledgerPath());
        if (c.ledgerBefore > 0)
            WriteTestLedger(client.ledgerPath(), c.ledgerBefore);
        client.state.ItemTableLoaded = true;

        const ItemImportResult result = ApplyItemImport(client.state, plan(c.items, u"2020/05"_s));
        ASSERT_TRUE(result.commit.ok()) << result.commit.io.detail.toStdString();
        EXPECT_EQ(result.written, c.items);
        EXPECT_EQ(result.commit.recordCount, c.countAfter);
        const QByteArray ledger = ledgerBytes(client);
        ASSERT_EQ(ledger.size(), qsizetype(c.countAfter) * ItemRecord::Length);
        EXPECT_EQ(recordAt(ledger, 1).text(ItemField::Number), u"N1"_s);
        EXPECT_EQ(recordAt(ledger, c.items).text(ItemField::Name), u"新品%1"_s.arg(c.items));
        if (c.countAfter > c.items)
            EXPECT_EQ(recordAt(ledger, c.items + 1).text(ItemField::Number), u"A%1"_s.arg(c.items + 1));
        EXPECT_EQ(recordAt(ledger, c.countAfter).bytes().right(2), QByteArray("\r\n"));

        EXPECT_TRUE(result.settingsSaved);
        EXPECT_EQ(client.state.SharedSettings[SharedLine::StartMonth], u"2020/05"_s);
        EXPECT_EQ(savedStartMonth(), u"2020/05"_s);
        // The item number table follows the new ledger.
        EXPECT_FALSE(client.state.ItemTableLoaded);
        EXPECT_TRUE(FindItemNumber(client.state, u"N%1"_s.arg(c.items)));
        EXPECT_EQ(client.state.FoundRecordNo, c.items);
        EXPECT_FALSE(FindItemNumber(client.state, u"A1"_s));
    }
}

TEST_F(ItemImportApply, WithoutTheStartOfUseColumnEachItemKeepsItsStartOfUse)
{
    // The ledger as it is when the import writes: A2 and A1 with their dates, a third record kept.
    std::vector<ItemRecord> ledger(3);
    const QString numbers[] = {u"A2"_s, u"A1"_s, u"A3"_s};
    const QString starts[] = {u"2020/01"_s, u"2019/04"_s, u"2018/10"_s};
    for (int k = 0; k < 3; ++k) {
        ledger[size_t(k)].setText(ItemField::Number, numbers[k]);
        ledger[size_t(k)].setText(ItemField::StartOfUse, starts[k]);
    }
    QByteArray bytes;
    for (const ItemRecord& record : ledger)
        bytes += record.bytes();

    auto book = Workbook::createBlank(QString());
    const QString imported[] = {u"A1"_s, u"X9"_s};
    for (int k = 1; k <= 2; ++k) {
        book->sheet().setText(receiptsRow(k), 3, imported[k - 1]);
        book->sheet().setText(receiptsRow(k), 4, u"品"_s);
        book->sheet().setText(receiptsRow(k), 30, u"2026/12"_s); // AD
    }
    for (const bool optionOn : {false, true}) {
        SCOPED_TRACE(optionOn);
        TempClient::writeBytes(client.ledgerPath(), bytes);
        ASSERT_TRUE(ApplyItemImport(client.state, ReadItemImport(book->sheet(), optionOn)).commit.ok());
        const QByteArray after = ledgerBytes(client);
        // A1 keeps its date (matched by number, not by place); X9 is new; A3 stays as it was.
        EXPECT_EQ(recordAt(after, 1).text(ItemField::StartOfUse), optionOn ? u"2026/12"_s : u"2019/04"_s);
        EXPECT_EQ(recordAt(after, 2).text(ItemField::StartOfUse), optionOn ? u"2026/12"_s : QString());
        EXPECT_EQ(recordAt(after, 3).text(ItemField::StartOfUse), u"2018/10"_s);
    }
}

TEST_F(ItemImportApply, AnEmptyWorkbookChangesNoRecordAndStillCompletes)
{
    WriteTestLedger(client.ledgerPath(), 7);
    const QByteArray before = ledgerBytes(client);

    const ItemImportResult result = ApplyItemImport(client.state, plan(0, QString()));
    EXPECT_TRUE(result.commit.ok());
    EXPECT_EQ(result.written, 0);
    EXPECT_EQ(result.commit.recordCount, 7);
    EXPECT_FALSE(result.settingsSaved);
    EXPECT_EQ(ledgerBytes(client), before);
    EXPECT_EQ(savedStartMonth(), u"2019/04"_s); // no year-month in the workbook: unchanged
}

TEST_F(ItemImportApply, AFailedCommitLeavesLedgerAndStartMonthAsTheyWere)
{
    WriteTestLedger(client.ledgerPath(), 10);
    const QByteArray before = ledgerBytes(client);
    // Cancelled just before the replacement, as a failing write would end.
    const CommitProgress failBeforeReplacing = [](CommitStage stage, int, int) { return stage != CommitStage::Written; };

    const ItemImportResult result = ApplyItemImport(client.state, plan(4, u"2020/05"_s), failBeforeReplacing);
    EXPECT_FALSE(result.commit.ok());
    EXPECT_EQ(result.written, 0);
    EXPECT_FALSE(result.settingsSaved);
    EXPECT_EQ(ledgerBytes(client), before);
    EXPECT_EQ(client.state.SharedSettings[SharedLine::StartMonth], u"2019/04"_s);
    EXPECT_EQ(savedStartMonth(), u"2019/04"_s);
}

TEST_F(ItemImportApply, ImportingAnExportedLedgerGivesBackItsRecords)
{
    QDir().mkpath(client.clientFolder() + u"原本Excel"_s);
    ASSERT_TRUE(QFile::copy(QStringLiteral(TEV_RESOURCES_DIR "/原本Excel/在庫出力台帳.xlsx"),
                            TemplateWorkbookPath(client.state)));
    QDir().mkpath(OutputFolderPath(client.state));
    client.state.SharedSettings[SharedLine::StartOfUse] = u"1"_s;
    RebuildColumnCaptions(client.state);

    // Values as the ledger keeps them: computed numbers with their leading space, text in a
    // number field, decimals, a full 28-byte name.
    std::vector<ItemRecord> records(3);
    records[0].setText(ItemField::Number, u"0012"_s);
    records[0].setText(ItemField::Name, u"あいうえおかきくけこさしすせ"_s);
    records[0].setText(ItemField::UnitPrice, u"12.5"_s);
    records[0].setText(ItemField::StockValue, u" 625"_s);
    records[0].setText(ItemField::PreviousStock, u"10"_s);
    records[0].setText(ItemField::Stock, u" 50"_s);
    records[0].setText(ItemField::StartOfUse, u"2019/04"_s);
    records[0].setQty(QtyRow::Received, 1, u"51"_s);
    records[0].setQty(QtyRow::Received, QtyColumn::Total, u" 51"_s);
    records[0].setQty(QtyRow::Received, QtyColumn::Planned, u"30"_s);
    records[0].setQty(QtyRow::Received, QtyColumn::Rate, u" 1700"_s);
    records[0].setQty(QtyRow::Issued, 12, u"11"_s);
    records[0].setQty(QtyRow::Issued, QtyColumn::Total, u" 11"_s);
    records[1].setText(ItemField::Number, u"B-2"_s);
    records[1].setText(ItemField::Name, u"ナット"_s);
    records[1].setText(ItemField::Unit, u"個"_s);
    records[1].setText(ItemField::ProperStock, u"時価"_s);
    records[1].setQty(QtyRow::Issued, 3, u"-2.5"_s);
    records[2].setText(ItemField::Name, u"番号なし"_s);
    QByteArray bytes;
    for (const ItemRecord& record : records)
        bytes += record.bytes();
    TempClient::writeBytes(client.ledgerPath(), bytes);

    const QString path = OutputFolderPath(client.state) + u"roundtrip.xlsx"_s;
    ASSERT_TRUE(ExportLedgerWorkbook(client.state, nullptr, path).status.ok());
    std::unique_ptr<Workbook> book;
    ASSERT_TRUE(OpenForReading(path, book).ok());
    const ItemImportPlan plan = ReadItemImport(book->sheet(), true);
    EXPECT_EQ(plan.startMonth, u"2019/04"_s);
    ASSERT_EQ(plan.items.size(), records.size());
    for (size_t k = 0; k < records.size(); ++k) {
        for (int field = 0; field < ItemRecord::TextCount; ++field)
            EXPECT_EQ(plan.items[k].text(field), records[k].text(field)) << "item " << k + 1 << " text " << field;
        for (int r = 0; r < ItemRecord::QtyRows; ++r)
            for (int c = 0; c < ItemRecord::QtyColumns; ++c)
                EXPECT_EQ(plan.items[k].qty(r, c), records[k].qty(r, c)) << "item " << k + 1 << " qty " << r << "," << c;
    }
    // "時価" in a number field comes back as text, and is reported.
    ASSERT_EQ(plan.problems.size(), 1);
    EXPECT_EQ(plan.problems[0].kind, ImportProblem::Kind::TextInNumber);
    EXPECT_EQ(plan.problems[0].row, 7);
}

TEST_F(ItemImportApply, AGeneratedLedgerExportedAndImportedBackKeepsEveryFieldByteForByte)
{
    QDir().mkpath(client.clientFolder() + u"原本Excel"_s);
    ASSERT_TRUE(QFile::copy(QStringLiteral(TEV_RESOURCES_DIR "/原本Excel/在庫出力台帳.xlsx"),
                            TemplateWorkbookPath(client.state)));
    QDir().mkpath(OutputFolderPath(client.state));
    client.state.SharedSettings[SharedLine::StartOfUse] = u"1"_s;
    RebuildColumnCaptions(client.state);

    // Generated items, and the values the generator does not make: decimals, half-width kana,
    // texts of the full 28 bytes, zero and empty fields, a start of use.
    SyntheticItems generator(7);
    std::vector<ItemRecord> records(300);
    for (int n = 1; n <= int(records.size()); ++n) {
        ItemRecord& record = records[size_t(n - 1)];
        generator.fill(n, record);
        switch (n % 6) {
        case 0:
            record.setText(ItemField::Name, u"ﾎﾞﾙﾄ ｶﾞｲﾄﾞﾚｰﾙ用"_s);
            record.setText(ItemField::UnitPrice, u"0.125"_s);
            break;
        case 1:
            record.setText(ItemField::Maker, u"あいうえおかきくけこさしすせ"_s); // 28 bytes
            record.setText(ItemField::Place, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ01"_s);
            break;
        case 2:
            record.setText(ItemField::ProperStock, u"0"_s);
            record.setQty(QtyRow::Issued, 4, u"0.5"_s);
            break;
        case 3:
            record.setText(ItemField::Unit, QString());
            record.setText(ItemField::Shiyo, QString());
            break;
        case 4:
            record.setText(ItemField::StartOfUse, u"2019/04"_s);
            record.setQty(QtyRow::Received, QtyColumn::Planned, u"12.75"_s);
            RecalculateRates(record);
            break;
        default:
            break;
        }
    }
    QByteArray bytes;
    for (const ItemRecord& record : records)
        bytes += record.bytes();
    TempClient::writeBytes(client.ledgerPath(), bytes);

    const QString path = OutputFolderPath(client.state) + u"roundtrip.xlsx"_s;
    ASSERT_TRUE(ExportLedgerWorkbook(client.state, nullptr, path).status.ok());
    ItemImportPlan plan;
    ASSERT_TRUE(ReadItemImportWorkbook(path, true, plan).ok());
    EXPECT_TRUE(plan.problems.isEmpty()) << ImportProblemLine(plan.problems.value(0)).toStdString();
    ASSERT_EQ(plan.items.size(), records.size());
    ASSERT_TRUE(ApplyItemImport(client.state, std::move(plan)).commit.ok());

    // Each field as the ledger reads it (its text up to the padding, numbers with or without the
    // leading space of a computed value) comes back with the same bytes.
    const QByteArray after = ledgerBytes(client);
    ASSERT_EQ(after.size(), bytes.size());
    const auto value = [](const ItemRecord& record, int offset, int width) {
        return Cp932::encode(FieldText(record.data() + offset, width));
    };
    for (int n = 1; n <= int(records.size()); ++n) {
        const ItemRecord back = recordAt(after, n);
        const ItemRecord& was = records[size_t(n - 1)];
        for (int field = 0; field < ItemRecord::TextCount; ++field) {
            const int offset = ItemRecord::textOffset(field);
            EXPECT_EQ(value(back, offset, ItemRecord::TextWidth), value(was, offset, ItemRecord::TextWidth))
                << "record " << n << " text " << field;
        }
        for (int r = 0; r < ItemRecord::QtyRows; ++r)
            for (int c = 0; c < ItemRecord::QtyColumns; ++c) {
                const int offset = ItemRecord::qtyOffset(r, c);
                EXPECT_EQ(value(back, offset, ItemRecord::QtyWidth), value(was, offset, ItemRecord::QtyWidth))
                    << "record " << n << " qty " << r << "," << c;
            }
    }
}
