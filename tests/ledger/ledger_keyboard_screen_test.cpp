// The ledger screen from the keyboard, offscreen: the entry pad's keys, the edit tables' cells,
// paging, Enter on a list row, the item-number jump box (as a barcode scanner types) and Esc.
#include "ledger/edit_frame_screen.h"
#include "ledger/entry_pad.h"
#include "ledger/ledger_items_helper.h"
#include "ledger/ledger_screen_fixture.h"
#include "ledger/ledger_texts.h"
#include "ledger/vocabulary_panel.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class LedgerKeyboardTest : public LedgerScreenTest {
protected:
    void openWithItems(int count)
    {
        QList<ItemRecord> items;
        for (int n = 1; n <= count; ++n) {
            ItemRecord item;
            item.setText(ItemField::Number, QStringLiteral("A%1").arg(n));
            item.setText(ItemField::Name, QStringLiteral("ボルト%1").arg(n));
            item.setText(ItemField::PreviousStock, QStringLiteral("10"));
            items.append(item);
        }
        writeItems(items);
        screen = openLedger();
        screen->show();
        QApplication::setActiveWindow(screen);
    }
    FlexGrid* monthGrid() { return control<FlexGrid>("MSFlexGrid2"); }
    FlexGrid* itemGrid() { return control<FlexGrid>("MSFlexGrid1"); }
    QLineEdit* jumpBox() { return control<QLineEdit>("itemNumberJumpBox"); }
    EntryPad* pad() { return screen->editing()->entryPad(); }
    QString itemShown() { return labelText("itemNumberLabel"); }
    void scan(const QString& number)
    {
        QTest::keyClicks(jumpBox(), number);
        QTest::keyClick(jumpBox(), Qt::Key_Return);
    }
    QString storedReceipt(int record, int month)
    {
        return ledger_items::ReadRecordFile(client.ledgerPath())[record - 1].qty(QtyRow::Received, month);
    }

    LedgerScreen* screen = nullptr;
};

