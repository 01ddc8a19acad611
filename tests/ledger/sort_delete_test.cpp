// Sort keys and order, the sorted copy, the deletion list and the commits that make them the ledger.
#include "ledger/item_summary.h"
#include "ledger/ledger_commit.h"
#include "ledger/ledger_sort.h"
#include "ledger/sort_keys.h"
#include "ledger_items_helper.h"
#include "storage/app_state.h"
#include "storage/ledger_file.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace ledger_items;

namespace {

class SortDeleteTest : public ::testing::Test {
protected:
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

// Another client's store between the list and the commit: record n of the ledger replaced.
void storeElsewhere(const QString& ledger, int recordNo, const ItemRecord& record)
{
    QList<ItemRecord> records = ReadRecordFile(ledger);
    records[recordNo - 1] = record;
    WriteRecordFile(ledger, records);
}

TEST_F(SortDeleteTest, PreviewShowsTheNamedRecordsInKeyOrderAndWritesNothing)
{
    const QList<ItemRecord> items = WriteItems(client.ledgerPath(), {
        {u"9"_s, u"ボルト"_s},        // same name: item numbers as text, "10" before "9"
        {u"X1"_s, u""_s},             // no name: not in the sorted order
        {u"10"_s, u"ボルト"_s},
        {u"A1"_s, u"ワッシャ"_s},     // smaller number, later name: after
        {u"Z9"_s, u"アンカー"_s},
        {u"11"_s, u"ﾎﾞﾙﾄ"_s},        // half-width spelling of the same name
    });
    const QByteArray ledgerBefore = TempClient::readBytes(client.ledgerPath());

    const SortPreview preview = PreviewSortedLedger(client.state);
    ASSERT_TRUE(preview.io.ok) << preview.io.detail.toStdString();
    EXPECT_EQ(preview.ledgerCount, 6);
    QStringList order;
    for (const ItemSummaryRow& row : preview.rows)
        order.append(row.number);
    EXPECT_EQ(order, (QStringList{u"Z9"_s, u"10"_s, u"11"_s, u"9"_s, u"A1"_s}));
    EXPECT_EQ(preview.rows[0].recordNo, 5);
    EXPECT_EQ(preview.rows[0].digest, RecordDigest(items[4].data()));
    // The preview lives in memory: the ledger is untouched and no working file is written.
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), ledgerBefore);
    EXPECT_EQ(strayFiles(), QStringList{});
}

TEST_F(SortDeleteTest, SortCommitSortsTheLedgerAsItIsWhenCommitting)
{
    WriteItems(client.ledgerPath(), {{u"C"_s, u"c"_s}, {u"X"_s, u""_s}, {u"A"_s, u"a"_s}, {u"B"_s, u"b"_s}});
    const SortPreview preview = PreviewSortedLedger(client.state);
    ASSERT_EQ(preview.rows.size(), 3u);

    // Meanwhile another client corrects A, and appends D.
    ItemRecord corrected = MakeItem({u"A"_s, u"a"_s, u"訂正後"_s});
    storeElsewhere(client.ledgerPath(), 3, corrected);
    QList<ItemRecord> records = ReadRecordFile(client.ledgerPath());
    records.append(MakeItem({u"D"_s, u"d"_s}));
    WriteRecordFile(client.ledgerPath(), records);

    EXPECT_EQ(CountAfterSort(client.state, 0), 4);
    const CommitResult result = CommitSort(client.state, {});
    ASSERT_TRUE(result.ok()) << result.io.detail.toStdString();
    EXPECT_EQ(result.recordCount, 4);
    EXPECT_EQ(ItemNumbersIn(client.ledgerPath()), (QStringList{u"A"_s, u"B"_s, u"C"_s, u"D"_s}));
    EXPECT_EQ(ReadRecordFile(client.ledgerPath())[0], corrected);
    EXPECT_EQ(strayFiles(), QStringList{});
}

