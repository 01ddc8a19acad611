// Sort keys and order, the sorted copy, the deletion list and the commits that make them the ledger.
#include "ledger/item_summary.h"
#include "ledger/ledger_commit.h"
#include "ledger/ledger_sort.h"
#include "ledger/sort_keys.h"
#include "ledger_items_helper.h"
#include "storage/ledger_file.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace ledger_items;

namespace {

class SortDeleteTest : public ::testing::Test {
protected:
    QString rewritePath() const { return client.dataFolder() + u"Ma在庫品仮.dat"_s; }
    // The data folder's files other than the ledger, the item numbers and the change log.
    QStringList strayFiles() const
    {
        QStringList names = QDir(client.dataFolder()).entryList(QDir::Files | QDir::Hidden);
        names.removeAll(u"Ma在庫品.dat"_s);
        names.removeAll(u"Ma在庫品No.dat"_s);
        names.removeAll(u"Ma在庫品履歴.log"_s);
        return names;
    }
    TempClient client;
};

TEST(SortKeys, KeyIsTheTrimmedNameFollowedByTheTrimmedNumber)
{
    EXPECT_EQ(SortKeyText(MakeItem({u"  A10 "_s, u" ボルト  "_s})), u"ボルトA10"_s);
    EXPECT_EQ(SortKeyText(MakeItem({u"A10"_s, u"   "_s})), QString());
}

TEST(SortKeys, CaseWidthAndKanaTypeCompareEqualOtherDifferencesDoNot)
{
    struct Case {
        QString a, b;
        int expected;
    };
    const Case cases[] = {
        {u"ABC"_s, u"abc"_s, 0},           {u"ＡＢＣ"_s, u"abc"_s, 0},          {u"カタカナ"_s, u"かたかな"_s, 0},
        {u"ｶﾀｶﾅ"_s, u"カタカナ"_s, 0},      {u"ﾎﾞﾙﾄ"_s, u"ボルト"_s, 0},         {u"ねじ10"_s, u"ねじ9"_s, -1},
        {u"あ"_s, u"い"_s, -1},             {u"カ"_s, u"ガ"_s, -1},              {u"ボルト"_s, u"ポルト"_s, -1},
        {u"ナット"_s, u"ボルト"_s, -1},     {u"Ａ１０"_s, u"a9"_s, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompareSortKeys(c.a, c.b), c.expected) << c.a.toStdString() << " " << c.b.toStdString();
        EXPECT_EQ(CompareSortKeys(c.b, c.a), -c.expected) << c.b.toStdString() << " " << c.a.toStdString();
    }
}

TEST(SortKeys, OrderIsStableForEqualKeys)
{
    const QStringList keys = {u"b"_s, u"ABC1"_s, u"a"_s, u"abc1"_s, u"ａｂｃ１"_s, u"B"_s};
    EXPECT_EQ(SortedKeyOrder(keys), (std::vector<int>{2, 1, 3, 4, 0, 5}));
}

TEST_F(SortDeleteTest, SortWritesTheNamedRecordsInKeyOrderToTheRewriteFile)
{
    const QList<ItemRecord> items = WriteItems(client.ledgerPath(), {
        {u"9"_s, u"ボルト"_s},        // same name: item numbers as text, "10" before "9"
        {u"X1"_s, u""_s},             // no name: dropped
        {u"10"_s, u"ボルト"_s},
        {u"A1"_s, u"ワッシャ"_s},     // smaller number, later name: after
        {u"Z9"_s, u"アンカー"_s},
        {u"11"_s, u"ﾎﾞﾙﾄ"_s},        // half-width spelling of the same name
    });
    const QByteArray ledgerBefore = TempClient::readBytes(client.ledgerPath());

    const SortResult result = SortLedgerIntoRewriteFile(client.state);
    ASSERT_TRUE(result.io.ok) << result.io.detail.toStdString();
    EXPECT_EQ(result.ledgerCount, 6);
    EXPECT_EQ(result.sortedCount, 5);
    EXPECT_EQ(client.state.CurrentRecordNo, 5);
    EXPECT_EQ(ItemNumbersIn(rewritePath()), (QStringList{u"Z9"_s, u"10"_s, u"11"_s, u"9"_s, u"A1"_s}));
    // Whole records travel, reserved fields included; the ledger is untouched.
    EXPECT_EQ(ReadRecordFile(rewritePath()).first(), items[4]);
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), ledgerBefore);
}