// Scan the item number, move to a month cell with the arrows, type the quantity, Enter, Ctrl+S.
TEST_F(LedgerKeyboardTest, AQuantityIsTypedIntoAMonthCellAndStoredWithoutTheMouse)
{
    openWithItems(3);
    EXPECT_EQ(QApplication::focusWidget(), jumpBox()) << "the jump box has the focus when the screen opens";
    scan(QStringLiteral("A2"));
    EXPECT_EQ(itemShown(), QStringLiteral("A2 "));
    EXPECT_TRUE(client.dialogs.shown().isEmpty()) << "no explanation box on the way";
    EXPECT_EQ(jumpBox()->selectedText(), QStringLiteral("A2")) << "ready for the next scan";

    FlexGrid* months = monthGrid();
    months->setFocus();
    months->setCurrentCell(1, 1);
    QTest::keyClick(months, Qt::Key_Right);
    QTest::keyClick(months, Qt::Key_Right);
    QTest::keyClick(months, Qt::Key_1);  // the first digit opens the pad with it
    ASSERT_NE(pad(), nullptr);
    EXPECT_EQ(pad()->readoutText(), QStringLiteral("1"));
    ASSERT_TRUE(QTest::qWaitForWindowActive(pad(), 2000));
    EXPECT_EQ(QApplication::focusWidget(), pad()) << "the pad takes the keyboard";
    QTest::keyClick(pad(), Qt::Key_7);
    QTest::keyClick(pad(), Qt::Key_Backspace);
    QTest::keyClick(pad(), Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(pad()->readoutText(), QStringLiteral("15"));
    QTest::keyClick(pad(), Qt::Key_Enter, Qt::KeypadModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(pad(), nullptr);
    EXPECT_EQ(months->textMatrix(1, 3), QStringLiteral("15"));

    ASSERT_TRUE(QTest::qWaitForWindowActive(screen, 2000)) << "the keyboard is back in the ledger window";
    QTest::keyClick(months, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(storedReceipt(2, 3), QStringLiteral("15"));

    // Enter on a cell opens the pad at its value; Delete empties it, Esc closes it unchanged.
    QTest::keyClick(months, Qt::Key_Return);
    ASSERT_NE(pad(), nullptr);
    EXPECT_EQ(pad()->readoutText(), QStringLiteral("15"));
    QTest::keyClick(pad(), Qt::Key_Delete);
    EXPECT_EQ(pad()->readoutText(), QString());
    QTest::keyClick(pad(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(pad(), nullptr);
    EXPECT_EQ(months->textMatrix(1, 3), QStringLiteral("15"));
}

TEST_F(LedgerKeyboardTest, AnUnknownNumberIsToldAndKeptSelectedForTheNextScan)
{
    openWithItems(2);
    scan(QStringLiteral("ZZ9"));
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown().back().text, UnknownItemNumberMessage(QStringLiteral("ZZ9")));
    EXPECT_TRUE(control("Picture20")->isHidden());
    EXPECT_EQ(jumpBox()->selectedText(), QStringLiteral("ZZ9"));
    scan(QStringLiteral("A1"));  // the next scan replaces the selected text
    EXPECT_EQ(itemShown(), QStringLiteral("A1 "));

    QTest::keyClick(list(), Qt::Key_F2);
    EXPECT_EQ(QApplication::focusWidget(), jumpBox());
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), jumpBox());
}

TEST_F(LedgerKeyboardTest, PageKeysPageAndEnterOnARowOpensItsItem)
{
    openWithItems(30);
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_PageDown);
    EXPECT_EQ(labelText("pageLabel"), QStringLiteral(" P 2"));
    EXPECT_EQ(list()->textMatrix(1, 1), QStringLiteral("A13"));
    QTest::keyClick(list(), Qt::Key_PageUp);
    EXPECT_EQ(labelText("pageLabel"), QStringLiteral(" P 1"));

    list()->setCurrentCell(4, 2);  // the issues row of A2
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_EQ(itemShown(), QStringLiteral("A2 "));
    EXPECT_EQ(labelText("modeCaption"), QStringLiteral("訂 正"));
}

TEST_F(LedgerKeyboardTest, EscClosesThePanelOnTopOneAtATime)
{
    openWithItems(2);
    scan(QStringLiteral("A1"));
    itemGrid()->setFocus();
    itemGrid()->setCurrentCell(1, 0);
    QTest::keyClick(itemGrid(), Qt::Key_Return);  // the name: text box and word list
    EXPECT_FALSE(control("Picture1")->isHidden());
    QTest::keyClick(itemGrid(), Qt::Key_Escape);
    EXPECT_TRUE(control("Picture1")->isHidden());
    EXPECT_FALSE(control("Picture20")->isHidden());
    QTest::keyClick(itemGrid(), Qt::Key_Escape);
    EXPECT_TRUE(control("Picture20")->isHidden());
}

// Tab walks the command bar, then the list, then the frame, never stopping inside the list.
TEST_F(LedgerKeyboardTest, TabReachesTheCommandButtonsInTheirOrder)
{
    openWithItems(2);
    QStringList order;
    QWidget* at = jumpBox();
    for (int step = 0; step < 14; ++step) {
        order.append(at->objectName());
        do
            at = at->nextInFocusChain();
        while (!(at->isVisible() && at->isEnabled() && (at->focusPolicy() & Qt::TabFocus)));
    }
    const QStringList expected = QStringLiteral("itemNumberJumpBox pageNextButton pagePreviousButton sortButton "
                                                "deleteButton filterButton correctButton newButton ledgerExcelButton "
                                                "exitButton")
                                     .split(u' ');
    EXPECT_EQ(order.mid(0, expected.size()), expected);
    EXPECT_TRUE(order.contains(QStringLiteral("f1Grid1")));
    EXPECT_EQ(order.count(QStringLiteral("f1Grid1")), 1);
    EXPECT_EQ(control<QPushButton>("sortButton")->text(), QStringLiteral("&Sort"));
}

// A new item from the keyboard: its number typed on the item-number caption, then Ctrl+S.
TEST_F(LedgerKeyboardTest, ANewItemNumberIsTypedOnItsCaption)
{
    openWithItems(1);
    control<QPushButton>("newButton")->click();
    auto* number = control<QWidget>("itemNumberLabel");
    EXPECT_TRUE(number->focusPolicy() & Qt::TabFocus);
    QTest::keyClick(number, Qt::Key_N);
    ASSERT_NE(pad(), nullptr);
    QTest::keyClick(pad(), Qt::Key_7);
    QTest::keyClick(pad(), Qt::Key_Return);
    EXPECT_EQ(itemShown(), QStringLiteral("N7 "));
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen, 2000));
    QTest::keyClick(number, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(labelText("countLabel"), QStringLiteral("総数 2"));
}

} // namespace
