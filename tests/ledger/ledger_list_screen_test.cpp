// The list of the ledger screen: paging by its buttons, what a page draws, the reads a page
// change makes, list clicks, "次　項" of the edit frame and the movable panels.
#include "ledger_screen_fixture.h"

#include "ledger/colour_label_widget.h"

#include <QPushButton>
#include <QTest>

namespace {

ItemRecord item(const QString& number, const char* stock, const char* proper, const char* rate = "")
{
    ItemRecord record;
    record.setText(ItemField::Number, number);
    record.setText(ItemField::UnitPrice, QStringLiteral("1200"));
    record.setText(ItemField::StockValue, QStringLiteral("1234567"));
    record.setText(ItemField::ProperStock, QString::fromLatin1(proper));
    record.setText(ItemField::Stock, QString::fromLatin1(stock));
    record.setText(ItemField::StartOfUse, QStringLiteral("2025/06"));
    record.setQty(QtyRow::Received, 1, QStringLiteral("5"));
    record.setQty(QtyRow::Received, 2, QStringLiteral("0"));
    record.setQty(QtyRow::Issued, QtyColumn::Rate, QString::fromLatin1(rate));
    return record;
}

void click(QWidget* button)
{
    static_cast<QPushButton*>(button)->click();
}

TEST_F(LedgerScreenTest, PageButtonsTurnThePagesOfThirtyRecords)
{
    WriteTestLedger(client.ledgerPath(), 30);
    openLedger();
    FlexGrid* grid = list();
    EXPECT_EQ(labelText("pageLabel"), QStringLiteral(" P 1"));
    EXPECT_EQ(labelText("countLabel"), QStringLiteral("総数 30"));
    EXPECT_EQ(state().CurrentRecordNo, 30);
    EXPECT_EQ(grid->textMatrix(1, 0), QStringLiteral("1"));
    EXPECT_EQ(grid->textMatrix(23, 1), QStringLiteral("A12"));
    EXPECT_EQ(grid->textMatrix(2, 13), QStringLiteral("出庫"));

    const struct {
        const char* button;
        const char* label;
        const char* row1;
        const char* row11;
        const char* row13;
    } steps[] = {
        {"pageNextButton", " P 2", "A13", "A18", "A19"},
        {"pageNextButton", " P 3", "A25", "A30", ""},
        {"pageNextButton", " P 1", "A1", "A6", "A7"},
        {"pagePreviousButton", " P 3", "A25", "A30", ""},
    };
    for (const auto& s : steps) {
        click(control(s.button));
        EXPECT_EQ(labelText("pageLabel"), QString::fromLatin1(s.label));
        EXPECT_EQ(grid->textMatrix(1, 1), QString::fromLatin1(s.row1)) << s.label;
        EXPECT_EQ(grid->textMatrix(11, 1), QString::fromLatin1(s.row11)) << s.label;
        EXPECT_EQ(grid->textMatrix(13, 1), QString::fromLatin1(s.row13)) << s.label;
        EXPECT_EQ(grid->textMatrix(0, 14), QStringLiteral("2026/04月"));
        EXPECT_EQ(cellColour(grid, 14, 3), LedgerColour::CaptionBlue) << "the shading survives the page change";
        EXPECT_EQ(grid->currentRow(), 1);
    }
    EXPECT_TRUE(grid->textMatrix(14, 13).isEmpty());
}

TEST_F(LedgerScreenTest, FilterPageButtonsPageTheHitList)
{
    WriteTestLedger(client.ledgerPath(), 40);
    LedgerScreen* screen = openLedger();
    for (int k = 1; k <= 20; ++k)
        screen->view().HitList.append(2 * k);
    screen->view().filterMode = true;
    screen->view().page = FirstPage();
    screen->showHitListPage();
    control("Picture17")->show();
    EXPECT_EQ(list()->textMatrix(1, 1), QStringLiteral("A2"));

    click(control("hitPageNextButton"));
    EXPECT_EQ(labelText("pageLabel"), QStringLiteral(" P 2"));
    EXPECT_EQ(list()->textMatrix(1, 0), QStringLiteral("26"));
    EXPECT_EQ(list()->textMatrix(17, 1), QString());
    EXPECT_FALSE(control("Picture17")->isHidden()) << "paging the result keeps its buttons";
    click(control("hitPagePreviousButton"));
    EXPECT_EQ(labelText("pageLabel"), QStringLiteral(" P 1"));
    EXPECT_EQ(list()->textMatrix(23, 1), QStringLiteral("A24"));
}

TEST_F(LedgerScreenTest, EachPageChangeOfAFullLedgerReadsAtMostThirteenRecords)
{
    WriteTestLedger(client.ledgerPath(), AppState::MaxRecords);
    LedgerScreen* screen = openLedger();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(labelText("countLabel"), QStringLiteral("総数 50009"));
    EXPECT_EQ(list()->textMatrix(23, 1), QStringLiteral("A12"));

    std::vector<int> reads;
    const RecordReader ledger = LedgerRecordReader(state());
    screen->setRecordReader([&](int n) {
        reads.push_back(n);
        return ledger(n);
    });
    const struct {
        const char* button;
        int firstRead;
        size_t count;
    } steps[] = {
        {"pageNextButton", 13, 13},
        {"pageNextButton", 25, 13},
        {"pagePreviousButton", 13, 13},
        {"pagePreviousButton", 1, 13},
        {"pagePreviousButton", 50005, 5},  // wrapped to the last page: 50 005 .. 50 009
    };
    for (const auto& s : steps) {
        reads.clear();
        click(control(s.button));
        ASSERT_EQ(reads.size(), s.count) << s.button;
        EXPECT_EQ(reads.front(), s.firstRead);
    }
    EXPECT_EQ(labelText("pageLabel"), QStringLiteral(" P 4168"));
    EXPECT_EQ(list()->textMatrix(9, 1), QStringLiteral("A50009"));
    client.dialogs.clear(); // the capacity message at every open
}

TEST_F(LedgerScreenTest, PageDrawsNumbersAndStockColours)
{
    writeItems({item(QStringLiteral("Z0"), "0", "10", "1234"), item(QStringLiteral("M1"), "-1", "10"),
                item(QStringLiteral("M2"), "-2", "10"), item(QStringLiteral("E10"), "10", "10", "5"),
                item(QStringLiteral("B7"), "7", "10"), item(QStringLiteral("N"), "", "10", "0")});
    for (const bool decimals : {false, true}) {
        SCOPED_TRACE(decimals);
        writeSettings({}, {{SharedLine::Decimals, decimals ? On : QStringLiteral("0")}});
        openLedger();
        FlexGrid* grid = list();
        const struct {
            const char* stockText;
            quint32 colour;
        } expected[] = {{"0", LedgerColour::ZeroStock}, {decimals ? "-1.0" : "-1", LedgerColour::BelowProper},
                        {decimals ? "-2.0" : "-2", LedgerColour::ZeroStock}, {decimals ? "10.0" : "10", LedgerColour::WindowBackground},
                        {decimals ? "7.0" : "7", LedgerColour::BelowProper}, {"", LedgerColour::WindowBackground}};
        for (int k = 0; k < 6; ++k) {
            EXPECT_EQ(grid->textMatrix(2 * k + 1, 11), QString::fromLatin1(expected[k].stockText)) << k;
            EXPECT_EQ(cellColour(grid, 2 * k + 1, 11), expected[k].colour) << k;
        }
        EXPECT_EQ(grid->textMatrix(1, 6), QStringLiteral("1,200"));
        EXPECT_EQ(grid->textMatrix(1, 14), decimals ? QStringLiteral("5.0") : QStringLiteral("5"));
        EXPECT_EQ(grid->textMatrix(1, 15), QString());
        EXPECT_EQ(grid->textMatrix(2, 27), QStringLiteral("123.4"));
        EXPECT_EQ(grid->textMatrix(8, 27), QStringLiteral(".5"));
        EXPECT_EQ(grid->textMatrix(12, 27), QString());
        EXPECT_EQ(grid->textMatrix(1, 28), QString()) << "no start-of-use column";
        EXPECT_EQ(labelText("stockValueLabel"), QStringLiteral("7,407,402"));
    }
    // Turning to an empty page gives the stock cells back their background.
    click(control("pageNextButton"));
    EXPECT_EQ(cellColour(list(), 1, 11), LedgerColour::WindowBackground);
    EXPECT_EQ(list()->textMatrix(1, 11), QString());
}

TEST_F(LedgerScreenTest, NextItemOfTheEditFrameWalksThePage)
{
    WriteTestLedger(client.ledgerPath(), 11);
    LedgerScreen* screen = openLedger();
    FlexGrid* grid = list();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(21, 2)).center());
    EXPECT_EQ(grid->currentRow(), 21);
    EXPECT_EQ(grid->currentColumn(), 2);

    click(control("nextItemButton"));
    EXPECT_EQ(grid->currentRow(), 23);
    EXPECT_EQ(state().CurrentRecordNo, 11) << "nothing loaded";

    click(control("nextItemButton"));
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(state().CurrentRecordNo, 1);
    EXPECT_EQ(state().CurrentRecord.text(ItemField::Number), QStringLiteral("A1"));
    EXPECT_EQ(screen->view().LedgerMode, 1);
    EXPECT_EQ(control<ColourLabel>("modeCaption")->text(), QStringLiteral("訂 正"));
    EXPECT_EQ(control<ColourLabel>("modeCaption")->colourValue(), LedgerColour::ModeCaption);
    EXPECT_EQ(labelText("recordNoLabel"), QStringLiteral(" No 1"));

    click(control("nextItemButton"));
    EXPECT_EQ(grid->currentRow(), 3);
    EXPECT_EQ(state().CurrentRecordNo, 2);
}