TEST_F(SortDeleteTest, SortOfAnEmptyLedgerWritesNothingAndALeftOverCopyNeverLeaks)
{
    SortResult result = SortLedgerIntoRewriteFile(client.state);
    EXPECT_TRUE(result.io.ok);
    EXPECT_EQ(result.ledgerCount, 0);
    EXPECT_FALSE(QFile::exists(rewritePath()));

    WriteItems(rewritePath(), {{u"OLD1"_s, u"古い"_s}, {u"OLD2"_s, u"古い"_s}, {u"OLD3"_s, u"古い"_s}});
    WriteItems(client.ledgerPath(), {{u"B"_s, u"b"_s}, {u"A"_s, u"a"_s}});
    result = SortLedgerIntoRewriteFile(client.state);
    EXPECT_EQ(ItemNumbersIn(rewritePath()), (QStringList{u"A"_s, u"B"_s}));
}

TEST_F(SortDeleteTest, RemovingARowOfTheSortedCopyLeavesANamelessLastRecord)
{
    WriteItems(rewritePath(), {{u"A"_s, u"a"_s, u"s"_s}, {u"B"_s, u"b"_s, u"s"_s}, {u"C"_s, u"c"_s, u"s"_s}});
    ASSERT_TRUE(RemoveRewriteRecord(client.state, 1).ok);
    const QList<ItemRecord> records = ReadRecordFile(rewritePath());
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(ItemNumbersIn(rewritePath()), (QStringList{u"B"_s, u"C"_s, u"C"_s}));
    EXPECT_EQ(records[2].text(ItemField::Name), QString());
    EXPECT_EQ(records[2].text(ItemField::Specification), QString());
    EXPECT_FALSE(RemoveRewriteRecord(client.state, 4).ok);

    // The commit drops the nameless record.
    WriteItems(client.ledgerPath(), {{u"A"_s, u"a"_s}, {u"B"_s, u"b"_s}, {u"C"_s, u"c"_s}});
    EXPECT_EQ(CountAfterRewriteCommit(client.state, 3), 2);
    const CommitResult commit = CommitRewriteFile(client.state, 3);
    ASSERT_TRUE(commit.ok());
    EXPECT_EQ(ItemNumbersIn(client.ledgerPath()), (QStringList{u"B"_s, u"C"_s}));
}

TEST(ItemSummary, RemovingRowsShiftsTheRestUpAndBlanksTheEnd)
{
    auto row = [](int n) { return ItemSummaryRow{QString::number(n), u"品"_s, {}, {}, n}; };
    ItemSummaryTable table = {row(1), row(2), row(3), row(4)};
    EXPECT_TRUE(RemoveSummaryRow(table, 2));
    EXPECT_TRUE(RemoveSummaryRow(table, 3)); // the last real row
    EXPECT_EQ(table, (ItemSummaryTable{row(1), row(3), {}, {}}));
    EXPECT_EQ(KeptRecordNumbers(table, 2), (QList<int>{1, 3}));
    // A blank row, the caption row and rows past the end remove nothing.
    for (int r : {0, 3, 4, 5})
        EXPECT_FALSE(RemoveSummaryRow(table, r)) << r;
    EXPECT_EQ(KeptRecordNumbers(table, 2), (QList<int>{1, 3}));
}

