#include "ledger/stock_chart.h"

#include "ledger/column_captions.h"
#include "storage/item_record.h"

StockChartData StockChartOf(const ItemRecord& record, const QString& startMonth)
{
    StockChartData chart;
    chart.itemNumber = record.text(ItemField::Number).trimmed();
    chart.name = record.text(ItemField::Name).trimmed();
    chart.months = MonthHeadings(startMonth);
    chart.stock = MonthEndStocks(record);
    chart.proper = record.textNumber(ItemField::ProperStock);
    for (int month = 1; month <= MonthsInYear; ++month) {
        const size_t at = size_t(month - 1);
        chart.received[at] = record.qtyNumber(QtyRow::Received, month);
        chart.issued[at] = record.qtyNumber(QtyRow::Issued, month);
        // As the ledger marks its stock cell: at zero (or a shortage below it), or below the
        // proper stock.
        const double stock = chart.stock[at];
        chart.marks[at] = stock <= 0              ? StockChartData::Mark::Zero
            : stock < chart.proper                ? StockChartData::Mark::BelowProper
                                                  : StockChartData::Mark::None;
    }
    return chart;
}

QString StockChartFileName(const QString& itemNumber)
{
    QString safe = itemNumber.trimmed();
    for (QChar& c : safe) {
        if (c.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(c))
            c = u'_';
    }
    return QStringLiteral("在庫推移_%1.png").arg(safe);
}
