// "Sort" and "削　除" on the ledger screen: the panel, "行削除", "閉じる" and "登　録".
#include "ledger_items_helper.h"
#include "ledger_screen_fixture.h"

#include "ledger/sort_delete_panel.h"

#include <QDir>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace ledger_items;

namespace {

class SortDeleteScreenTest : public LedgerScreenTest {
protected:
    void SetUp() override
    {
        LedgerScreenTest::SetUp();
        WriteItems(client.ledgerPath(), {{u"9"_s, u"ボルト"_s}, {u"X1"_s, QString()}, {u"10"_s, u"ボルト"_s},
                                         {u"A1"_s, u"ワッシャ"_s}, {u"Z9"_s, u"アンカー"_s}});
        before = TempClient::readBytes(client.ledgerPath());
        openLedger();
    }
    void click(const char* name) { control<QPushButton>(name)->click(); }
    SortDeletePanel* panel() { return control<SortDeletePanel>("Picture12"); }
    FlexGrid* sortList() { return control<FlexGrid>("MSFlexGrid3"); }
    QString panelLabel(const char* name) { return control<QLabel>(name)->text(); }
    QStringList listColumn(int col)
    {
        QStringList texts;
        for (int row = 1; row < sortList()->rows(); ++row)
            texts.append(sortList()->textMatrix(row, col));
        return texts;
    }
    // The sorted order lives in memory: no working file appears in the data folder.
    bool workingFileLeft() const
    {
        for (const QString& name : QDir(client.dataFolder()).entryList(QDir::Files | QDir::Hidden))
            if (name.startsWith(u"Ma在庫品仮"_s) || name.startsWith(u"Ma在庫品.dat."_s))
                return true;
        return false;
    }

    QByteArray before;
};

TEST_F(SortDeleteScreenTest, SortShowsTheSortedCopyAndRegisteringMakesItTheLedger)
{
    click("sortButton");
    EXPECT_EQ(client.dialogs.texts().last(), u"　品名・在庫品Noの順でソートします。　　登録で反映　"_s);
    EXPECT_FALSE(panel()->isHidden());
    EXPECT_EQ(panelLabel("sortDeleteTitle"), u"在庫品台帳Sort"_s);
    EXPECT_EQ(panelLabel("sortDeleteCountLabel"), u"総数 5"_s);
    EXPECT_TRUE(control("deleteRowButton")->isHidden());
    EXPECT_EQ(panel()->indicatorColour(), SortDeleteColour::Working);
    EXPECT_EQ(listColumn(1), (QStringList{u"9"_s, u"X1"_s, u"10"_s, u"A1"_s, u"Z9"_s}));

    click("sortStartButton");
    EXPECT_EQ(listColumn(1), (QStringList{u"Z9"_s, u"10"_s, u"9"_s, u"A1"_s}));
    EXPECT_EQ(listColumn(0), (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s}));
    EXPECT_EQ(panelLabel("sortDeleteCountLabel"), u"総数 5"_s); // the ledger's count, not the copy's
    EXPECT_EQ(panelLabel("sortDeleteResultLabel"), u"Sort完了"_s);
    EXPECT_EQ(panel()->indicatorColour(), SortDeleteColour::Sorted);
    EXPECT_TRUE(control("Picture8")->isHidden());
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), before);

    client.dialogs.queueAnswer(Dialogs::Answer::No);
    click("sortDeleteRegisterButton");
    EXPECT_EQ(client.dialogs.shown().last().text,
              u"　並べ替えた順で在庫品台帳を登録します。\r　登録後の台帳は 4 件になります。\r　よろしいですか？"_s);
    EXPECT_TRUE(client.dialogs.shown().last().defaultNo); // Enter does not replace the ledger
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), before);

    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    click("sortDeleteRegisterButton");
    EXPECT_EQ(ItemNumbersIn(client.ledgerPath()), (QStringList{u"Z9"_s, u"10"_s, u"9"_s, u"A1"_s}));
    EXPECT_FALSE(workingFileLeft());
    EXPECT_TRUE(panel()->isHidden());
    EXPECT_EQ(labelText("countLabel"), u"総数 4"_s);
    EXPECT_EQ(labelText("pageLabel"), u" P 1"_s);
    EXPECT_EQ(list()->textMatrix(1, 1), u"Z9"_s);
    EXPECT_EQ(list()->textMatrix(9, 1), QString());
    EXPECT_EQ(state().ItemNumbers.rowCount(), 4);
}

TEST_F(SortDeleteScreenTest, RowsOfTheSortedCopyCanBeRemovedAndClosingForgetsTheCopy)
{
    click("sortButton");
    click("sortDeleteRegisterButton"); // nothing sorted yet
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), before);
    click("sortStartButton");
    ASSERT_FALSE(control("deleteRowButton")->isHidden());
    sortList()->setCurrentCell(2, 1);
    click("deleteRowButton");
    EXPECT_EQ(listColumn(1), (QStringList{u"Z9"_s, u"9"_s, u"A1"_s, QString()}));
    EXPECT_EQ(panelLabel("sortDeleteCountLabel"), u"総数 3"_s);
    EXPECT_EQ(panelLabel("sortDeleteResultLabel"), u"削除完了"_s);

    click("sortDeleteCloseButton");
    EXPECT_FALSE(workingFileLeft());
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), before);
    EXPECT_EQ(labelText("countLabel"), u"総数 5"_s);
    EXPECT_EQ(list()->textMatrix(1, 1), u"9"_s);
}

