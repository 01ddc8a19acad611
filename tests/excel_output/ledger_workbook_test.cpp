// The ledger workbook: layout, shading, widths and the count, read back by our reader and,
// where Debian's openpyxl is installed, by a reader that is not ours.
#include "excel_output/ledger_workbook.h"
#include "excel_output/output_paths.h"
#include "ledger/column_captions.h"
#include "storage/desktop_handover.h"
#include "storage/field_text.h"
#include "storage/ledger_file.h"
#include "storage/synthetic_items.h"
#include "support/temp_client_support.h"
#include "workbook/workbook_operations.h"
#include "workbook/zip_package.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <cmath>

#include <gtest/gtest.h>

namespace {
class LedgerWorkbookTest : public testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(client.clientFolder() + QStringLiteral("原本Excel"));
        QFile::copy(QStringLiteral(TEV_RESOURCES_DIR "/原本Excel/在庫出力台帳.xlsx"), TemplateWorkbookPath(client.state));
        QDir().mkpath(OutputFolderPath(client.state));
        client.state.SharedSettings[SharedLine::StartMonth] = QStringLiteral("2020/05");
        RebuildColumnCaptions(client.state);
    }

    // Items: a normal one, one with no stock, one below its proper stock.
    void writeItems()
    {
        QByteArray bytes;
        const char* stocks[] = {"40", "0", "3"};
        for (int i = 0; i < 3; ++i) {
            ItemRecord record;
            record.setText(ItemField::Number, QStringLiteral("00%1").arg(i + 1));
            record.setText(ItemField::Name, QStringLiteral("ボルトＭ%1").arg(i + 8));
            record.setText(ItemField::UnitPrice, QStringLiteral("12.5"));
            record.setText(ItemField::ProperStock, QStringLiteral("10"));
            record.setText(ItemField::Stock, QString::fromLatin1(stocks[i]));
            record.setText(ItemField::StartOfUse, QStringLiteral("2019/04"));
            record.setQty(QtyRow::Received, 1, QStringLiteral(" 51"));
            record.setQty(QtyRow::Received, 12, QStringLiteral(" 2"));
            record.setQty(QtyRow::Received, QtyColumn::Total, QStringLiteral(" 53"));
            record.setQty(QtyRow::Received, QtyColumn::Planned, QStringLiteral(" 30"));
            record.setQty(QtyRow::Received, QtyColumn::Rate, QStringLiteral(" 1766"));
            record.setQty(QtyRow::Issued, 3, QStringLiteral(" 4"));
            bytes += record.bytes();
        }
        TempClient::writeBytes(client.ledgerPath(), bytes);
    }

    TempClient client{true};
};
} // namespace

TEST_F(LedgerWorkbookTest, WritesTheLayoutTwoRowsPerItem)
{
    writeItems();
    client.state.SharedSettings[SharedLine::StartOfUse] = QStringLiteral("1");
    RecordingDesktopHandover desktop;
    const LedgerWorkbookResult result = ExportLedgerWorkbook(client.state, &desktop);
    ASSERT_TRUE(result.status.ok()) << result.status.error;
    EXPECT_EQ(result.items, 3);
    EXPECT_TRUE(result.path.endsWith(QStringLiteral("M在庫台帳/在庫品台帳") + OutputMonthText(QDate::currentDate())
                                     + QStringLiteral(".xlsx")));
    EXPECT_EQ(desktop.opened.size(), 1);

    std::unique_ptr<Workbook> book;
    ASSERT_TRUE(OpenForReading(result.path, book).ok());
    const Worksheet& sheet = book->sheet();
    EXPECT_EQ(sheet.text(3, 2), QStringLiteral("在庫品数"));
    EXPECT_EQ(sheet.text(3, 3), QStringLiteral("3"));
    EXPECT_EQ(sheet.text(4, 15), QStringLiteral("入出庫"));
    EXPECT_EQ(sheet.text(4, 16), QStringLiteral("2020/05月"));
    EXPECT_EQ(sheet.text(4, 24), QStringLiteral("2021/01月")); // across the year end
    EXPECT_EQ(sheet.text(4, 27), QStringLiteral("2021/04月"));
    // Item 2 in rows 7 and 8.
    EXPECT_EQ(sheet.text(7, 2), QStringLiteral("2"));
    EXPECT_EQ(sheet.text(7, 3), QStringLiteral("002"));
    EXPECT_EQ(sheet.text(7, 4), QStringLiteral("ボルトＭ9"));
    EXPECT_EQ(sheet.text(7, 8), QStringLiteral("12.5"));
    EXPECT_EQ(sheet.text(7, 14), QStringLiteral("53"));
    EXPECT_EQ(sheet.text(7, 15), QStringLiteral("入庫"));
    EXPECT_EQ(sheet.text(8, 15), QStringLiteral("出庫"));
    EXPECT_EQ(sheet.text(7, 16), QStringLiteral("51"));
    EXPECT_EQ(sheet.text(7, 27), QStringLiteral("2"));
    EXPECT_EQ(sheet.text(8, 18), QStringLiteral("4"));
    EXPECT_EQ(sheet.text(8, 17), QString()); // a month without movement stays empty
    EXPECT_EQ(sheet.text(7, 28), QStringLiteral("30"));
    EXPECT_EQ(sheet.text(7, 29), QStringLiteral("176.6"));
    EXPECT_EQ(sheet.text(7, 30), QStringLiteral("2019/04"));
    EXPECT_EQ(sheet.text(8, 2), QString());
    EXPECT_EQ(sheet.columnWidth(2), 8);
    EXPECT_EQ(sheet.columnWidth(4), 20);

    // A reader that is not ours: values, shading, widths and the count.
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, openpyxl\n"
                                 "ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                                 "print(ws['C3'].value, ws['D9'].value, ws['P4'].value, ws['AC5'].value,"
                                 " ws['AC5'].number_format, ws['M5'].fill.patternType, ws['M7'].fill.patternType,"
                                 " ws['M9'].fill.patternType, ws.column_dimensions['B'].width,"
                                 " ws.column_dimensions['D'].width, ws['C7'].value)\n"),
                  result.path});
    if (!python.waitForFinished(30000) || python.exitCode() != 0)
        GTEST_SKIP() << "python3-openpyxl is not installed";
    EXPECT_EQ(QString::fromUtf8(python.readAllStandardOutput()).trimmed(),
              QStringLiteral("3 ボルトＭ10 2020/05月 176.6 0.0 None darkUp lightUp 8.0 20.0 002"));
}