TEST_F(SortDeleteTest, RowsRemovedFromTheSortedOrderLeaveByIdentity)
{
    WriteItems(client.ledgerPath(), {{u"C"_s, u"c"_s}, {u"A"_s, u"a"_s}, {u"B"_s, u"b"_s}});
    SortPreview preview = PreviewSortedLedger(client.state);
    const std::optional<ItemSummaryRow> removed = RemoveSummaryRow(preview.rows, 2); // B
    ASSERT_TRUE(removed);
    EXPECT_EQ(removed->number, u"B"_s);
    EXPECT_EQ(CountAfterSort(client.state, 1), 2);
    ASSERT_TRUE(CommitSort(client.state, {removed->listed()}).ok());
    EXPECT_EQ(ItemNumbersIn(client.ledgerPath()), (QStringList{u"A"_s, u"C"_s}));
}

TEST_F(SortDeleteTest, DeletionRemovesTheListedRecordsAndKeepsWhatOthersStoredMeanwhile)
{
    const QList<ItemRecord> items = WriteItems(client.ledgerPath(), {{u"A1"_s, u"a"_s}, {u"A2"_s, u"b"_s}, {u"A3"_s, u"c"_s},
                                                                     {u"A4"_s, u"d"_s}, {u"A5"_s, u""_s}});
    IoResult read;
    int count = 0;
    ItemSummaryTable table = ReadItemSummary(client.state, &read, &count);
    ASSERT_TRUE(read.ok);
    ASSERT_EQ(count, 5);
    EXPECT_EQ(table[1], (ItemSummaryRow{u"A2"_s, u"b"_s, {}, {}, 2, RecordDigest(items[1].data())}));
    QList<ListedRecord> removed;
    removed.append(RemoveSummaryRow(table, 2)->listed());
    removed.append(RemoveSummaryRow(table, 3)->listed()); // A4, now on row 3

    // Another client corrects A3 and appends A6 before the commit.
    const ItemRecord corrected = MakeItem({u"A3"_s, u"c"_s, u"訂正後"_s});
    storeElsewhere(client.ledgerPath(), 3, corrected);
    QList<ItemRecord> records = ReadRecordFile(client.ledgerPath());
    records.append(MakeItem({u"A6"_s, u"f"_s}));
    WriteRecordFile(client.ledgerPath(), records);

    EXPECT_EQ(CountAfterDeletion(client.state, 2), 4);
    const CommitResult result = CommitDeletion(client.state, removed);
    ASSERT_TRUE(result.ok()) << result.io.detail.toStdString();
    EXPECT_EQ(result.recordCount, 4);
    EXPECT_EQ(ReadRecordFile(client.ledgerPath()), (QList<ItemRecord>{items[0], corrected, items[4], records[5]}));
    EXPECT_EQ(client.state.ItemNumbers.rowCount(), 4);
    EXPECT_EQ(client.state.ItemNumbers.row(2).number, u"A3"_s);
    EXPECT_EQ(strayFiles(), QStringList{}) << strayFiles().join(u',').toStdString();
}

TEST_F(SortDeleteTest, AListedRecordChangedOrMovedSinceRefusesTheWholeCommitAndNamesIt)
{
    WriteItems(client.ledgerPath(), {{u"A1"_s, u"a"_s}, {u"A2"_s, u"b"_s}, {u"A3"_s, u"c"_s}});
    const ItemSummaryTable table = ReadItemSummary(client.state);
    struct Case {
        const char* what;
        std::function<void()> meanwhile;
    };
    const Case cases[] = {
        {"changed", [&] { storeElsewhere(client.ledgerPath(), 2, MakeItem({u"A2"_s, u"b"_s, u"入庫後"_s})); }},
        {"moved by a sort", [&] { WriteItems(client.ledgerPath(), {{u"A2"_s, u"b"_s}, {u"A1"_s, u"a"_s}, {u"A3"_s, u"c"_s}}); }},
        {"removed", [&] { WriteItems(client.ledgerPath(), {{u"A1"_s, u"a"_s}}); }},
    };
    for (const Case& c : cases) {
        WriteItems(client.ledgerPath(), {{u"A1"_s, u"a"_s}, {u"A2"_s, u"b"_s}, {u"A3"_s, u"c"_s}});
        c.meanwhile();
        const QByteArray before = TempClient::readBytes(client.ledgerPath());
        for (const bool sort : {false, true}) {
            const QList<ListedRecord> removed{table[0].listed(), table[1].listed()};
            const CommitResult result = sort ? CommitSort(client.state, removed) : CommitDeletion(client.state, removed);
            EXPECT_FALSE(result.ok()) << c.what;
            EXPECT_EQ(result.io.errorCode, ESTALE) << c.what;
            const QString message = CommitFailureMessage(result.io);
            EXPECT_TRUE(message.contains(u"2 件目（在庫品No A2）"_s)) << c.what << message.toStdString();
            EXPECT_EQ(message.contains(u"1 件目"_s), std::string(c.what) == "moved by a sort") << c.what;
            EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), before) << c.what;
        }
    }
}

