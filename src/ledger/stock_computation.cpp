#include "ledger/stock_computation.h"

#include "ledger/ledger_colours.h"
#include "storage/field_text.h"
#include "storage/item_record.h"

#include <cmath>

namespace {

constexpr quint32 White = 16777215;

// Sums of decimal quantities are rounded to a millionth, so that 0.1 + 0.2 − 0.3 is 0 and not a
// shortage of 5.5e-17.
double tidy(double value)
{
    return std::round(value * 1e6) / 1e6;
}

double sumOfRow(const ItemRecord& record, int row, int lastMonth)
{
    double sum = 0;
    for (int month = QtyColumn::FirstMonth; month <= lastMonth; ++month)
        sum += record.qtyNumber(row, month);
    return tidy(sum);
}

// The value in tenths when it has at most one decimal (every quantity the screens accept).
std::optional<qint64> tenths(double value)
{
    const double scaled = value * 10;
    const double whole = std::round(scaled);
    if (std::fabs(scaled - whole) > 1e-6 || std::fabs(whole) > 9e15)
        return std::nullopt;
    return static_cast<qint64>(whole);
}

// Int(total ÷ planned × 1000): rounded down, exactly for quantities of at most one decimal.
double rateOf(double total, double planned)
{
    const auto t = tenths(total);
    const auto p = tenths(planned);
    if (t && p && *p != 0 && std::llabs(*t) < 9'000'000'000'000) {
        qint64 numerator = *t * 1000;
        qint64 denominator = *p;
        if (denominator < 0) {
            numerator = -numerator;
            denominator = -denominator;
        }
        qint64 quotient = numerator / denominator;
        if (numerator % denominator != 0 && numerator < 0)
            --quotient;
        return static_cast<double>(quotient);
    }
    return std::floor(total / planned * 1000);
}

} // namespace

std::optional<QString> QtyFieldText(double value)
{
    const QString stored = StoredNumberText(value);
    if (stored.size() <= ItemRecord::QtyWidth)
        return stored;
    const QString bare = stored.trimmed();
    if (bare.size() <= ItemRecord::QtyWidth)
        return bare;
    return std::nullopt;
}

double StockOf(const ItemRecord& record)
{
    return StockUpToMonth(record, MonthsInYear);
}

double StockUpToMonth(const ItemRecord& record, int month)
{
    return tidy(record.textNumber(ItemField::PreviousStock) + sumOfRow(record, QtyRow::Received, month)
                - sumOfRow(record, QtyRow::Issued, month));
}

std::array<double, MonthsInYear> MonthEndStocks(const ItemRecord& record)
{
    std::array<double, MonthsInYear> stocks{};
    for (int month = 1; month <= MonthsInYear; ++month)
        stocks[size_t(month - 1)] = StockUpToMonth(record, month);
    return stocks;
}

StockOutcome RecalculateStock(ItemRecord& record, int monthLimit)
{
    StockOutcome outcome;
    const double previous = record.textNumber(ItemField::PreviousStock);
    if (monthLimit >= 1 && monthLimit <= MonthsInYear) {
        const double upToMonth = StockUpToMonth(record, monthLimit);
        if (upToMonth < 0) {
            outcome.status = StockOutcome::Status::ShortUpToMonth;
            outcome.shortStock = upToMonth;
            outcome.month = monthLimit;
            return outcome;
        }
    }
    const double received = sumOfRow(record, QtyRow::Received, MonthsInYear);
    const double issued = sumOfRow(record, QtyRow::Issued, MonthsInYear);
    const double stock = tidy(previous + received - issued);
    if (stock < 0) {
        outcome.status = StockOutcome::Status::ShortOverYear;
        outcome.shortStock = stock;
        return outcome;
    }
    const auto receivedText = QtyFieldText(received);
    const auto issuedText = QtyFieldText(issued);
    if (!receivedText || !issuedText) {
        outcome.status = StockOutcome::Status::TooLong;
        outcome.field = QStringLiteral("入出庫計");
        return outcome;
    }

    ItemRecord updated = record;
    updated.setQty(QtyRow::Received, QtyColumn::Total, *receivedText);
    updated.setQty(QtyRow::Issued, QtyColumn::Total, *issuedText);
    updated.setText(ItemField::Stock, stock == 0 ? QStringLiteral("0") : StoredNumberText(stock).trimmed());
    const StockOutcome rates = RecalculateRates(updated);
    if (!rates.accepted())
        return rates;
    RecalculateStockValue(updated);
    record = updated;
    return outcome;
}

double AchievementRate(double total, double planned)
{
    return rateOf(total, planned);
}

StockOutcome RecalculateRates(ItemRecord& record)
{
    ItemRecord updated = record;
    for (int row : {int(QtyRow::Received), int(QtyRow::Issued)}) {
        const double total = record.qtyNumber(row, QtyColumn::Total);
        const double planned = record.qtyNumber(row, QtyColumn::Planned);
        if (total == 0 || planned == 0)
            continue;
        const auto text = QtyFieldText(rateOf(total, planned));
        if (!text) {
            StockOutcome outcome;
            outcome.status = StockOutcome::Status::TooLong;
            outcome.field = QStringLiteral("達成率％");
            return outcome;
        }
        updated.setQty(row, QtyColumn::Rate, *text);
    }
    record = updated;
    return {};
}

void RecalculateStockValue(ItemRecord& record)
{
    const double value = record.textNumber(ItemField::UnitPrice) * record.textNumber(ItemField::Stock);
    record.setText(ItemField::StockValue, value < 1 ? QStringLiteral("0") : StoredNumberText(value));
}

quint32 RecalculatedStockColour(const ItemRecord& record)
{
    const double stock = record.textNumber(ItemField::Stock);
    if (stock == 0)
        return LedgerColour::ZeroStock;
    return stock >= record.textNumber(ItemField::ProperStock) ? White : LedgerColour::BelowProper;
}

QString ShortageMessage(const QString& prefix)
{
    return prefix + QStringLiteral(" この数量では在庫数不足となります。") + u'\r' + QStringLiteral("入力以前の数値に戻します。　");
}

QString TooLongMessage(const QString& field)
{
    return QStringLiteral(" ") + field + QStringLiteral("が7桁の入力枠に収まりません。") + u'\r'
        + QStringLiteral("入力以前の数値に戻します。　");
}