TEST_F(SortDeleteTest, DeletionCommitKeepsExactlyTheRemainingRecordsInOrder)
{
    const QList<ItemRecord> items = WriteItems(client.ledgerPath(), {{u"A1"_s, u"a"_s}, {u"A2"_s, u"b"_s}, {u"A3"_s, u"c"_s},
                                                                     {u"A4"_s, u"d"_s}, {u"A5"_s, u""_s}});
    bool ok = false;
    ItemSummaryTable table = ReadItemSummary(client.state, SummarySource::Ledger, &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(table.size(), 5u);
    EXPECT_EQ(table[1], (ItemSummaryRow{u"A2"_s, u"b"_s, {}, {}, 2}));
    ASSERT_TRUE(RemoveSummaryRow(table, 2));
    ASSERT_TRUE(RemoveSummaryRow(table, 3));
    const QList<int> kept = KeptRecordNumbers(table, 3);
    EXPECT_EQ(CountAfterKeptCommit(client.state, int(kept.size()), 5), 3);

    const CommitResult result = CommitKeptRecords(client.state, kept, 5);
    ASSERT_TRUE(result.ok()) << result.io.detail.toStdString();
    EXPECT_EQ(result.recordCount, 3);
    EXPECT_EQ(ReadRecordFile(client.ledgerPath()), (QList<ItemRecord>{items[0], items[2], items[4]}));
    EXPECT_EQ(client.state.ItemNumbers.rowCount(), 3);
    EXPECT_EQ(client.state.ItemNumbers.row(2).number, u"A3"_s);
    EXPECT_FALSE(QFile::exists(rewritePath()));
    EXPECT_EQ(strayFiles(), QStringList{}) << strayFiles().join(u',').toStdString();
}

TEST_F(SortDeleteTest, RecordsAppendedByAnotherClientMeanwhileAreKept)
{
    WriteItems(client.ledgerPath(), {{u"B"_s, u"b"_s}, {u"A"_s, u"a"_s}});
    ASSERT_TRUE(SortLedgerIntoRewriteFile(client.state).io.ok);
    WriteItems(client.ledgerPath(), {{u"B"_s, u"b"_s}, {u"A"_s, u"a"_s}, {u"N"_s, u"新"_s}});
    EXPECT_EQ(CountAfterRewriteCommit(client.state, 2), 3);
    ASSERT_TRUE(CommitRewriteFile(client.state, 2).ok());
    EXPECT_EQ(ItemNumbersIn(client.ledgerPath()), (QStringList{u"A"_s, u"B"_s, u"N"_s}));
}

TEST_F(SortDeleteTest, FailedOrRefusedCommitsLeaveTheLedgerWhole)
{
    WriteItems(client.ledgerPath(), {{u"A1"_s, u"a"_s}, {u"A2"_s, u"b"_s}, {u"A3"_s, u"c"_s}});
    const QByteArray before = TempClient::readBytes(client.ledgerPath());
    struct Case {
        const char* name;
        std::function<CommitResult()> commit;
    };
    const Case cases[] = {
        {"no sorted copy", [&] { return CommitRewriteFile(client.state, 3); }},
        {"the ledger became shorter", [&] { return CommitKeptRecords(client.state, {1}, 4); }},
        {"a record that does not exist", [&] { return CommitKeptRecords(client.state, {1, 7}, 3); }},
        {"cancelled while writing",
         [&] { return CommitKeptRecords(client.state, {3, 1}, 3, [](CommitStage s, int, int) { return s != CommitStage::Writing; }); }},
        {"cancelled before the replacement",
         [&] { return CommitKeptRecords(client.state, {3, 1}, 3, [](CommitStage s, int, int) { return s != CommitStage::Written; }); }},
    };
    for (const Case& c : cases) {
        const CommitResult result = c.commit();
        EXPECT_FALSE(result.ok()) << c.name;
        EXPECT_FALSE(CommitFailureMessage(result.io).isEmpty());
        EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), before) << c.name;
        EXPECT_EQ(strayFiles(), QStringList{}) << c.name << ": " << strayFiles().join(u',').toStdString();
    }
    EXPECT_TRUE(CommitFailureMessage(IoResult::failure(u"x"_s, ESTALE, {})).startsWith(u"　台帳の登録ができませんでした。\r　台帳は元のままです。\r"_s));
}

} // namespace
