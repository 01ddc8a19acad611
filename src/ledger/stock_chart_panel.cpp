#include "ledger/stock_chart_panel.h"

#include "excel_output/output_paths.h"
#include "ledger/stock_chart_widget.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/file_error.h"
#include "storage/item_record.h"
#include "storage/safe_file.h"
#include "storage/settings_lines.h"
#include "ui/busy_cursor.h"
#include "ui/widget_geometry.h"

#include <QBuffer>
#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int WidthTwips = 14400;
constexpr int HeightTwips = 7800;
const QString PanelName = QStringLiteral("stockChartPanel");

} // namespace

StockChartPanel::StockChartPanel(AppState& state, const StockChartData& chart, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_state(state)
{
    setObjectName(PanelName);
    setWindowTitle(QStringLiteral("在庫推移"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsRect(0, 0, WidthTwips, HeightTwips).size());

    auto* caption = placed(new QLabel(this), QStringLiteral("chartCaption"), 120, 120, 10000, 320);
    caption->setText(QStringLiteral("在庫品No %1　%2").arg(chart.itemNumber, chart.name));
    auto* save = placed(new QPushButton(QStringLiteral("PNG保存"), this), QStringLiteral("chartSaveButton"),
                        WidthTwips - 2640, 60, 1200, 400);
    auto* close = placed(new QPushButton(QStringLiteral("閉じる"), this), QStringLiteral("chartCloseButton"),
                         WidthTwips - 1320, 60, 1200, 400);
    connect(save, &QPushButton::clicked, this, &StockChartPanel::saveAsPng);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    m_view = placed(new StockChartWidget(this), QStringLiteral("stockChart"), 120, 540, WidthTwips - 240,
                    HeightTwips - 660);
    m_view->setChart(chart);
}

QString StockChartPanel::saveAsPng()
{
    const StockChartData& chart = m_view->chart();
    const QString folder = DocumentsFolderPath(m_state);
    const QString path = folder + StockChartFileName(chart.itemNumber);
    IoResult written;
    {
        BusyCursor busy;
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        RenderStockChart(chart, m_view->size()).save(&buffer, "PNG");
        written = QDir().mkpath(folder) ? WriteFileAtomically(path, png)
                                        : IoResult::failure(folder, EACCES, QStringLiteral("cannot create the folder"));
    }
    if (!written) {
        m_state.dialogs.inform(QStringLiteral("異常確認"),
                               QStringLiteral("　グラフを保存できませんでした。") + u'\r' + QStringLiteral("　")
                                   + DescribeFileError(ClassifyFileError(written.errorCode, written.path)) + u'\r'
                                   + QStringLiteral("　") + path);
        return QString();
    }
    m_state.dialogs.inform(QStringLiteral("確認"),
                           QStringLiteral("　グラフを保存しました。") + u'\r' + QStringLiteral("　") + path);
    return path;
}

StockChartPanel* ShowStockChart(QWidget* screen, AppState& state, const ItemRecord& record)
{
    if (auto* shown = screen->findChild<StockChartPanel*>(PanelName))
        shown->close();
    if (record.text(ItemField::Number).trimmed().isEmpty()) {
        state.dialogs.inform(QStringLiteral("確認"), QStringLiteral("　在庫品Noが入力されていません。"));
        return nullptr;
    }
    auto* panel = new StockChartPanel(state, StockChartOf(record, state.SharedSettings[SharedLine::StartMonth]), screen);
    panel->move(screen->mapToGlobal(twipsRect(1200, 1200, 0, 0).topLeft()));
    panel->show();
    return panel;
}
