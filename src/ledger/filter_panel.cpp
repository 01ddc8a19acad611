#include "ledger/filter_panel.h"

#include "ledger/drag_handle_widget.h"
#include "ui/clickable_label.h"
#include "ui/flex_grid.h"
#include "ui/widget_geometry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int ButtonWidth = 1600;
constexpr int ButtonGap = 120;

} // namespace

FilterPanel::FilterPanel(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);

    m_handle = placed(new DragHandle(this, this), QStringLiteral("filterPanelHandle"), 40, 40, 300, 300);
    m_highPreset = placed(new ClickableLabel(QStringLiteral("▲"), this), QStringLiteral("filterPanelHighPicture"), 380, 40, 300, 300);
    m_lowPreset = placed(new ClickableLabel(QStringLiteral("▼"), this), QStringLiteral("filterPanelLowPicture"), 720, 40, 300, 300);
    placed(new QLabel(QStringLiteral("絞込条件"), this), QStringLiteral("filterPanelTitle"), 1100, 40, 3000, 300);
    m_grid = placed(new FlexGrid(this), QStringLiteral("MSFlexGrid4"), 120, 380, 5200, 1080);
    m_wordEditor = placed(new QLineEdit(this), QStringLiteral("filterWordEditor"), 2060, 380, 3200, 350);
    m_wordEditor->hide();
    placed(new QPushButton(QStringLiteral("行消"), this), QStringLiteral("clearConditionButton"), 5440, 380, 1000, 360);
    placed(new QPushButton(QStringLiteral("名消"), this), QStringLiteral("clearWordButton"), 5440, 780, 1000, 360);
    placed(new QPushButton(QStringLiteral("閉じる"), this), QStringLiteral("filterPanelCloseButton"), 5440, 1180, 1000, 360);

    connect(m_handle, &DragHandle::dragged, this,
            [this](PanelPosition at, DragStep step) { moveTo(ClampFilterPanel(at, step)); });
    connect(m_lowPreset, &ClickableLabel::clicked, this, [this] { moveTo(PanelPreset::FilterPanelLow); });
    connect(m_highPreset, &ClickableLabel::clicked, this, [this] { moveTo(PanelPreset::FilterPanelHigh); });
    // The filter connects "行消", "名消", "閉じる", the table's clicks and the word editor here.
}

void FilterPanel::prepareConditionGrid()
{
    m_grid->setRows(3);
    m_grid->setCols(3);
    m_grid->setFixedRows(0);
    m_grid->setFixedCols(0);
    const int widths[] = {340, 1600, 3200};
    for (int col = 0; col < 3; ++col) {
        m_grid->setColWidthTwips(col, widths[col]);
        m_grid->setColAlignment(col, Qt::AlignLeft | Qt::AlignVCenter);
    }
    for (int row = 0; row < 3; ++row)
        m_grid->setRowHeightTwips(row, 350);
}

void FilterPanel::moveTo(PanelPosition position)
{
    moveTwips(this, position.left, position.top);
}

void FilterPanel::takeListCell(int row, int col)
{
    // The filter's condition fill goes here.
    Q_UNUSED(row);
    Q_UNUSED(col);
}

FilterBarPanel::FilterBarPanel(QWidget* parent) : QFrame(parent)
{
    m_excel = new QPushButton(QStringLiteral("Excel出力"), this);
    m_excel->setObjectName(QStringLiteral("filterExcelButton"));
    m_refilter = new QPushButton(QStringLiteral("再絞込"), this);
    m_refilter->setObjectName(QStringLiteral("refilterButton"));
    m_start = new QPushButton(QStringLiteral("絞込開始"), this);
    m_start->setObjectName(QStringLiteral("filterStartButton"));
    m_clear = new QPushButton(QStringLiteral("絞込解除"), this);
    m_clear->setObjectName(QStringLiteral("filterClearButton"));
    placeButtons();
}

void FilterBarPanel::placeButtons()
{
    int left = 0;
    for (QPushButton* button : {m_excel, m_refilter, m_start, m_clear}) {
        setGeometryTwips(button, left, 40, ButtonWidth, 480);
        left += ButtonWidth + ButtonGap;
    }
}

void FilterBarPanel::hideButtons()
{
    for (QPushButton* button : {m_excel, m_refilter, m_start, m_clear})
        button->hide();
}
