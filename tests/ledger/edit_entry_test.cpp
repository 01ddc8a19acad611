// The entry pad's commits into the item being edited, the modes and the clears, without widgets.
#include "edit_session_fixture.h"
#include "ledger/ledger_colours.h"
#include "storage/vocabulary.h"

namespace {

constexpr int In = QtyRow::Received;
constexpr int Out = QtyRow::Issued;

TEST_F(EditSessionTest, ShortageIsRefusedWithTheMonthHeadingAndACorrectedItemIsReadBack)
{
    session.startCorrect(1);  // previous 10, received 5 in month 1
    ASSERT_TRUE(enterMonth(In, 3, QStringLiteral("7")));  // not stored: read back on refusal
    EXPECT_FALSE(enterMonth(Out, 2, QStringLiteral("16")));
    ASSERT_EQ(dialogs().shown().size(), 1);
    EXPECT_EQ(dialogs().shown().back().text,
              QStringLiteral("2026/05月 この数量では在庫数不足となります。\r入力以前の数値に戻します。　"));
    EXPECT_EQ(session.item(), ReadItem(client.ledgerPath(), 1)) << "all unsaved changes given up";

    EXPECT_TRUE(enterMonth(Out, 2, QStringLiteral("15")));
    EXPECT_EQ(session.item().text(ItemField::Stock), QStringLiteral("0"));
    EXPECT_EQ(session.cells().item[ItemColumn::Stock], QStringLiteral("0"));
    EXPECT_EQ(session.cells().stockColour, LedgerColour::ZeroStock);
    EXPECT_EQ(session.cells().month[Out][QtyColumn::Total], QStringLiteral("15"));
    EXPECT_EQ(state().CurrentRecord, session.item());
    EXPECT_TRUE(state().EditPending);

    // Lowering the early receipt: month 1 still holds, the year does not; no prefix.
    dialogs().clear();
    EXPECT_FALSE(enterMonth(In, 1, QStringLiteral("4")));
    EXPECT_TRUE(dialogs().shown().back().text.startsWith(QStringLiteral(" この数量では")));
}

TEST_F(EditSessionTest, RefusedEntryOnANewItemReturnsToTheStateBeforeIt)
{
    session.startNew();
    ASSERT_TRUE(enterItemRow(ItemColumn::PreviousStock, QStringLiteral("10")));
    ASSERT_TRUE(enterMonth(Out, 1, QStringLiteral("4")));
    const ItemRecord before = session.item();
    const FrameCells cellsBefore = session.cells();
    EXPECT_FALSE(enterMonth(Out, 2, QStringLiteral("7")));
    EXPECT_EQ(session.item(), before);
    EXPECT_EQ(session.cells().item, cellsBefore.item);
    EXPECT_EQ(session.cells().month, cellsBefore.month);
}

TEST_F(EditSessionTest, NumberCellsTakeNumbersOnlyAndRefuseWhatCannotFit)
{
    session.startCorrect(1);  // previous 10, received 5 in month 1
    struct Case {
        const char16_t* typed;
        const char16_t* stored;  // nullptr: refused, nothing changes
    };
    const Case cases[] = {
        {u"1,200", u"1200"}, {u"12,345.5", u"12345.5"}, {u"１２", u"12"}, {u"", u""},
        {u"12abc", nullptr}, {u"abc", nullptr}, {u"1,20", nullptr}, {u"1e3", nullptr}, {u"12,3456", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.typed).toStdString());
        dialogs().clear();
        const ItemRecord before = session.item();
        const bool accepted = enterMonth(In, 2, QString::fromUtf16(c.typed));
        EXPECT_EQ(accepted, c.stored != nullptr);
        if (c.stored) {
            EXPECT_EQ(session.item().qty(In, 2), QString::fromUtf16(c.stored));
            continue;
        }
        EXPECT_EQ(session.item(), before);
        ASSERT_EQ(dialogs().shown().size(), 1);
        EXPECT_TRUE(dialogs().shown().back().text.contains(QStringLiteral("は数値ではありません")));
    }
    // The unit price too: "1,200" is 1200, and the stock value follows.
    EXPECT_TRUE(enterItemRow(ItemColumn::UnitPrice, QStringLiteral("1,200")));
    EXPECT_EQ(session.item().text(ItemField::UnitPrice), QStringLiteral("1200"));
    EXPECT_FALSE(enterItemRow(ItemColumn::UnitPrice, QStringLiteral("12円")));
    EXPECT_EQ(session.item().text(ItemField::UnitPrice), QStringLiteral("1200"));

