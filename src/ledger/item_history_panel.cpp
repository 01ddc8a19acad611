#include "ledger/item_history_panel.h"

#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/file_error.h"
#include "ui/busy_cursor.h"
#include "ui/widget_geometry.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace {

constexpr int WidthTwips = 14400;
constexpr int HeightTwips = 5400;

const QString PanelName = QStringLiteral("itemHistoryPanel");

QString recordText(int recordNo)
{
    return recordNo > 0 ? QString::number(recordNo) : QString();
}

} // namespace

ItemHistoryPanel::ItemHistoryPanel(const QString& itemNumber, const QList<ChangeLogEntry>& lines, QWidget* parent)
    : QWidget(parent, Qt::Tool)
{
    setObjectName(PanelName);
    setWindowTitle(QStringLiteral("在庫品履歴"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsRect(0, 0, WidthTwips, HeightTwips).size());

    m_caption = placed(new QLabel(this), QStringLiteral("historyCaption"), 120, 120, 11000, 320);
    m_caption->setText(lines.isEmpty()
                           ? QStringLiteral("在庫品No %1 の変更履歴はありません。").arg(itemNumber)
                           : QStringLiteral("在庫品No %1 の変更履歴（%2件）").arg(itemNumber).arg(lines.size()));
    auto* close = placed(new QPushButton(QStringLiteral("閉じる"), this), QStringLiteral("historyCloseButton"),
                         WidthTwips - 1320, 60, 1200, 400);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    m_list = placed(new QTableWidget(int(lines.size()), 5, this), QStringLiteral("historyList"), 120, 540,
                    WidthTwips - 240, HeightTwips - 660);
    m_list->setHorizontalHeaderLabels({QStringLiteral("日時"), QStringLiteral("端末"), QStringLiteral("操作"),
                                       QStringLiteral("No"), QStringLiteral("変更内容")});
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < int(lines.size()); ++row) {
        const ChangeLogEntry& line = lines[row];
        const QString cells[] = {line.when, line.pcName, line.operation, recordText(line.recordNo),
                                 line.changes.join(QStringLiteral(" / "))};
        for (int col = 0; col < 5; ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            item->setToolTip(cells[col]);
            m_list->setItem(row, col, item);
        }
    }
    m_list->resizeColumnsToContents();
    m_list->horizontalHeader()->setStretchLastSection(true);
    if (!lines.isEmpty())
        m_list->scrollToItem(m_list->item(int(lines.size()) - 1, 0));
}

ItemHistoryPanel* ShowItemHistory(QWidget* screen, AppState& state, const QString& itemNumber)
{
    if (auto* shown = screen->findChild<ItemHistoryPanel*>(PanelName))
        shown->close();
    if (itemNumber.isEmpty()) {
        state.dialogs.inform(QStringLiteral("確認"), QStringLiteral("　在庫品Noが入力されていません。"));
        return nullptr;
    }
    IoResult read;
    QList<ChangeLogEntry> lines;
    {
        BusyCursor busy;
        lines = ReadItemHistory(state, itemNumber, &read);
    }
    if (!read) {
        state.dialogs.inform(QStringLiteral("異常確認"),
                             QStringLiteral("　変更履歴を読めませんでした。") + u'\r' + QStringLiteral("　")
                                 + DescribeFileError(ClassifyFileError(read.errorCode, read.path)) + u'\r'
                                 + QStringLiteral("　") + read.path);
        return nullptr;
    }
    auto* panel = new ItemHistoryPanel(itemNumber, lines, screen);
    panel->move(screen->mapToGlobal(twipsRect(1200, 1800, 0, 0).topLeft()));
    panel->show();
    return panel;
}