TEST_F(LedgerWorkbookTest, EmptyLedgerGivesTheCountZeroAndNoItems)
{
    const LedgerWorkbookResult result = ExportLedgerWorkbook(client.state, nullptr);
    ASSERT_TRUE(result.status.ok());
    std::unique_ptr<Workbook> book;
    ASSERT_TRUE(OpenForReading(result.path, book).ok());
    EXPECT_EQ(book->sheet().text(3, 3), QStringLiteral("0"));
    EXPECT_EQ(book->sheet().lastRow(), 4);
}

TEST_F(LedgerWorkbookTest, HitListLimitsAndNumbersTheItems)
{
    writeItems();
    // The whole ledger's workbook of the month is there already; the hits must not replace it.
    const LedgerWorkbookResult whole = ExportLedgerWorkbook(client.state, nullptr);
    ASSERT_TRUE(whole.status.ok());
    const QList<int> hits{3, 1};
    const LedgerWorkbookResult result = ExportLedgerWorkbook(client.state, nullptr, QString(), &hits);
    ASSERT_TRUE(result.status.ok());
    EXPECT_EQ(result.path, FilteredLedgerWorkbookPath(client.state, QDate::currentDate()));
    EXPECT_TRUE(result.path.endsWith(QStringLiteral("_絞込.xlsx")));
    std::unique_ptr<Workbook> wholeBook;
    ASSERT_TRUE(OpenForReading(whole.path, wholeBook).ok());
    EXPECT_EQ(wholeBook->sheet().text(3, 3), QStringLiteral("3"));
    std::unique_ptr<Workbook> book;
    ASSERT_TRUE(OpenForReading(result.path, book).ok());
    EXPECT_EQ(book->sheet().text(3, 3), QStringLiteral("2"));
    EXPECT_EQ(book->sheet().text(5, 3), QStringLiteral("003"));
    EXPECT_EQ(book->sheet().text(7, 3), QStringLiteral("001"));
    EXPECT_EQ(book->sheet().text(7, 30), QString()); // start of use only with its option
}

TEST_F(LedgerWorkbookTest, AnUnreadableLedgerIsToldAsTheLedgerNotAsTheOutputFolder)
{
    QFile::remove(client.ledgerPath());
    ASSERT_TRUE(QDir().mkpath(client.ledgerPath())); // a folder where the ledger belongs
    const LedgerWorkbookResult result = ExportLedgerWorkbook(client.state, nullptr);
    EXPECT_FALSE(result.status.ok());
    ASSERT_FALSE(result.ledger.ok);
    EXPECT_EQ(result.ledger.errorCode, EISDIR);
    EXPECT_EQ(LedgerOpenFailureMessage(result.ledger), LedgerOpenFailureMessage(OpenLedger(client.state)));
    EXPECT_FALSE(QFile::exists(LedgerWorkbookPath(client.state, QDate::currentDate())));
}

TEST_F(LedgerWorkbookTest, MissingTemplateOrFolderWritesNothing)
{
    QDir(OutputFolderPath(client.state)).removeRecursively();
    EXPECT_EQ(ExportLedgerWorkbook(client.state, nullptr).status.error, 76);
    QDir().mkpath(OutputFolderPath(client.state));
    QFile::remove(TemplateWorkbookPath(client.state));
    EXPECT_EQ(ExportLedgerWorkbook(client.state, nullptr).status.error, 53);
    EXPECT_TRUE(QDir(OutputFolderPath(client.state)).isEmpty());
}