    const ItemRecord before = session.item();
    for (const QString& value : {QStringLiteral("1234567890"), QStringLiteral("9999999")}) {
        SCOPED_TRACE(value.toStdString());
        dialogs().clear();
        EXPECT_FALSE(enterMonth(In, 3, value)) << "too long for the field, or the total overflows";
        ASSERT_EQ(dialogs().shown().size(), 1);
        EXPECT_EQ(session.item(), before);
    }
}

TEST_F(EditSessionTest, PlannedQuantitiesRecomputeRatesOnlyAndNeverReportAShortage)
{
    ItemRecord shortItem = MakeItem({QStringLiteral("S1"), QString(), QString()});
    shortItem.setQty(Out, 1, QStringLiteral("5"));
    shortItem.setQty(Out, QtyColumn::Total, QStringLiteral(" 5"));
    WriteItems(client.ledgerPath(), {shortItem});
    session.startCorrect(1);
    session.selectMonthCell(In, QtyColumn::Planned);
    EXPECT_TRUE(session.commitEntry(QStringLiteral("150")));
    session.selectMonthCell(Out, QtyColumn::Planned);
    EXPECT_TRUE(session.commitEntry(QStringLiteral("4")));
    EXPECT_TRUE(dialogs().shown().isEmpty());
    EXPECT_EQ(session.item().qty(Out, QtyColumn::Rate), QStringLiteral("1250"));
    EXPECT_EQ(session.cells().month[Out][QtyColumn::Rate], QStringLiteral("125.0"));
    EXPECT_FALSE(session.selectMonthCell(In, QtyColumn::Rate));
    EXPECT_EQ(dialogs().shown().back().text, QStringLiteral("  入力枠ではありません。　"));
}

TEST_F(EditSessionTest, ItemNumberEntryAsksAboutANumberAnotherItemHas)
{
    session.startNew();
    dialogs().queueAnswer(Dialogs::Answer::Yes);
    enterItemNumber(QStringLiteral("A2"));
    ASSERT_EQ(dialogs().shown().size(), 1);
    EXPECT_EQ(dialogs().shown()[0].text,
              QStringLiteral("  2 項目に同一在庫品Noがあります。\r入力在庫品NOをを修修正目に戻します。　"));
    EXPECT_EQ(session.item().text(ItemField::Number), QString()) << "Yes keeps the old number";

    dialogs().queueAnswer(Dialogs::Answer::No);
    enterItemNumber(QStringLiteral("A2"));
    EXPECT_EQ(session.item().text(ItemField::Number), QStringLiteral("A2")) << "No accepts the duplicate";
    EXPECT_EQ(session.cells().itemNumber, QStringLiteral("A2 "));

    dialogs().clear();
    session.startCorrect(2);
    enterItemNumber(QStringLiteral("A2"));
    EXPECT_TRUE(dialogs().shown().isEmpty()) << "the item's own number is no duplicate";
}

