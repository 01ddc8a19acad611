// Every change of ledger data leaves its lines in the change log: stores, corrections, sort,
// deletion, both imports and the year rollover.
#include "edit_session_fixture.h"
#include "excel_import/item_import.h"
#include "excel_import/monthly_import.h"
#include "ledger/ledger_commit.h"
#include "ledger/item_summary.h"
#include "settings/year_rollover.h"
#include "storage/change_log.h"
#include "storage/shared_settings_change.h"

#include <QDateTime>

using namespace Qt::StringLiterals;

namespace {

class ChangeLogHooksTest : public EditSessionTest {
protected:
    QList<ChangeLogEntry> allLines() const
    {
        QList<ChangeLogEntry> entries;
        const QList<QByteArray> lines = TempClient::readBytes(client.dataFolder() + u"Ma在庫品履歴.log"_s).split('\n');
        for (const QByteArray& line : lines)
            if (!line.isEmpty())
                entries.append(ParseChangeLogLine(line.chopped(1)));
        return entries;
    }
    QList<ChangeLogEntry> history(const QString& number) { return ReadItemHistory(state(), number); }
};

TEST_F(ChangeLogHooksTest, StoresLeaveOneLineWithTheChangedFieldsByCaption)
{
    state().PcName = u"PC-7"_s;
    session.startCorrect(1);
    ASSERT_TRUE(enterMonth(QtyRow::Received, 2, u"4"_s));
    ASSERT_TRUE(session.store().stored());
    QList<ChangeLogEntry> lines = history(u"A1"_s);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].operation, u"訂正"_s);
    EXPECT_EQ(lines[0].pcName, u"PC-7"_s);
    EXPECT_EQ(lines[0].recordNo, 1);
    EXPECT_TRUE(lines[0].changes.contains(u"入庫 2026/05月:  → 4"_s)) << lines[0].changes.join(u'|').toStdString();
    EXPECT_TRUE(lines[0].changes.contains(u"入庫 入出庫計:  → 9"_s)) << lines[0].changes.join(u'|').toStdString();

    // Storing again without a change writes no line.
    ASSERT_TRUE(session.store().stored());
    EXPECT_EQ(history(u"A1"_s).size(), 1);

    session.startNew();
    ASSERT_TRUE(enterItemNumber(u"B1"_s));
    ASSERT_TRUE(session.store().stored());
    lines = history(u"B1"_s);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].operation, u"新規登録"_s);
    EXPECT_EQ(lines[0].recordNo, 4);
    EXPECT_TRUE(lines[0].changes.contains(u"在庫品No:  → B1"_s));

    dialogs().queueAnswer(Dialogs::Answer::Yes);
    ASSERT_TRUE(session.copy());
    ASSERT_TRUE(enterItemNumber(u"B2"_s));
    ASSERT_TRUE(session.store().stored());
    ASSERT_EQ(history(u"B2"_s).size(), 1);
    EXPECT_EQ(history(u"B2"_s)[0].operation, u"複写登録"_s);
    EXPECT_EQ(allLines().size(), 3);
}

TEST_F(ChangeLogHooksTest, SortAndDeletionLeaveTheirCountsAndDeletionEachItemThatGoes)
{
    ASSERT_TRUE(CommitSort(state(), {}).ok());
    QList<ChangeLogEntry> lines = allLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].operation, u"並替"_s);
    EXPECT_EQ(lines[0].changes, QStringList{u"件数: 3"_s});
    EXPECT_EQ(lines[0].recordNo, 0);

    const QString goes = ReadItem(client.ledgerPath(), 2).text(ItemField::Number);
    ASSERT_TRUE(CommitDeletion(state(), {ReadItemSummary(state())[1].listed()}).ok());
    lines = allLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1].operation, u"削除"_s);
    EXPECT_EQ(lines[1].changes, (QStringList{u"削除: 1"_s, u"件数: 2"_s}));
    EXPECT_EQ(lines[2].recordNo, 2);
    EXPECT_EQ(lines[2].itemNumber, goes);
    EXPECT_EQ(history(goes).size(), 1);
}

TEST_F(ChangeLogHooksTest, ImportsLeaveTheirCountsAndALinePerChangedRecord)
{
    MonthlyPair pair;
    pair.row = 4;
    pair.yearMonth = u"2026/04"_s;
    pair.itemNumber = u"A2"_s;
    pair.received = u"7"_s;
    pair.issued = u"1"_s;
    ASSERT_TRUE(ApplyMonthlyImport(state(), {pair}).completed());
    QList<ChangeLogEntry> lines = allLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].operation, u"入出庫インポート"_s);
    EXPECT_EQ(lines[0].changes, QStringList{u"件数: 3"_s});
    EXPECT_EQ(lines[1].itemNumber, u"A2"_s);
    EXPECT_EQ(lines[1].recordNo, 2);
    EXPECT_TRUE(lines[1].changes.contains(u"入庫 2026/04月:  → 7"_s));
    EXPECT_TRUE(lines[1].changes.contains(u"出庫 2026/04月:  → 1"_s));

    // The item import: A1 and A2 change places and A1 its name, A3 stays, C4 is added. Items are
    // matched by number, so only A1 and C4 have lines.
    ItemImportPlan plan;
    plan.items = {ReadItem(client.ledgerPath(), 2), ReadItem(client.ledgerPath(), 1), ReadItem(client.ledgerPath(), 3),
                  MakeItem({u"C4"_s, u"2"_s, QString()})};
    plan.items[1].setText(ItemField::Name, u"ナット"_s);
    ASSERT_TRUE(ApplyItemImport(state(), plan).commit.ok());
    lines = allLines().mid(2);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].operation, u"在庫品インポート"_s);
    EXPECT_EQ(lines[0].changes, QStringList{u"件数: 3 → 4"_s});
    EXPECT_EQ(lines[1].itemNumber, u"A1"_s);
    EXPECT_EQ(lines[1].recordNo, 2);
    EXPECT_EQ(lines[1].changes, QStringList{u"品名: ボルト → ナット"_s});
    EXPECT_EQ(lines[2].itemNumber, u"C4"_s);
    EXPECT_EQ(lines[2].recordNo, 4);
    EXPECT_EQ(lines[2].changes, QStringList{u"追加"_s});

    // An edit that drops an item names it.
    ASSERT_TRUE(CommitLedgerEdit(state(), [](std::vector<ItemRecord>& records) {
                    records.pop_back();
                    return true;
                }).ok());
    lines = allLines().mid(5);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].operation, u"一括変更"_s);
    EXPECT_EQ(lines[1].itemNumber, u"C4"_s);
    EXPECT_EQ(lines[1].changes, QStringList{u"削除"_s});
}

TEST_F(ChangeLogHooksTest, YearRolloverLeavesOneLine)
{
    ASSERT_TRUE(ChangeSharedSettings(state(), {{SharedLine::StartMonth, u"2026/04"_s}}));
    const QDateTime when(QDate(2027, 4, 1), QTime(8, 0, 0));
    const RolloverResult result = RollOverLedgerYear(state(), u"2026/04"_s, u"2027/04"_s, when);
    ASSERT_EQ(result.outcome, RolloverOutcome::Done);
    const QList<ChangeLogEntry> lines = allLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].operation, u"年度更新"_s);
    EXPECT_EQ(lines[0].changes,
              (QStringList{u"件数: 3"_s, u"2026/04 → 2027/04"_s, u"控え: Ma在庫品_20270401_080000.dat"_s}));
}

} // namespace
