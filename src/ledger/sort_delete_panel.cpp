#include "ledger/sort_delete_panel.h"

#include "ledger/raised_panel.h"
#include "ui/colours.h"
#include "ui/flex_grid.h"
#include "ui/widget_geometry.h"

#include <QLabel>
#include <QPushButton>

SortDeletePanel::SortDeletePanel(QWidget* parent) : QFrame(parent)
{
    raisedPanel(this);
    auto* header = placed(new QFrame(this), QStringLiteral("Picture10"), 120, 120, WidthTwips - 240, 600);
    m_title = placed(new QLabel(header), QStringLiteral("sortDeleteTitle"), 120, 140, 2600, 320);
    m_indicator = placed(new QLabel(header), QStringLiteral("sortDeleteIndicator"), 2840, 140, 320, 320);
    m_indicator->setAutoFillBackground(true);
    m_count = placed(new QLabel(header), QStringLiteral("sortDeleteCountLabel"), 3280, 140, 1800, 320);
    m_result = placed(new QLabel(header), QStringLiteral("sortDeleteResultLabel"), 5200, 140, 1800, 320);
    m_list = placed(new FlexGrid(this), QStringLiteral("MSFlexGrid3"), 120, 840, WidthTwips - 240, 6240);
    m_sortStart = placed(new QPushButton(QStringLiteral("Sort開始"), this), QStringLiteral("sortStartButton"), 120, 7200,
                         1600, 440);
    m_deleteRow = placed(new QPushButton(QStringLiteral("行削除"), this), QStringLiteral("deleteRowButton"), 1840, 7200,
                         1600, 440);
    m_register = placed(new QPushButton(QStringLiteral("登　録"), this), QStringLiteral("sortDeleteRegisterButton"), 3560,
                        7200, 1600, 440);
    m_close = placed(new QPushButton(QStringLiteral("閉じる"), this), QStringLiteral("sortDeleteCloseButton"), 5280, 7200,
                     1600, 440);
    setIndicatorColour(SortDeleteColour::Working);
    // The ledger screen connects the four buttons.
}

void SortDeletePanel::prepareList(const QStringList& captions)
{
    m_list->setCols(int(captions.size()));
    m_list->setRows(2);
    m_list->setFixedRows(1);
    m_list->setFixedCols(0);
    for (int col = 0; col < captions.size(); ++col) {
        m_list->setTextMatrix(0, col, captions[col]);
        m_list->setColAlignment(col, Qt::AlignLeft | Qt::AlignVCenter);
    }
}

void SortDeletePanel::enterMode(bool sortMode)
{
    session = SortDeleteSession{};
    session.sortMode = sortMode;
    m_sortStart->setVisible(sortMode);
    m_deleteRow->setVisible(!sortMode);
    m_title->setText(sortMode ? QStringLiteral("在庫品台帳Sort") : QStringLiteral("在庫品削除"));
    setIndicatorColour(SortDeleteColour::Working);
    m_result->clear();
}

void SortDeletePanel::setIndicatorColour(quint32 value)
{
    m_indicatorColour = value;
    QPalette palette = m_indicator->palette();
    palette.setColor(QPalette::Window, colourFromWindows(value, palette));
    m_indicator->setPalette(palette);
}

void SortDeletePanel::showSummary(const ItemSummaryTable& table)
{
    static const QStringList captions = {QStringLiteral("No"), QStringLiteral("在庫品No"), QStringLiteral("品名"),
                                         QStringLiteral("仕様"), QStringLiteral("メーカー名")};
    static const int widths[] = {600, 1600, 2000, 2000, 2000};
    m_list->setRedraw(false);
    m_list->clearCells();
    m_list->setCols(int(captions.size()));
    m_list->setRows(int(table.size()) + 1);
    m_list->setFixedRows(1);
    for (int col = 0; col < captions.size(); ++col) {
        m_list->setTextMatrix(0, col, captions[col]);
        m_list->setColWidthTwips(col, widths[col]);
        m_list->setColAlignment(col, Qt::AlignLeft | Qt::AlignVCenter);
    }
    int row = 1;
    for (const ItemSummaryRow& item : table) {
        m_list->setTextMatrix(row, 0, QString::number(row));
        m_list->setTextMatrix(row, 1, item.number);
        m_list->setTextMatrix(row, 2, item.name);
        m_list->setTextMatrix(row, 3, item.specification);
        m_list->setTextMatrix(row, 4, item.maker);
        ++row;
    }
    m_list->setRedraw(true);
}
