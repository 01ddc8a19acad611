#include "ledger/stock_chart_widget.h"

#include "ledger/ledger_colours.h"
#include "ui/colours.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace {

const QColor ReceivedColour(70, 130, 180);  // steel blue
const QColor IssuedColour(230, 140, 60);    // orange
const QColor StockColour(30, 30, 30);
const QColor ProperColour(200, 30, 30);

// A round step for the value axis: 1, 2 or 5 times a power of ten, giving at most about 6 lines.
double axisStep(double span)
{
    if (span <= 0)
        return 1;
    const double raw = span / 6;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0, 10.0})
        if (raw <= factor * power)
            return factor * power;
    return 10 * power;
}

QString numberText(double value)
{
    return QString::number(value, 'g', 12);
}

} // namespace

void PaintStockChart(QPainter& painter, const QRect& area, const StockChartData& chart)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QFontMetrics metrics = painter.fontMetrics();
    const int line = metrics.height();

    double high = chart.proper;
    double low = 0;
    for (int m = 0; m < MonthsInYear; ++m) {
        high = std::max({high, chart.received[size_t(m)], chart.issued[size_t(m)], chart.stock[size_t(m)]});
        low = std::min({low, chart.stock[size_t(m)], chart.received[size_t(m)], chart.issued[size_t(m)]});
    }
    const double step = axisStep(high - low);
    // Room above the highest value: up to the next grid line, one more when it lies on one.
    const double top = std::ceil(high / step) * step;
    high = top == high ? top + step : top;
    low = std::floor(low / step) * step;

    const int axisWidth = metrics.horizontalAdvance(numberText(-std::max(std::fabs(high), std::fabs(low)))) + 12;
    const QRect plot(area.left() + axisWidth, area.top() + line * 2, area.width() - axisWidth - 10,
                     area.height() - line * 4 - 8);
    const auto yOf = [&](double value) { return plot.bottom() - (value - low) / (high - low) * plot.height(); };
    const double slot = plot.width() / double(MonthsInYear);

    // Months at zero or below the proper stock, shaded as the ledger marks the stock cell.
    for (int m = 0; m < MonthsInYear; ++m) {
        const StockChartData::Mark mark = chart.marks[size_t(m)];
        if (mark == StockChartData::Mark::None)
            continue;
        const QColor shade = colourFromWindows(mark == StockChartData::Mark::Zero ? LedgerColour::ZeroStock
                                                                                   : LedgerColour::BelowProper);
        painter.fillRect(QRectF(plot.left() + m * slot, plot.top(), slot, plot.height()), shade);
    }

    // The value axis with its grid lines.
    painter.setPen(QPen(QColor(210, 210, 210), 1));
    for (double value = low; value <= high + step / 2; value += step) {
        const double y = yOf(value);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(area.left(), y - line / 2.0, axisWidth - 6, line), Qt::AlignRight | Qt::AlignVCenter,
                         numberText(value));
        painter.setPen(QPen(QColor(210, 210, 210), 1));
    }
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(QPointF(plot.left(), yOf(0)), QPointF(plot.right(), yOf(0)));

    // Receipts and issues as two bars per month.
    const double barWidth = slot * 0.3;
    for (int m = 0; m < MonthsInYear; ++m) {
        const double centre = plot.left() + (m + 0.5) * slot;
        const auto bar = [&](double value, double left, const QColor& colour) {
            const double top = yOf(std::max(value, 0.0));
            const double bottom = yOf(std::min(value, 0.0));
            painter.fillRect(QRectF(left, top, barWidth, bottom - top), colour);
        };
        bar(chart.received[size_t(m)], centre - barWidth, ReceivedColour);
        bar(chart.issued[size_t(m)], centre, IssuedColour);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(plot.left() + m * slot, plot.bottom() + 4, slot, line), Qt::AlignCenter,
                         chart.months[size_t(m)]);
    }

    // The proper stock, dashed.
    if (chart.proper != 0) {
        QPen dashed(ProperColour, 1.5, Qt::DashLine);
        painter.setPen(dashed);
        painter.drawLine(QPointF(plot.left(), yOf(chart.proper)), QPointF(plot.right(), yOf(chart.proper)));
    }

    // The stock at each month's end, a line with a point per month.
    QPainterPath path;
    for (int m = 0; m < MonthsInYear; ++m) {
        const QPointF at(plot.left() + (m + 0.5) * slot, yOf(chart.stock[size_t(m)]));
        m == 0 ? path.moveTo(at) : path.lineTo(at);
    }
    painter.setPen(QPen(StockColour, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setBrush(StockColour);
    for (int m = 0; m < MonthsInYear; ++m)
        painter.drawEllipse(QPointF(plot.left() + (m + 0.5) * slot, yOf(chart.stock[size_t(m)])), 3, 3);

    // The legend above the plot.
    const struct {
        QString text;
        QColor colour;
    } legend[] = {{QStringLiteral("入庫"), ReceivedColour},
                  {QStringLiteral("出庫"), IssuedColour},
                  {QStringLiteral("月末在庫"), StockColour},
                  {QStringLiteral("適正在庫"), ProperColour}};
    int x = plot.left();
    const int y = area.top() + line / 2;
    for (const auto& entry : legend) {
        painter.fillRect(QRect(x, y, 14, line / 2), entry.colour);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(x + 18, y + line / 2), entry.text);
        x += 24 + metrics.horizontalAdvance(entry.text) + 16;
    }
    painter.restore();
}

QImage RenderStockChart(const StockChartData& chart, const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintStockChart(painter, image.rect(), chart);
    return image;
}

StockChartWidget::StockChartWidget(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void StockChartWidget::setChart(const StockChartData& chart)
{
    m_chart = chart;
    update();
}

void StockChartWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintStockChart(painter, rect(), m_chart);
}