TEST_F(SortDeleteTest, ALedgerPastItsCapacityIsNeverCutByACommit)
{
    QList<ItemRecord> records;
    for (int n = 1; n <= AppState::MaxRecords + 91; ++n)
        records.append(MakeItem({u"A"_s + QString::number(n), u"品"_s}));
    WriteRecordFile(client.ledgerPath(), records);
    const QByteArray before = TempClient::readBytes(client.ledgerPath());
    // The sort would keep every record: refused, and said why.
    CommitResult result = CommitSort(client.state, {});
    EXPECT_EQ(result.io.errorCode, EFBIG);
    EXPECT_TRUE(CommitFailureMessage(result.io).contains(u"50100 件になり、許容量 50009 件を超えます"_s))
        << CommitFailureMessage(result.io).toStdString();
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), before);

    // A deletion that leaves no more than the capacity keeps every other record, those past
    // 50009 included.
    const ItemSummaryTable table = ReadItemSummary(client.state);
    ASSERT_EQ(table.size(), size_t(AppState::MaxRecords));
    QList<ListedRecord> removed;
    for (int k = 0; k < 91; ++k)
        removed.append(table[size_t(k)].listed());
    result = CommitDeletion(client.state, removed.mid(0, 90));
    EXPECT_EQ(result.io.errorCode, EFBIG);
    result = CommitDeletion(client.state, removed);
    ASSERT_TRUE(result.ok()) << result.io.detail.toStdString();
    EXPECT_EQ(result.recordCount, AppState::MaxRecords);
    const QStringList numbers = ItemNumbersIn(client.ledgerPath());
    EXPECT_EQ(numbers.front(), u"A92"_s);
    EXPECT_EQ(numbers.back(), u"A50100"_s);
}

TEST_F(SortDeleteTest, ADamagedLedgerIsRefusedByEveryCommitAndNamesTheRecord)
{
    struct Case {
        const char* what;
        std::function<void(QByteArray&)> damage;
        QString named;
    };
    auto at = [](int recordNo, int offset) { return qsizetype(recordNo - 1) * ItemRecord::Length + offset; };
    const Case cases[] = {
        {"short tail", [](QByteArray& b) { b.append(100, ' '); }, u"3 件目の後に 100 バイト"_s},
        {"tail counted as a record", [](QByteArray& b) { b.append(830, ' '); }, u"3 件目の後に 830 バイト"_s},
        {"record end", [&](QByteArray& b) { b[at(2, ItemRecord::EndStart)] = ' '; }, u"2 件目（在庫品No A2）のレコードの終わり"_s},
        {"not cp932", [&](QByteArray& b) { b[at(3, ItemRecord::textOffset(2) + 27)] = '\x82'; }, u"3 件目（在庫品No A3）の text[2]"_s},
        {"name hidden behind a NUL", [&](QByteArray& b) { b[at(1, ItemRecord::textOffset(1))] = '\0'; },
         u"1 件目（在庫品No A1）の text[1] に NUL 文字で隠れた文字"_s},
    };
    for (const Case& c : cases) {
        WriteItems(client.ledgerPath(), {{u"A1"_s, u"a"_s}, {u"A2"_s, u"b"_s}, {u"A3"_s, u"c"_s}});
        QByteArray bytes = TempClient::readBytes(client.ledgerPath());
        c.damage(bytes);
        TempClient::writeBytes(client.ledgerPath(), bytes);
        const std::function<CommitResult()> commits[] = {
            [&] { return CommitSort(client.state, {}); },
            [&] { return CommitDeletion(client.state, {}); },
            [&] { return CommitLedgerEdit(client.state, [](std::vector<ItemRecord>&) { return true; }); },
        };
        for (const auto& commit : commits) {
            const CommitResult result = commit();
            EXPECT_EQ(result.io.errorCode, EBADMSG) << c.what;
            const QString message = CommitFailureMessage(result.io);
            EXPECT_TRUE(message.contains(c.named)) << c.what << ": " << message.toStdString();
            EXPECT_TRUE(message.contains(u"tev-cli repair"_s)) << c.what;
            EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), bytes) << c.what;
        }
    }
    // Text padded with NULs, or a field of NULs only, is sound (other clients write such fields).
    QByteArray padded = TempClient::readBytes(client.ledgerPath());
    WriteItems(client.ledgerPath(), {{u"A1"_s, u"a"_s}});
    padded = TempClient::readBytes(client.ledgerPath());
    std::fill(padded.begin() + ItemRecord::textOffset(1) + 1, padded.begin() + ItemRecord::textOffset(2), '\0');
    std::fill(padded.begin() + ItemRecord::textOffset(15), padded.begin() + ItemRecord::textOffset(16), '\0');
    TempClient::writeBytes(client.ledgerPath(), padded);
    EXPECT_TRUE(CommitSort(client.state, {}).ok());
}

