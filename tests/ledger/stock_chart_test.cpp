// The chart's data: the series of the item's ledger year, the month marks, the file name.
#include "ledger/stock_chart.h"
#include "storage/item_record.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Mark = StockChartData::Mark;

TEST(StockChart, SeriesAndMarksOfTheLedgerYear)
{
    ItemRecord item;
    item.setText(ItemField::Number, u" A-1 "_s);
    item.setText(ItemField::PreviousStock, u"3"_s);
    item.setText(ItemField::ProperStock, u"2"_s);
    item.setQty(QtyRow::Issued, 1, u"2"_s);   // 1: below the proper stock
    item.setQty(QtyRow::Issued, 2, u"1"_s);   // 0: at zero
    item.setQty(QtyRow::Issued, 3, u"1"_s);   // -1: a shortage counts as zero's mark
    item.setQty(QtyRow::Received, 4, u"4.5"_s); // 3.5: fine
    const StockChartData chart = StockChartOf(item, u"2025/10"_s);

    EXPECT_EQ(chart.itemNumber, u"A-1"_s);
    EXPECT_EQ(chart.months[0], u"2025/10月"_s);
    EXPECT_EQ(chart.months[3], u"2026/01月"_s);
    EXPECT_EQ(chart.issued[0], 2);
    EXPECT_EQ(chart.received[3], 4.5);
    EXPECT_EQ(chart.stock, (std::array<double, 12>{1, 0, -1, 3.5, 3.5, 3.5, 3.5, 3.5, 3.5, 3.5, 3.5, 3.5}));
    EXPECT_EQ(chart.marks[0], Mark::BelowProper);
    EXPECT_EQ(chart.marks[1], Mark::Zero);
    EXPECT_EQ(chart.marks[2], Mark::Zero);
    EXPECT_EQ(chart.marks[3], Mark::None);
    EXPECT_EQ(chart.proper, 2);
}

TEST(StockChart, FileNamesHoldNoCharacterAFileNameCannot)
{
    const struct {
        const char16_t* number;
        const char16_t* file;
    } cases[] = {
        {u"A-1", u"在庫推移_A-1.png"},
        {u"B/7", u"在庫推移_B_7.png"},
        {u"x:\\y*?\"<>|", u"在庫推移_x__y______.png"},
        {u" 軸受 ", u"在庫推移_軸受.png"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StockChartFileName(QString::fromUtf16(c.number)), QString::fromUtf16(c.file));
}