TEST_F(SortDeleteScreenTest, DeletionRemovesRowsInMemoryUntilRegistered)
{
    click("deleteButton");
    EXPECT_EQ(client.dialogs.texts().last(),
              u"　在庫品一覧表を表示し　対象品クリック⇒削除で実行されます。\r　登録で反映　"_s);
    EXPECT_EQ(panelLabel("sortDeleteTitle"), u"在庫品削除"_s);
    EXPECT_TRUE(control("sortStartButton")->isHidden());
    sortList()->setCurrentCell(5, 1); // the last row
    click("deleteRowButton");
    EXPECT_EQ(listColumn(1), (QStringList{u"9"_s, u"X1"_s, u"10"_s, u"A1"_s, QString()}));
    EXPECT_EQ(panelLabel("sortDeleteCountLabel"), u"総数 4"_s);
    sortList()->setCurrentCell(5, 1); // now a blank row: nothing to remove
    click("deleteRowButton");
    EXPECT_EQ(panelLabel("sortDeleteCountLabel"), u"総数 4"_s);

    click("sortDeleteCloseButton"); // forgets the removal
    click("deleteButton");
    EXPECT_EQ(panelLabel("sortDeleteCountLabel"), u"総数 5"_s);
    sortList()->setCurrentCell(1, 1);
    click("deleteRowButton");
    sortList()->setCurrentCell(2, 1);
    click("deleteRowButton");
    EXPECT_EQ(listColumn(1), (QStringList{u"X1"_s, u"A1"_s, u"Z9"_s, QString(), QString()}));
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    click("sortDeleteRegisterButton");
    EXPECT_TRUE(client.dialogs.shown().last().text.contains(u"登録後の台帳は 3 件になります。"_s));
    EXPECT_TRUE(client.dialogs.shown().last().defaultNo);
    EXPECT_EQ(ItemNumbersIn(client.ledgerPath()), (QStringList{u"X1"_s, u"A1"_s, u"Z9"_s}));
    EXPECT_EQ(labelText("countLabel"), u"総数 3"_s);
    EXPECT_EQ(list()->textMatrix(3, 1), u"A1"_s);
}

TEST_F(SortDeleteScreenTest, AFailedCommitSaysSoAndKeepsTheLedger)
{
    click("deleteButton");
    sortList()->setCurrentCell(1, 1);
    click("deleteRowButton");
    // Another client enters a receipt of the item meanwhile: it is no longer the item listed.
    WriteItems(client.ledgerPath(), {{u"9"_s, u"ボルト"_s, u"入庫後"_s}, {u"X1"_s, QString()}});
    const QByteArray changed = TempClient::readBytes(client.ledgerPath());
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    click("sortDeleteRegisterButton");
    EXPECT_EQ(client.dialogs.shown().last().title, u"異常確認"_s);
    EXPECT_TRUE(client.dialogs.shown().last().text.startsWith(u"　台帳の登録ができませんでした。\r　台帳は元のままです。"_s));
    EXPECT_TRUE(client.dialogs.shown().last().text.contains(u"1 件目（在庫品No 9）"_s));
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), changed);
    EXPECT_FALSE(panel()->isHidden());
}

TEST_F(SortDeleteScreenTest, ACorrectionStoredWhileTheSortedOrderIsShownIsKept)
{
    click("sortButton");
    click("sortStartButton");
    // The item is corrected (here or on another PC) before "登　録".
    QList<ItemRecord> records = ReadRecordFile(client.ledgerPath());
    records[3] = MakeItem({u"A1"_s, u"ワッシャ"_s, u"訂正後"_s});
    WriteRecordFile(client.ledgerPath(), records);
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    click("sortDeleteRegisterButton");
    EXPECT_EQ(ItemNumbersIn(client.ledgerPath()), (QStringList{u"Z9"_s, u"10"_s, u"9"_s, u"A1"_s}));
    EXPECT_EQ(ReadRecordFile(client.ledgerPath())[3].text(ItemField::Shiyo), u"訂正後"_s);
}

// The same PC corrects an item in the edit frame while the sorted order waits for "登　録": the
// sort is made of the ledger as it is then, so the correction stays.
TEST_F(SortDeleteScreenTest, ACorrectionMadeInTheFrameWhileThePanelIsOpenIsKept)
{
    click("sortButton");
    click("sortStartButton");
    list()->setCurrentCell(7, 1);  // A1
    click("correctButton");
    client.dialogs.clear();
    control<FlexGrid>("MSFlexGrid2")->clicked(1, 2);
    auto* pad = host.current()->findChild<QWidget*>(u"entryPad"_s);
    ASSERT_NE(pad, nullptr);
    pad->findChild<QPushButton*>(u"padKey7"_s)->click();
    pad->findChild<QPushButton*>(u"padConfirmButton"_s)->click();
    click("registerButton");
    ASSERT_EQ(ReadRecordFile(client.ledgerPath())[3].qty(QtyRow::Received, 2), u"7"_s);

    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    click("sortDeleteRegisterButton");
    EXPECT_EQ(ItemNumbersIn(client.ledgerPath()), (QStringList{u"Z9"_s, u"10"_s, u"9"_s, u"A1"_s}));
    EXPECT_EQ(ReadRecordFile(client.ledgerPath())[3].qty(QtyRow::Received, 2), u"7"_s);
}

} // namespace