// Ledger → ledger workbook → cells read back: every field of every item comes back, numbers as
// the same values (a month without movement, left empty, reads as 0; rates in tenths).
TEST_F(LedgerWorkbookTest, CellsReadBackGiveTheRecordsFieldValues)
{
    QList<ItemRecord> records;
    SyntheticItems items(7);
    QByteArray bytes;
    for (int n = 1; n <= 25; ++n) {
        ItemRecord record;
        items.fill(n, record);
        records.append(record);
        bytes += record.bytes();
    }
    TempClient::writeBytes(client.ledgerPath(), bytes);
    client.state.SharedSettings[SharedLine::StartOfUse] = QStringLiteral("1");
    const LedgerWorkbookResult result = ExportLedgerWorkbook(client.state, nullptr);
    ASSERT_TRUE(result.status.ok());
    std::unique_ptr<Workbook> book;
    ASSERT_TRUE(OpenForReading(result.path, book).ok());
    const Worksheet& sheet = book->sheet();
    auto numberAt = [&sheet](int row, int column) { return ParseNumber(sheet.text(row, column)).value_or(0); };
    for (int k = 1; k <= records.size(); ++k) {
        const ItemRecord& record = records[k - 1];
        const int row = 5 + 2 * (k - 1);
        SCOPED_TRACE(k);
        for (int field = ItemField::Number; field <= ItemField::Stock; ++field) {
            const QString stored = record.text(field);
            const auto number = ParseNumber(stored);
            if (number && field != ItemField::Number)
                EXPECT_DOUBLE_EQ(numberAt(row, 3 + field), *number) << field;
            else
                EXPECT_EQ(sheet.text(row, 3 + field), stored) << field;
        }
        EXPECT_EQ(sheet.text(row, 30), record.text(ItemField::StartOfUse));
        for (int r : {QtyRow::Received, QtyRow::Issued}) {
            const int at = row + r - 1;
            EXPECT_DOUBLE_EQ(numberAt(at, 14), record.qtyNumber(r, QtyColumn::Total));
            for (int month = 1; month <= 12; ++month)
                EXPECT_DOUBLE_EQ(numberAt(at, 15 + month), record.qtyNumber(r, month)) << r << ' ' << month;
            EXPECT_DOUBLE_EQ(numberAt(at, 28), record.qtyNumber(r, QtyColumn::Planned));
            EXPECT_DOUBLE_EQ(std::round(numberAt(at, 29) * 10), record.qtyNumber(r, QtyColumn::Rate));
        }
    }
}

// The progress only watches: it counts up to the items written, in steps, and the file is the
// same as without it.
TEST_F(LedgerWorkbookTest, ProgressCountsTheItemsAndLeavesTheFileAsItIs)
{
    ASSERT_TRUE(AppendSyntheticItems(client.state, 600, 7).stored());
    const QString plainPath = OutputFolderPath(client.state) + QStringLiteral("plain.xlsx");
    const QString watchedPath = OutputFolderPath(client.state) + QStringLiteral("watched.xlsx");
    ASSERT_TRUE(ExportLedgerWorkbook(client.state, nullptr, plainPath).status.ok());
    QList<std::pair<int, int>> calls;
    const auto record = [&](int written, int total) { calls.append({written, total}); };
    const LedgerWorkbookResult watched = ExportLedgerWorkbook(client.state, nullptr, watchedPath, nullptr, record);
    ASSERT_TRUE(watched.status.ok());
    EXPECT_EQ(calls, (QList<std::pair<int, int>>{{0, 600}, {250, 600}, {500, 600}, {600, 600}}));
    // The same parts (the zip entries' own times may differ by a second).
    ZipPackage plain;
    ZipPackage seen;
    ASSERT_TRUE(plain.open(TempClient::readBytes(plainPath)).ok());
    ASSERT_TRUE(seen.open(TempClient::readBytes(watchedPath)).ok());
    for (const char* part : {"xl/worksheets/sheet1.xml", "xl/sharedStrings.xml", "xl/styles.xml", "xl/workbook.xml"}) {
        WorkbookStatus status;
        EXPECT_EQ(plain.has(part), seen.has(part)) << part;
        if (plain.has(part))
            EXPECT_EQ(plain.read(part, status), seen.read(part, status)) << part;
    }

    // A hit list counts only the numbers the ledger holds.
    calls.clear();
    const QList<int> hits{3, 9999, 1};
    ASSERT_TRUE(ExportLedgerWorkbook(client.state, nullptr, watchedPath, &hits, record).status.ok());
    EXPECT_EQ(calls, (QList<std::pair<int, int>>{{0, 2}, {2, 2}}));
    EXPECT_EQ(LedgerWorkbookProgressText(1250, 50009), QStringLiteral("在庫品台帳Excelを出力しています。\n1,250 / 50,009 件"));
}
