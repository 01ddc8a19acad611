// "グラフ" of the edit frame: the chart of the item shown (as the frame shows it, unsaved entries
// included), its months as the month table labels them, and "PNG保存".
#include "excel_output/output_paths.h"
#include "ledger/edit_frame_screen.h"
#include "ledger/ledger_screen_fixture.h"
#include "ledger/stock_chart_panel.h"
#include "ledger/stock_chart_widget.h"

#include <QImage>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class StockChartScreenTest : public LedgerScreenTest {
protected:
    void SetUp() override
    {
        LedgerScreenTest::SetUp();
        ItemRecord item;
        item.setText(ItemField::Number, u"B/7"_s);
        item.setText(ItemField::Name, u"ベアリング"_s);
        item.setText(ItemField::PreviousStock, u"10"_s);
        item.setText(ItemField::ProperStock, u"8"_s);
        item.setQty(QtyRow::Received, 1, u"5"_s);
        item.setQty(QtyRow::Issued, 2, u"9"_s);
        writeItems({item});
        screen = openLedger();
    }
    void click(const char* name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
    StockChartPanel* panel() { return screen->findChild<StockChartPanel*>(u"stockChartPanel"_s); }

    LedgerScreen* screen = nullptr;
};

} // namespace

TEST_F(StockChartScreenTest, ShowsTheItemAsTheFrameHoldsItAndSavesItAsPng)
{
    list()->setCurrentCell(1, 1);
    click("correctButton");
    // An entry not stored yet is in the chart: the chart draws what the frame shows.
    EditSession& session = screen->editing()->session();
    ASSERT_TRUE(session.selectMonthCell(QtyRow::Issued, 3));
    ASSERT_TRUE(session.commitEntry(u"6"_s));
    client.dialogs.clear();

    EXPECT_EQ(control<QPushButton>("chartButton")->text(), u"グラフ"_s);
    click("chartButton");
    ASSERT_NE(panel(), nullptr);
    EXPECT_TRUE(panel()->isVisible());
    const StockChartData& chart = panel()->chartView()->chart();
    EXPECT_EQ(chart.itemNumber, u"B/7"_s);
    EXPECT_EQ(chart.months.front(), u"2026/04月"_s);
    EXPECT_EQ(chart.months.back(), u"2027/03月"_s);
    EXPECT_EQ(chart.stock[0], 15);
    EXPECT_EQ(chart.stock[1], 6);
    EXPECT_EQ(chart.stock[2], 0);
    EXPECT_EQ(chart.marks[1], StockChartData::Mark::BelowProper);
    EXPECT_EQ(chart.marks[2], StockChartData::Mark::Zero);
    EXPECT_EQ(chart.marks[0], StockChartData::Mark::None);

    click("chartSaveButton");
    const QString path = DocumentsFolderPath(state()) + u"在庫推移_B_7.png"_s;
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_TRUE(client.dialogs.shown()[0].text.contains(path)) << client.dialogs.shown()[0].text.toStdString();
    const QImage saved(path);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), panel()->chartView()->size());

    click("chartCloseButton");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(panel(), nullptr);
}

TEST_F(StockChartScreenTest, ANewItemWithoutNumberHasNoChart)
{
    click("newButton");
    client.dialogs.clear();
    click("chartButton");
    EXPECT_EQ(panel(), nullptr);
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].text, u"　在庫品Noが入力されていません。"_s);
}
