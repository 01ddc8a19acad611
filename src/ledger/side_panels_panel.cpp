#include "ledger/side_panels_panel.h"

#include "ui/clickable_label.h"
#include "ui/flex_grid.h"
#include "ui/widget_geometry.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

void raisedPanel(QFrame* panel)
{
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
}

} // namespace

VocabularyPanel::VocabularyPanel(QWidget* parent) : QFrame(parent)
{
    raisedPanel(this);
    m_top = placed(new ClickableLabel(this), QStringLiteral("vocabularyTopPicture"), 0, 0, WidthTwips, 300);
    m_top->setFrameShape(QFrame::Panel);
    placed(new QLabel(this), QStringLiteral("vocabularyCaption"), 120, 360, 2400, 320);
    placed(new QLabel(this), QStringLiteral("vocabularyCountLabel"), 2640, 360, 1400, 320);
    placed(new QListWidget(this), QStringLiteral("List1"), 120, 720, 3960, 4240);
    placed(new QPushButton(QStringLiteral("追記"), this), QStringLiteral("addWordButton"), 120, 5080, 1600, 400);
    placed(new QPushButton(QStringLiteral("閉じる"), this), QStringLiteral("vocabularyCloseButton"), 2480, 5080, 1600,
           400);
    // The edit-table work fills List1 and connects the word pick, "追記" and "閉じる".
}

MonthlyImportPanel::MonthlyImportPanel(QWidget* parent) : QFrame(parent)
{
    raisedPanel(this);
    m_edit = placed(new QPushButton(QStringLiteral("入出庫記載"), this), QStringLiteral("monthlyEditButton"), 120, 120,
                    1700, 480);
    m_import = placed(new QPushButton(QStringLiteral("入出庫転記"), this), QStringLiteral("monthlyImportButton"), 1940,
                      120, 1700, 480);
    m_close = placed(new QPushButton(QStringLiteral("閉じる"), this), QStringLiteral("monthlyCloseButton"), 1940, 840,
                     1700, 480);
    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);
    // The monthly import connects "入出庫記載" and "入出庫転記".
}

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