TEST(ItemSummary, RemovingRowsShiftsTheRestUpAndBlanksTheEnd)
{
    auto row = [](int n) { return ItemSummaryRow{QString::number(n), u"品"_s, {}, {}, n, quint64(n)}; };
    ItemSummaryTable table = {row(1), row(2), row(3), row(4)};
    EXPECT_EQ(RemoveSummaryRow(table, 2), row(2));
    EXPECT_EQ(RemoveSummaryRow(table, 3), row(4)); // the last real row
    EXPECT_EQ(table, (ItemSummaryTable{row(1), row(3), {}, {}}));
    // A blank row, the caption row and rows past the end remove nothing.
    for (int r : {0, 3, 4, 5})
        EXPECT_FALSE(RemoveSummaryRow(table, r)) << r;
    EXPECT_EQ(table, (ItemSummaryTable{row(1), row(3), {}, {}}));
}

TEST_F(SortDeleteTest, FailedOrCancelledCommitsLeaveTheLedgerWholeAndNoFileBehind)
{
    WriteItems(client.ledgerPath(), {{u"A1"_s, u"a"_s}, {u"A2"_s, u"b"_s}, {u"A3"_s, u"c"_s}});
    const QByteArray before = TempClient::readBytes(client.ledgerPath());
    const QList<ListedRecord> second{ReadItemSummary(client.state)[1].listed()};
    struct Case {
        const char* name;
        std::function<CommitResult()> commit;
    };
    const Case cases[] = {
        {"a record that does not exist", [&] { return CommitDeletion(client.state, {{7, 0, u"A7"_s}}); }},
        {"cancelled while writing",
         [&] { return CommitDeletion(client.state, second, [](CommitStage s, int, int) { return s != CommitStage::Writing; }); }},
        {"cancelled before the replacement",
         [&] { return CommitSort(client.state, second, [](CommitStage s, int, int) { return s != CommitStage::Written; }); }},
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

TEST_F(SortDeleteTest, ALinkInTheLedgersPlaceIsRefusedAndTheFileItPointsToStaysAsItWas)
{
    const QString elsewhere = client.root() + u"/elsewhere.dat"_s;
    WriteItems(elsewhere, {{u"B"_s, u"b"_s}, {u"A"_s, u"a"_s}});
    const QByteArray before = TempClient::readBytes(elsewhere);
    ASSERT_TRUE(QFile::link(elsewhere, client.ledgerPath()));
    EXPECT_EQ(CommitSort(client.state, {}).io.errorCode, ELOOP);
    EXPECT_EQ(CommitDeletion(client.state, {}).io.errorCode, ELOOP);
    EXPECT_TRUE(CommitFailureMessage(CommitSort(client.state, {}).io).contains(u"シンボリックリンク"_s));
    EXPECT_EQ(TempClient::readBytes(elsewhere), before);
    EXPECT_TRUE(QFileInfo(client.ledgerPath()).isSymLink());
}

} // namespace
