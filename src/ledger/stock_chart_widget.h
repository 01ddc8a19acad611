#pragma once
// The stock chart of one item, drawn with QPainter: receipts and issues of each month as bars,
// the stock at each month's end as a line, the proper stock as a dashed line, and the months at
// zero or below the proper stock shaded in the colours the ledger marks its stock cell with.
#include "ledger/stock_chart.h"

#include <QImage>
#include <QWidget>

class QPainter;

// Draws `chart` into `area` of `painter`.
void PaintStockChart(QPainter& painter, const QRect& area, const StockChartData& chart);

// The chart as an image of `size` pixels on white (for saving as PNG).
QImage RenderStockChart(const StockChartData& chart, const QSize& size);

class StockChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit StockChartWidget(QWidget* parent = nullptr);
    void setChart(const StockChartData& chart);
    const StockChartData& chart() const { return m_chart; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    StockChartData m_chart;
};
