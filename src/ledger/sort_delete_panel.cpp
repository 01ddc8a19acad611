#include "ledger/sort_delete_panel.h"

#include "ledger/raised_panel.h"
#include "ui/flex_grid.h"
#include "ui/widget_geometry.h"

#include <QLabel>
#include <QPushButton>

SortDeletePanel::SortDeletePanel(QWidget* parent) : QFrame(parent)
{
    raisedPanel(this);
    auto* header = placed(new QFrame(this), QStringLiteral("Picture10"), 120, 120, WidthTwips - 240, 600);
    placed(new QLabel(header), QStringLiteral("sortDeleteTitle"), 120, 140, 2600, 320);
    placed(new QLabel(header), QStringLiteral("sortDeleteIndicator"), 2840, 140, 320, 320);
    placed(new QLabel(header), QStringLiteral("sortDeleteCountLabel"), 3280, 140, 1800, 320);
    placed(new QLabel(header), QStringLiteral("sortDeleteResultLabel"), 5200, 140, 1800, 320);
    m_list = placed(new FlexGrid(this), QStringLiteral("MSFlexGrid3"), 120, 840, WidthTwips - 240, 6240);
    placed(new QPushButton(QStringLiteral("Sort開始"), this), QStringLiteral("sortStartButton"), 120, 7200, 1600, 440);
    placed(new QPushButton(QStringLiteral("行削除"), this), QStringLiteral("deleteRowButton"), 1840, 7200, 1600, 440);
    m_register = placed(new QPushButton(QStringLiteral("登　録"), this), QStringLiteral("sortDeleteRegisterButton"), 3560,
                        7200, 1600, 440);
    placed(new QPushButton(QStringLiteral("閉じる"), this), QStringLiteral("sortDeleteCloseButton"), 5280, 7200, 1600,
           440);
    // The sort and delete work fills the list and connects the four buttons.
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
