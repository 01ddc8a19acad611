// The edit frame on the ledger screen: the main buttons, the frame's buttons, cell clicks, the
// text box, the vocabulary panel and the entry pad, offscreen.
#include "ledger/edit_frame_panel.h"
#include "ledger/edit_frame_screen.h"
#include "ledger/entry_pad.h"
#include "ledger/ledger_items_helper.h"
#include "ledger/ledger_screen_fixture.h"
#include "ledger/ledger_texts.h"
#include "ledger/vocabulary_panel.h"
#include "settings/year_rollover.h"
#include "storage/cp932_codec.h"
#include "storage/settings_files.h"
#include "storage/vocabulary.h"

#include <QDateTime>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

class EditFrameScreenTest : public LedgerScreenTest {
protected:
    void openWithItems(int count)
    {
        QList<ItemRecord> items;
        for (int n = 1; n <= count; ++n) {
            ItemRecord item;
            item.setText(ItemField::Number, QStringLiteral("A%1").arg(n));
            item.setText(ItemField::PreviousStock, QStringLiteral("10"));
            items.append(item);
        }
        writeItems(items);
        screen = openLedger();
    }
    void click(const char* name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
    FlexGrid* itemGrid() { return control<FlexGrid>("MSFlexGrid1"); }
    FlexGrid* monthGrid() { return control<FlexGrid>("MSFlexGrid2"); }
    QString modeCaption() { return labelText("modeCaption"); }
    EntryPad* pad() { return screen->editing()->entryPad(); }
    // Selects the list row and presses "訂 正".
    void correctRow(int row)
    {
        list()->setCurrentCell(row, 1);
        click("correctButton");
        client.dialogs.clear();
    }

    LedgerScreen* screen = nullptr;
};

TEST_F(EditFrameScreenTest, CorrectNewAndCopyFollowTheSelectedRow)
{
    openWithItems(3);
    correctRow(4);  // the blue issued row belongs to the item above it
    EXPECT_EQ(modeCaption(), QStringLiteral("訂 正"));
    EXPECT_EQ(labelText("itemNumberLabel"), QStringLiteral("A2 "));
    EXPECT_EQ(list()->currentRow(), 3);

    correctRow(7);  // past the items: nothing selected
    EXPECT_EQ(modeCaption(), QStringLiteral("新 規"));
    EXPECT_EQ(labelText("recordNoLabel"), QStringLiteral(" No 4"));
    EXPECT_TRUE(control("Picture20")->isVisible());

    click("copyButton");
    EXPECT_EQ(client.dialogs.shown().back().text, QStringLiteral("新規画面では複写機能は実行できません。　"));

    correctRow(3);
    EXPECT_EQ(modeCaption(), QStringLiteral("訂 正"));
    EXPECT_EQ(labelText("itemNumberLabel"), QStringLiteral("A2 "));
    EXPECT_EQ(itemGrid()->textMatrix(1, 7), QStringLiteral("10"));
    click("copyButton");  // answered No
    EXPECT_EQ(modeCaption(), QStringLiteral("複 写"));
    EXPECT_EQ(labelText("recordNoLabel"), QStringLiteral(" No 2"));
}

TEST_F(EditFrameScreenTest, PadOnAMonthCellReplacesTheValueAndRecalculates)
{
    openWithItems(1);
    correctRow(1);
    monthGrid()->clicked(2, 1);
    ASSERT_NE(pad(), nullptr);
    EXPECT_FALSE(pad()->findChild<QPushButton*>(QStringLiteral("padKeyPoint"))->isVisibleTo(pad()));
    QTest::mouseClick(pad()->findChild<QPushButton*>(QStringLiteral("padKey4")), Qt::LeftButton);
    QTest::mouseClick(pad()->findChild<QPushButton*>(QStringLiteral("padKey0")), Qt::LeftButton);
    EXPECT_EQ(pad()->readoutText(), QStringLiteral("40"));
    QTest::mouseClick(pad()->findChild<QPushButton*>(QStringLiteral("padClearButton")), Qt::LeftButton);
    QTest::mouseClick(pad()->findChild<QPushButton*>(QStringLiteral("padKey4")), Qt::LeftButton);
    QTest::mouseClick(pad()->findChild<QPushButton*>(QStringLiteral("padConfirmButton")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(pad(), nullptr) << "the pad closes after a confirmation";
    EXPECT_EQ(monthGrid()->textMatrix(2, 1), QStringLiteral("4"));
    EXPECT_EQ(itemGrid()->textMatrix(1, 9), QStringLiteral("6"));

    // The pad starts at the field's own value and its first key replaces it.
    monthGrid()->clicked(2, 1);
    EXPECT_EQ(pad()->readoutText(), QStringLiteral("4"));
    QTest::mouseClick(pad()->findChild<QPushButton*>(QStringLiteral("padKey5")), Qt::LeftButton);
    EXPECT_EQ(pad()->readoutText(), QStringLiteral("5"));
    auto* box = pad()->findChild<QLineEdit*>(QStringLiteral("padTextBox"));
    box->show();
    QTest::keyClicks(box, QStringLiteral("12"));
    QTest::keyClick(box, Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(client.dialogs.shown().back().text.contains(QStringLiteral("在庫数不足")));
    EXPECT_EQ(monthGrid()->textMatrix(2, 1), QString()) << "read back as stored";
}

TEST(VocabularyPanelEntries, TheWordNumberIsReadWholeUpToTheLastEntry)
{
    for (const int number : {1, 9, 10, 999, 1000, 9999, 10000, 10010})
        EXPECT_EQ(VocabularyPanel::wordNumberOf(VocabularyPanel::entryText(number, QStringLiteral("12ボルト"))), number);
}

TEST_F(EditFrameScreenTest, EnterMovesAlongTheTextColumnsAndWordsComeFromTheList)
{
    writeSettings({}, {{ListCountLine(2), QStringLiteral("2")}});
    state().Vocabulary.setEntry(2, 1, {QString(), QStringLiteral("ボルト")});
    WriteVocabularyLists(state());
    openWithItems(1);
    click("newButton");
    itemGrid()->clicked(1, 0);
    auto* panel = control<VocabularyPanel>("Picture1");
    EXPECT_TRUE(panel->isVisible());
    auto* box = control<QLineEdit>("textEntryBox");
    QList<int> columns;
    for (const char* text : {"n", "s", "m", "p"}) {
        box->setText(QString::fromLatin1(text));
        QTest::keyClick(box, Qt::Key_Return);
        columns.append(itemGrid()->currentColumn());
    }
    EXPECT_EQ(columns, (QList<int>{1, 2, 3, 0}));
    EXPECT_EQ(itemGrid()->textMatrix(1, 2), QStringLiteral("m"));

    itemGrid()->clicked(1, 0);
    QListWidget* words = control<QListWidget>("List1");
    ASSERT_EQ(words->count(), 2);
    EXPECT_EQ(words->item(0)->text(), QStringLiteral("1    ボルト"));
    words->itemClicked(words->item(0));
    EXPECT_EQ(itemGrid()->textMatrix(1, 0), QStringLiteral("ボルト"));
    EXPECT_FALSE(panel->isVisible());

    itemGrid()->clicked(1, 0);
    box->setText(QStringLiteral("ナット"));
    QTest::keyClick(box, Qt::Key_Return);
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    click("addWordButton");
    EXPECT_EQ(words->count(), 3);
    EXPECT_EQ(words->item(1)->text(), QStringLiteral("2    ナット"));
    EXPECT_TRUE(Cp932::decode(TempClient::readBytes(VocabularyPath(state(), 2))).contains(QStringLiteral("ナット")));
}

TEST_F(EditFrameScreenTest, StoringANewItemShowsItInTheListAndTheCount)
{
    openWithItems(2);
    click("newButton");
    client.dialogs.clear();
    click("registerButton");
    EXPECT_TRUE(client.dialogs.shown().back().text.startsWith(QStringLiteral("在庫品Noが入力されていません。")));

    QTest::mouseClick(control<QLabel>("itemNumberLabel"), Qt::LeftButton);
    ASSERT_NE(pad(), nullptr);
    for (const char* key : {"padKeyN", "padKey7"})
        QTest::mouseClick(pad()->findChild<QPushButton*>(QString::fromLatin1(key)), Qt::LeftButton);
    QTest::mouseClick(pad()->findChild<QPushButton*>(QStringLiteral("padConfirmButton")), Qt::LeftButton);
    click("registerButton");
    EXPECT_EQ(labelText("countLabel"), QStringLiteral("総数 3"));
    EXPECT_EQ(list()->textMatrix(5, 1), QStringLiteral("N7"));
    EXPECT_EQ(modeCaption(), QStringLiteral("訂 正"));
    EXPECT_EQ(labelText("recordNoLabel"), QStringLiteral(" No 3"));
    EXPECT_TRUE(control("Picture20")->isVisible());
}

// The frame holds an item read in the old ledger year; another PC rolls the year over; "登　録"
// refuses (a hasty Yes must not write the old year back) and says what happened.
TEST_F(EditFrameScreenTest, AnItemReadBeforeAnotherPcsRolloverIsNotStored)
{
    openWithItems(1);
    correctRow(1);
    monthGrid()->clicked(2, 1);
    ASSERT_NE(pad(), nullptr);
    QTest::mouseClick(pad()->findChild<QPushButton*>(QStringLiteral("padKey4")), Qt::LeftButton);
    QTest::mouseClick(pad()->findChild<QPushButton*>(QStringLiteral("padConfirmButton")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    OtherPc other(state());
    ASSERT_TRUE(RollOverLedgerYear(other.state, QStringLiteral("2026/04"), QStringLiteral("2027/04"),
                                   QDateTime::currentDateTime())
                    .ok());
    const QByteArray rolled = TempClient::readBytes(client.ledgerPath());
    client.dialogs.clear();
    client.dialogs.setDefaultAnswer(Dialogs::Answer::Yes);
    click("registerButton");

    ASSERT_FALSE(client.dialogs.shown().isEmpty());
    EXPECT_FALSE(client.dialogs.shown().back().question);
    EXPECT_TRUE(client.dialogs.shown().back().text.contains(QStringLiteral("年度更新（2026/04 → 2027/04）")))
        << client.dialogs.shown().back().text.toStdString();
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), rolled);
}

// The pad opened on item A1's month cell: whatever moves the frame or uses the screen otherwise
// closes it, and nothing typed into it reaches another item.
TEST_F(EditFrameScreenTest, ThePadClosesWhenTheFrameMovesOnAndNeverWritesIntoAnotherItem)
{
    openWithItems(3);
    for (const char* action : {"nextItemButton", "copyButton", "clearAllButton", "clearInOutButton", "pageNextButton",
                               "filterButton", "sortButton", "deleteButton", "editFrameCloseButton"}) {
        SCOPED_TRACE(action);
        correctRow(1);
        monthGrid()->clicked(2, 3);
        const QPointer<EntryPad> opened = pad();
        ASSERT_NE(opened, nullptr);
        QTest::mouseClick(opened->findChild<QPushButton*>(QStringLiteral("padKey2")), Qt::LeftButton);
        client.dialogs.setDefaultAnswer(Dialogs::Answer::Yes);
        click(action);
        client.dialogs.setDefaultAnswer(Dialogs::Answer::No);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(opened.isNull());
        for (const ItemRecord& stored : ledger_items::ReadRecordFile(client.ledgerPath()))
            EXPECT_EQ(stored.qty(QtyRow::Issued, 3), QString());
    }

    // A pad that is somehow still open when the item changed is bound to its item and cell.
    correctRow(1);
    monthGrid()->clicked(2, 3);
    const QPointer<EntryPad> stale = pad();
    screen->editing()->session().startCorrect(2);
    client.dialogs.clear();
    QTest::mouseClick(stale->findChild<QPushButton*>(QStringLiteral("padKey2")), Qt::LeftButton);
    QTest::mouseClick(stale->findChild<QPushButton*>(QStringLiteral("padConfirmButton")), Qt::LeftButton);
    EXPECT_EQ(screen->editing()->session().item().qty(QtyRow::Issued, 3), QString());
    ASSERT_FALSE(client.dialogs.shown().isEmpty());
    EXPECT_EQ(client.dialogs.shown().back().text, EntryPlaceChangedMessage());
}

TEST_F(EditFrameScreenTest, LoadingAnItemIntoTheFrameRunsTheStopAllCheck)
{
    openWithItems(3);
    correctRow(1);
    writeSettings({}, {{SharedLine::StopAll, On}});
    click("nextItemButton");
    EXPECT_EQ(client.endRequests, 1);
    EXPECT_EQ(labelText("itemNumberLabel"), QStringLiteral("A1 ")) << "nothing loaded";
    state().programEnded = false;  // the end is asked for once per run
    client.dialogs.setDefaultAnswer(Dialogs::Answer::Yes);
    click("copyButton");
    EXPECT_EQ(client.endRequests, 2);
    EXPECT_EQ(modeCaption(), QStringLiteral("訂 正"));
}

TEST_F(EditFrameScreenTest, APadEntryThatIsNoNumberIsRefusedAndNeverStored)
{
    openWithItems(1);
    correctRow(1);
    monthGrid()->clicked(1, 2);
    for (const char* key : {"padKey1", "padKeyComma", "padKey2"})
        QTest::mouseClick(pad()->findChild<QPushButton*>(QString::fromLatin1(key)), Qt::LeftButton);
    QTest::mouseClick(pad()->findChild<QPushButton*>(QStringLiteral("padConfirmButton")), Qt::LeftButton);
    EXPECT_TRUE(client.dialogs.shown().back().text.startsWith(QStringLiteral("「1,2」は数値ではありません。")));
    EXPECT_EQ(monthGrid()->textMatrix(1, 2), QString());
    click("registerButton");
    EXPECT_EQ(ledger_items::ReadRecordFile(client.ledgerPath())[0].qty(QtyRow::Received, 2), QString());

    monthGrid()->clicked(1, 2);
    for (const char* key : {"padKey1", "padKeyComma", "padKey2", "padKey0", "padKey0"})
        QTest::mouseClick(pad()->findChild<QPushButton*>(QString::fromLatin1(key)), Qt::LeftButton);
    QTest::mouseClick(pad()->findChild<QPushButton*>(QStringLiteral("padConfirmButton")), Qt::LeftButton);
    EXPECT_EQ(monthGrid()->textMatrix(1, 2), QStringLiteral("1,200"));
    EXPECT_EQ(itemGrid()->textMatrix(1, 9), QStringLiteral("1,210"));
}

// A quantity entered and not stored: leaving the item or the screen asks first. Cancel stays,
// No gives the entry up, Yes stores it.
TEST_F(EditFrameScreenTest, EntriesNotStoredAreAskedAboutBeforeTheFrameLeavesTheItem)
{
    openWithItems(3);
    const auto enterFour = [this] {
        monthGrid()->clicked(1, 2);
        QTest::mouseClick(pad()->findChild<QPushButton*>(QStringLiteral("padKey4")), Qt::LeftButton);
        QTest::mouseClick(pad()->findChild<QPushButton*>(QStringLiteral("padConfirmButton")), Qt::LeftButton);
        client.dialogs.clear();
    };
    const auto received = [this](int record) {
        return ledger_items::ReadRecordFile(client.ledgerPath())[record - 1].qty(QtyRow::Received, 2);
    };
    correctRow(1);
    enterFour();

    for (const char* leave : {"pageNextButton", "nextItemButton", "correctButton", "newButton", "sortButton",
                              "editFrameCloseButton", "exitButton"}) {
        SCOPED_TRACE(leave);
        client.dialogs.queueChoice(Dialogs::Choice::Cancel);
        click(leave);
        ASSERT_FALSE(client.dialogs.shown().isEmpty());
        EXPECT_EQ(client.dialogs.shown().back().text, UnsavedEntriesQuestion());
        EXPECT_TRUE(client.dialogs.shown().back().withCancel);
        EXPECT_EQ(host.current(), screen);
        EXPECT_EQ(labelText("itemNumberLabel"), QStringLiteral("A1 "));
        EXPECT_EQ(monthGrid()->textMatrix(1, 2), QStringLiteral("4"));
        client.dialogs.clear();
    }
    client.dialogs.queueChoice(Dialogs::Choice::Cancel);
    screen->close();  // the window's close box
    EXPECT_EQ(client.dialogs.shown().back().text, UnsavedEntriesQuestion());
    EXPECT_EQ(host.current(), screen);

    client.dialogs.queueChoice(Dialogs::Choice::No);
    click("nextItemButton");
    EXPECT_EQ(labelText("itemNumberLabel"), QStringLiteral("A2 "));
    EXPECT_EQ(received(1), QString()) << "given up";

    enterFour();
    host.setMenuFactory([](ScreenHost&) { return new QWidget; });
    client.dialogs.queueChoice(Dialogs::Choice::Yes);
    click("exitButton");
    EXPECT_EQ(received(2), QStringLiteral("4"));
    EXPECT_TRUE(host.currentKey().isEmpty()) << "back at the menu";
}

} // namespace