TEST_F(LedgerScreenTest, NarrowAndWideColumns)
{
    openLedger();
    FlexGrid* grid = list();
    QTest::mouseClick(control("narrowColumnsPicture"), Qt::LeftButton);
    EXPECT_EQ(grid->colWidthTwips(1), 1400);
    EXPECT_EQ(grid->colWidthTwips(2), 1400);
    for (int col = 3; col <= 9; ++col)
        EXPECT_TRUE(grid->isColumnHidden(col)) << col;
    EXPECT_FALSE(grid->isColumnHidden(10));
    QTest::mouseClick(control("wideColumnsPicture"), Qt::LeftButton);
    const int wide[] = {0, 2400, 2400, 2400, 2400, 1800, 1000, 1000, 1000, 1000};
    for (int col = 1; col <= 9; ++col) {
        EXPECT_FALSE(grid->isColumnHidden(col)) << col;
        EXPECT_EQ(grid->colWidthTwips(col), wide[col]) << col;
    }
}

TEST_F(LedgerScreenTest, PanelsMoveByDragAndByTheirPresets)
{
    openLedger();
    QWidget* frame = control("Picture20");
    QWidget* filter = control("Picture6");
    const QSize area = control("backgroundPicture")->size();
    frame->show();
    filter->show();
    // The frame is too wide for a left of 1660 and the filter panel too high for a top of 8880:
    // both are kept at the background's right and bottom edges.
    const int frameLeft = area.width() - frame->width();
    const int filterBottomTop = area.height() - filter->height();

    QTest::mouseClick(control("editFrameLowPicture"), Qt::LeftButton);
    EXPECT_EQ(frame->pos(), QPoint(frameLeft, pixels(0, 6700).y()));
    QTest::mouseClick(control("editFrameHighPicture"), Qt::LeftButton);
    EXPECT_EQ(frame->pos(), QPoint(frameLeft, pixels(0, 3360).y()));
    QTest::mouseClick(control("filterPanelLowPicture"), Qt::LeftButton);
    EXPECT_EQ(filter->pos(), QPoint(pixels(12000, 0).x(), filterBottomTop));
    QTest::mouseClick(control("filterPanelHighPicture"), Qt::LeftButton);
    EXPECT_EQ(filter->pos(), pixels(12000, 1640));

    // Dragged by the handle the panel follows the pointer, then stays within its bounds.
    QWidget* handle = control("editFrameHandle");
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(handle, QPoint(5 - 50, 5 + 50));
    EXPECT_EQ(frame->pos(), QPoint(frameLeft - 50, pixels(0, 3360).y() + 50));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(-2000, -2000));
    EXPECT_EQ(frame->pos(), pixels(500, 900));

    QWidget* filterHandle = control("filterPanelHandle");
    QTest::mousePress(filterHandle, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(filterHandle, Qt::LeftButton, {}, QPoint(3000, 3000));
    EXPECT_EQ(filter->pos(), QPoint(area.width() - filter->width(), pixels(0, 8040).y()));
    QTest::mousePress(filterHandle, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(filterHandle, Qt::LeftButton, {}, QPoint(-2000, -2000));
    EXPECT_EQ(filter->pos(), pixels(500, 0));
}

} // namespace
