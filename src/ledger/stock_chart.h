#pragma once
// What the stock chart of one item shows: the twelve months of the ledger year as the month table
// labels them, the receipts and issues of each month, the stock at each month's end (computed as
// the shortage check computes it), the proper stock, and the months whose end stock is at zero
// or below the proper stock (the marks of the ledger's stock cell).
#include "ledger/stock_computation.h"

#include <QString>
#include <array>

class ItemRecord;

struct StockChartData {
    enum class Mark { None, BelowProper, Zero };

    QString itemNumber;
    QString name;
    std::array<QString, MonthsInYear> months;
    std::array<double, MonthsInYear> received{};
    std::array<double, MonthsInYear> issued{};
    std::array<double, MonthsInYear> stock{};
    double proper = 0;
    std::array<Mark, MonthsInYear> marks{};
};

// The chart of `record` for the ledger year starting at `startMonth` ("yyyy/mm").
StockChartData StockChartOf(const ItemRecord& record, const QString& startMonth);

// "在庫推移_<item number>.png", characters a file name cannot hold replaced by "_".
QString StockChartFileName(const QString& itemNumber);
