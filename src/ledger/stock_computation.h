#pragma once
// The stock computation of one item: in/out totals, the stock up to a month and over the year,
// the refusal of a shortage, the stock value and the achievement rates. Pure functions of an
// ItemRecord, shared by the edit frame, the entry pad, tev-cli and the imports.
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

class ItemRecord;

// Months of the ledger year; a month limit of 0 checks the whole year only.
inline constexpr int MonthsInYear = 12;

struct StockOutcome {
    enum class Status {
        Accepted,
        ShortUpToMonth,  // the stock up to `month` would fall below zero
        ShortOverYear,   // the stock at the end of the year would fall below zero
        TooLong,         // a computed total or rate does not fit its 7-byte field
    };
    Status status = Status::Accepted;
    double shortStock = 0;  // the negative stock of a shortage
    int month = 0;          // the month of ShortUpToMonth
    QString field;          // TooLong: the caption of the field that does not fit
    bool accepted() const { return status == Status::Accepted; }
};

// A computed number as a 7-byte quantity field holds it: " 12" (one leading space when not
// negative), or without the space when only that fits; nothing when it does not fit at all.
std::optional<QString> QtyFieldText(double value);

// Totals and stock after an entry. With monthLimit 1..12 the stock up to that month is checked
// first, then the stock over the year. When accepted, writes qty[1][13], qty[2][13], text[10]
// (" 0" never: a stock of 0 is "0"), then the achievement rates and the stock value. A refusal
// leaves the record unchanged.
StockOutcome RecalculateStock(ItemRecord& record, int monthLimit);

// qty[r][15] = Int(qty[r][13] ÷ qty[r][14] × 1000) for each row whose total and planned
// quantity are both non-zero; other rates stay. A rate that does not fit refuses both rows.
StockOutcome RecalculateRates(ItemRecord& record);

// Int(total ÷ planned × 1000), exactly for quantities of at most one decimal; planned must not be 0.
double AchievementRate(double total, double planned);

// text[6] = unit price × stock, unrounded; "0" when the product is below 1.
void RecalculateStockValue(ItemRecord& record);

// The stock as the year check computes it: previous-year stock + received − issued.
double StockOf(const ItemRecord& record);

// The stock at the end of ledger month 1..12 as the shortage check computes it: previous-year
// stock + received − issued of the months up to it.
double StockUpToMonth(const ItemRecord& record, int month);

// The stock at the end of each month of the ledger year (StockUpToMonth of months 1..12): the
// line of the item's stock chart.
std::array<double, MonthsInYear> MonthEndStocks(const ItemRecord& record);

// The stock cell's colour after a recalculation: light pink at 0, light blue-violet below the
// proper stock, otherwise white.
quint32 RecalculatedStockColour(const ItemRecord& record);

// The refusal of a shortage, with the month heading (or nothing) in front.
QString ShortageMessage(const QString& prefix);
// The refusal of a total or rate that does not fit.
QString TooLongMessage(const QString& field);
