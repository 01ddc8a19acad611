#pragma once
// "グラフ" of the edit frame: the stock chart of the item shown, in a window of its own, with
// "PNG保存" (the chart as "M在庫資料/在庫推移_<item number>.png", its path told) and "閉じる".
#include "ledger/stock_chart.h"

#include <QWidget>

struct AppState;
class ItemRecord;
class QLabel;
class StockChartWidget;

class StockChartPanel : public QWidget {
    Q_OBJECT
public:
    StockChartPanel(AppState& state, const StockChartData& chart, QWidget* parent);

    StockChartWidget* chartView() const { return m_view; }
    // Writes the PNG and tells where (or why not); the path written, empty on a failure.
    QString saveAsPng();

private:
    AppState& m_state;
    StockChartWidget* m_view = nullptr;
};

// Shows the chart of `record` over `screen`, in place of a chart shown before. A record without
// an item number is told instead (null returned).
StockChartPanel* ShowStockChart(QWidget* screen, AppState& state, const ItemRecord& record);
