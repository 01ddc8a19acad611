#include "ledger/edit_frame_cells.h"
#include "ledger/ledger_colours.h"
#include "ledger/stock_computation.h"
#include "storage/item_record.h"

#include <gtest/gtest.h>

namespace {

struct Entry {
    int row;
    int month;
    const char* value;
};

ItemRecord itemOf(const char* previous, std::initializer_list<Entry> entries, const char* proper = "")
{
    ItemRecord item;
    item.setText(ItemField::PreviousStock, QString::fromLatin1(previous));
    item.setText(ItemField::ProperStock, QString::fromLatin1(proper));
    for (const Entry& e : entries)
        item.setQty(e.row, e.month, QString::fromLatin1(e.value));
    return item;
}

constexpr int In = QtyRow::Received;
constexpr int Out = QtyRow::Issued;
using Status = StockOutcome::Status;

TEST(StockComputationTest, ShortageChecksUpToTheEditedMonthAndOverTheYear)
{
    struct Case {
        const char* name;
        ItemRecord item;
        int monthLimit;
        Status status;
        double stockOrShort;
        int month;
    } cases[] = {
        {"issue beyond what month 2 holds", itemOf("10", {{In, 1, "5"}, {Out, 2, "16"}}), 2, Status::ShortUpToMonth, -1, 2},
        {"issue of exactly what is there", itemOf("10", {{In, 1, "5"}, {Out, 2, "15"}}), 2, Status::Accepted, 0, 0},
        {"an early receipt lowered: the year fails", itemOf("0", {{In, 1, "5"}, {Out, 3, "10"}}), 1,
         Status::ShortOverYear, -5, 0},
        {"item-row entries check the year only", itemOf("-3", {{In, 5, "3"}}), 0, Status::Accepted, 0, 0},
        {"letters in a quantity count as 0", itemOf("2", {{In, 1, "abc"}, {Out, 1, "2"}}), 1, Status::Accepted, 0, 0},
        {"decimal sums do not drift below zero", itemOf(".3", {{Out, 1, ".1"}, {Out, 2, ".2"}}), 2, Status::Accepted, 0, 0},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ItemRecord before = c.item;
        const StockOutcome outcome = RecalculateStock(c.item, c.monthLimit);
        EXPECT_EQ(outcome.status, c.status);
        if (outcome.accepted()) {
            EXPECT_EQ(c.item.textNumber(ItemField::Stock), c.stockOrShort);
        } else {
            EXPECT_EQ(outcome.shortStock, c.stockOrShort);
            EXPECT_EQ(outcome.month, c.month);
            EXPECT_EQ(c.item, before) << "a refusal changes nothing";
        }
    }
}

// The month-end stocks of the chart, computed by hand, and the shortage check agreeing with them
// for every month: a month whose end stock is below zero is the month the check refuses.
TEST(StockComputationTest, MonthEndStocksFollowTheLedgerYearFromThePreviousYearStock)
{
    using Stocks = std::array<double, MonthsInYear>;
    struct Case {
        const char* name;
        ItemRecord item;
        Stocks stocks;
    } cases[] = {
        {"nothing moved: the previous-year stock all year", itemOf("7", {}), {7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7}},
        {"a month with receipts and issues", itemOf("10", {{In, 1, "5"}, {Out, 1, "3"}, {Out, 2, "12"}}),
         {12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        // Months 9..12 are January..March of the next calendar year: the series runs on over the
        // year boundary without a reset.
        {"across the turn of the calendar year", itemOf("1", {{In, 9, "4"}, {Out, 10, "2.5"}, {In, 12, ".5"}}),
         {1, 1, 1, 1, 1, 1, 1, 1, 5, 2.5, 2.5, 3}},
        {"a shortage in month 3, made good in month 4", itemOf("0", {{Out, 3, "2"}, {In, 4, "2"}}),
         {0, 0, -2, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MonthEndStocks(c.item), c.stocks);
        EXPECT_EQ(StockOf(c.item), c.stocks.back());
        for (int month = 1; month <= MonthsInYear; ++month) {
            ItemRecord checked = c.item;
            const StockOutcome outcome = RecalculateStock(checked, month);
            EXPECT_EQ(outcome.status == Status::ShortUpToMonth, c.stocks[size_t(month - 1)] < 0) << month;
        }
    }
}

TEST(StockComputationTest, AcceptedEntryWritesTotalsStockRatesAndValue)
{
    ItemRecord item = itemOf("10", {{In, 1, "120"}, {Out, 2, "130"}}, "5");
    item.setQty(In, QtyColumn::Planned, QStringLiteral("150"));
    item.setQty(Out, QtyColumn::Rate, QStringLiteral(" 333"));  // planned 0: stays as it was
    item.setText(ItemField::UnitPrice, QStringLiteral("1234.5"));
    ASSERT_TRUE(RecalculateStock(item, 2).accepted());
    EXPECT_EQ(item.qty(In, QtyColumn::Total), QStringLiteral("120"));
    EXPECT_EQ(QByteArray(item.data() + ItemRecord::qtyOffset(In, QtyColumn::Total), 7), QByteArray(" 120   "));
    EXPECT_EQ(item.qty(Out, QtyColumn::Total), QStringLiteral("130"));
    EXPECT_EQ(item.text(ItemField::Stock), QStringLiteral("0"));
    EXPECT_EQ(item.qty(In, QtyColumn::Rate), QStringLiteral("800"));
    EXPECT_EQ(item.qty(Out, QtyColumn::Rate), QStringLiteral("333"));
    EXPECT_EQ(item.text(ItemField::StockValue), QStringLiteral("0"));
    EXPECT_EQ(RecalculatedStockColour(item), LedgerColour::ZeroStock);

    FrameCells cells = EmptyCells();
    ShowRecalculation(cells, item, false);
    EXPECT_EQ(cells.item[ItemColumn::Stock], QStringLiteral("0"));
    EXPECT_EQ(cells.item[ItemColumn::StockValue], QStringLiteral("0"));
    EXPECT_EQ(cells.month[In][QtyColumn::Rate], QStringLiteral("80.0"));
    EXPECT_EQ(cells.month[Out][QtyColumn::Total], QStringLiteral("130"));
}

TEST(StockComputationTest, StockValueIsPriceTimesStockUnroundedAndShownByTheDecimalOption)
{
    struct Case {
        const char* price;
        const char* stock;
        QString stored;
        QString shownOff;
        QString shownOn;
    } cases[] = {
        {"1234.5", "3", QStringLiteral(" 3703.5"), QStringLiteral("3,704"), QStringLiteral("3,703.5")},
        {".5", "1", QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")},
        {"1200", "-2", QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")},
        {"1.1", "3", QStringLiteral(" 3.3"), QStringLiteral("3"), QStringLiteral("3.3")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.price);
        ItemRecord item;
        item.setText(ItemField::UnitPrice, QString::fromLatin1(c.price));
        item.setText(ItemField::Stock, QString::fromLatin1(c.stock));
        RecalculateStockValue(item);
        EXPECT_EQ(QString::fromLatin1(item.data() + ItemRecord::textOffset(ItemField::StockValue), 28).trimmed(),
                  c.stored.trimmed());
        FrameCells cells;
        ShowStockValue(cells, item, false);
        EXPECT_EQ(cells.item[ItemColumn::StockValue], c.shownOff);
        ShowStockValue(cells, item, true);
        EXPECT_EQ(cells.item[ItemColumn::StockValue], c.shownOn);
    }
}

TEST(StockComputationTest, RatesRoundDownExactlyAndPlannedZeroKeepsTheRate)
{
    struct Case {
        const char* total;
        const char* planned;
        QString rate;
    } cases[] = {
        {"120", "150", QStringLiteral("800")}, {"7", "10", QStringLiteral("700")}, {"1", "3", QStringLiteral("333")},
        {".7", "1", QStringLiteral("700")},    {"5", "-3", QStringLiteral("-1667")}, {"5", "0", QStringLiteral("old")},
        {"0", "5", QStringLiteral("old")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.total);
        ItemRecord item;
        item.setQty(In, QtyColumn::Total, QString::fromLatin1(c.total));
        item.setQty(In, QtyColumn::Planned, QString::fromLatin1(c.planned));
        item.setQty(In, QtyColumn::Rate, QStringLiteral("old"));
        ASSERT_TRUE(RecalculateRates(item).accepted());
        EXPECT_EQ(item.qty(In, QtyColumn::Rate), c.rate);
    }
}

TEST(StockComputationTest, TotalsAndRatesThatDoNotFitSevenBytesAreRefused)
{
    EXPECT_EQ(QtyFieldText(999999), QStringLiteral(" 999999"));
    EXPECT_EQ(QtyFieldText(9999999), QStringLiteral("9999999"));
    EXPECT_EQ(QtyFieldText(10000000), std::nullopt);
    EXPECT_EQ(QtyFieldText(100000.5), std::nullopt);
    EXPECT_EQ(QtyFieldText(-999999), QStringLiteral("-999999"));

    ItemRecord item = itemOf("0", {{In, 1, "9999999"}, {In, 2, "1"}});
    const ItemRecord before = item;
    const StockOutcome total = RecalculateStock(item, 2);
    EXPECT_EQ(total.status, Status::TooLong);
    EXPECT_EQ(item, before);

    ItemRecord rated = itemOf("0", {{In, 1, "9999999"}});
    rated.setQty(In, QtyColumn::Planned, QStringLiteral(".1"));
    EXPECT_EQ(RecalculateStock(rated, 1).status, Status::TooLong);
    EXPECT_TRUE(TooLongMessage(total.field).startsWith(QStringLiteral(" 入出庫計が")));
    EXPECT_EQ(ShortageMessage(QStringLiteral("2026/05月")),
              QStringLiteral("2026/05月 この数量では在庫数不足となります。\r入力以前の数値に戻します。　"));
}

} // namespace