TEST_F(EditSessionTest, CopyOnlyFromACorrectionAndNoKeepsTheCaption)
{
    session.startNew();
    EXPECT_FALSE(session.copy());
    EXPECT_EQ(dialogs().shown().back().text, QStringLiteral("新規画面では複写機能は実行できません。　"));

    session.startCorrect(1);
    EXPECT_FALSE(session.copy());  // answered No
    EXPECT_EQ(session.modeCaption(), ModeCaption::Copy);
    EXPECT_EQ(session.mode(), 1);
    EXPECT_EQ(state().CurrentRecordNo, 1);

    session.startCorrect(1);
    dialogs().queueAnswer(Dialogs::Answer::Yes);
    ASSERT_TRUE(session.copy());
    EXPECT_EQ(session.mode(), 2);
    EXPECT_EQ(state().CurrentRecordNo, 4);
    const ItemRecord& copy = session.item();
    EXPECT_EQ(copy.text(ItemField::Number), QStringLiteral("A1"));
    EXPECT_EQ(copy.text(ItemField::PreviousStock), QStringLiteral("10"));
    EXPECT_EQ(copy.qty(In, 1), QString());
    EXPECT_EQ(copy.text(ItemField::StartOfUse), QString());
}

TEST_F(EditSessionTest, ClearInOutKeepsTheItemWhileClearAllEmptiesTheNumberToo)
{
    session.startCorrect(1);
    session.clearInOut();
    const ItemRecord& item = session.item();
    for (int field : {0, 1, 5, 7, 8})
        EXPECT_FALSE(item.text(field).isEmpty()) << field;
    for (int field : {6, 9, 10, 11})
        EXPECT_TRUE(item.text(field).isEmpty()) << field;
    EXPECT_EQ(item.qty(In, 1), QString());
    EXPECT_EQ(session.cells().item[ItemColumn::StartOfUse], QString());

    session.clearAll();
    EXPECT_EQ(session.item().text(ItemField::Number), QString());
    EXPECT_EQ(session.cells().itemNumber, QString());
    EXPECT_EQ(state().CurrentRecordNo, 1) << "mode and record number stay";
}

TEST_F(EditSessionTest, EnterMovesThroughTheTextColumnsAndWordsComeFromTheList)
{
    session.startNew();
    EXPECT_EQ(session.selectItemCell(ItemColumn::Name), CellAction::TextEntry);
    QList<int> visited;
    for (int k = 0; k < 4; ++k)
        visited.append(session.enterText(QStringLiteral("w%1").arg(k)));
    EXPECT_EQ(visited, (QList<int>{1, 2, 3, 0}));
    EXPECT_EQ(session.item().text(ItemField::Maker), QStringLiteral("w2"));
    session.selectItemCell(ItemColumn::Unit);
    EXPECT_EQ(session.enterText(QStringLiteral("箱")), 0);
    EXPECT_EQ(session.entryText(), QStringLiteral("箱"));

    state().Vocabulary.setEntry(3, 1, {QString(), QStringLiteral("M8")});
    state().SharedSettings[ListCountLine(3)] = QStringLiteral("2");
    session.selectItemCell(ItemColumn::Shiyo);
    EXPECT_TRUE(session.pickWord(1));
    EXPECT_EQ(session.item().text(ItemField::Shiyo), QStringLiteral("M8"));
    EXPECT_FALSE(session.pickWord(2)) << "the empty end mark";
    EXPECT_EQ(dialogs().shown().back().text, QStringLiteral("仕様が入力されていません。"));
    EXPECT_EQ(session.item().text(ItemField::Shiyo), QStringLiteral("M8"));

    // "追記": the word typed last goes to the end of the list and into its file.
    session.selectItemCell(ItemColumn::Shiyo);
    session.enterText(QStringLiteral("M10"));
    dialogs().queueAnswer(Dialogs::Answer::Yes);
    session.addWordToList();
    EXPECT_EQ(state().Vocabulary.entry(3, 2).word, QStringLiteral("M10"));
    EXPECT_TRUE(TempClient::readBytes(VocabularyPath(state(), 3)).contains("M10"));
    dialogs().queueAnswer(Dialogs::Answer::Yes);
    session.addWordToList();
    EXPECT_EQ(dialogs().shown().back().text, QStringLiteral("項目リストに同じ語句があります。"));
}

} // namespace
