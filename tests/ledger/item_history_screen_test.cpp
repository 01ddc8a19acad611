// "履　歴" of the edit frame: the change history of the item shown, in a read-only list.
#include "ledger/edit_frame_screen.h"
#include "ledger/item_history_panel.h"
#include "ledger/ledger_screen_fixture.h"
#include "storage/change_log.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class ItemHistoryScreenTest : public LedgerScreenTest {
protected:
    void SetUp() override
    {
        LedgerScreenTest::SetUp();
        QList<ItemRecord> items;
        for (const QString& number : {u"A1"_s, u"A2"_s}) {
            ItemRecord item;
            item.setText(ItemField::Number, number);
            item.setText(ItemField::PreviousStock, u"10"_s);
            items.append(item);
        }
        writeItems(items);
        state().PcName = u"PC-3"_s;
        ChangeLog earlier(state(), ChangeOperation::NewItem);
        earlier.addLine(1, u"A1"_s, {u"在庫品No:  → A1"_s});
        earlier.addLine(2, u"A2"_s, {u"在庫品No:  → A2"_s});
        ASSERT_TRUE(earlier.write());
        screen = openLedger();
    }
    void click(const char* name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
    QTableWidget* historyList() { return screen->findChild<QTableWidget*>(u"historyList"_s); }
    QList<ItemHistoryPanel*> panels() { return screen->findChildren<ItemHistoryPanel*>(); }

    LedgerScreen* screen = nullptr;
};

TEST_F(ItemHistoryScreenTest, ShowsTheLinesOfTheCurrentItemReadOnlyAndFollowsAStore)
{
    list()->setCurrentCell(1, 1);
    click("correctButton");
    client.dialogs.clear();
    EXPECT_EQ(control<QPushButton>("historyButton")->text(), u"履　歴"_s);
    click("historyButton");
    QTableWidget* shown = historyList();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    ASSERT_EQ(shown->rowCount(), 1);
    EXPECT_EQ(shown->item(0, 1)->text(), u"PC-3"_s);
    EXPECT_EQ(shown->item(0, 2)->text(), u"新規登録"_s);
    EXPECT_EQ(shown->item(0, 4)->text(), u"在庫品No:  → A1"_s);
    EXPECT_EQ(shown->editTriggers(), QAbstractItemView::NoEditTriggers);

    // A correction stored from the frame is in the list the next time; one window at a time.
    EditSession& session = screen->editing()->session();
    ASSERT_TRUE(session.selectMonthCell(QtyRow::Received, 1));
    ASSERT_TRUE(session.commitEntry(u"3"_s));
    click("registerButton");
    client.dialogs.clear();
    click("historyButton");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(panels().size(), 1);
    shown = historyList();
    ASSERT_EQ(shown->rowCount(), 2);
    EXPECT_EQ(shown->item(1, 2)->text(), u"訂正"_s);
    EXPECT_EQ(shown->item(1, 3)->text(), u"1"_s);
    EXPECT_TRUE(shown->item(1, 4)->text().contains(u"入庫 2026/04月:  → 3"_s)) << shown->item(1, 4)->text().toStdString();
    EXPECT_TRUE(client.dialogs.shown().isEmpty());
}

TEST_F(ItemHistoryScreenTest, ANewItemWithoutNumberHasNoHistoryToShow)
{
    click("newButton");
    client.dialogs.clear();
    click("historyButton");
    EXPECT_TRUE(panels().isEmpty());
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].text, u"　在庫品Noが入力されていません。"_s);
}

} // namespace
