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
    m_clearRow = placed(new QPushButton(QStringLiteral("行消"), this), QStringLiteral("clearConditionButton"), 5440, 380, 1000, 360);
    m_clearWord = placed(new QPushButton(QStringLiteral("名消"), this), QStringLiteral("clearWordButton"), 5440, 780, 1000, 360);
    m_close = placed(new QPushButton(QStringLiteral("閉じる"), this), QStringLiteral("filterPanelCloseButton"), 5440, 1180, 1000, 360);

    connect(m_handle, &DragHandle::dragged, this,
            [this](PanelPosition at, DragStep step) { moveTo(ClampFilterPanel(at, step)); });
    connect(m_lowPreset, &ClickableLabel::clicked, this, [this] { moveTo(PanelPreset::FilterPanelLow); });
    connect(m_highPreset, &ClickableLabel::clicked, this, [this] { moveTo(PanelPreset::FilterPanelHigh); });
    connect(m_grid, &FlexGrid::clicked, this, [this](int row, int) {
        if (row < 0 || row > 2)
            return;
        setCurrentRow(row, 2);
        openWordEditor();
    });
    connect(m_wordEditor, &QLineEdit::returnPressed, this, [this] { emit wordEntered(m_wordEditor->text()); });
    connect(m_clearRow, &QPushButton::clicked, this, &FilterPanel::clearCurrentRow);
    connect(m_clearWord, &QPushButton::clicked, this, &FilterPanel::clearCurrentWord);
    // "閉じる" leaves the filter; the ledger screen connects it.
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

// Presets and drags keep the panel wholly inside the screen's background.
void FilterPanel::moveTo(PanelPosition position)
{
    moveTwipsInsideParent(this, position.left, position.top);
}

void FilterPanel::takeListCell(int row, int col)
{
    emit listCellTaken(row, col);
}

FilterConditionRows FilterPanel::rows() const
{
    FilterConditionRows rows;
    for (int r = 0; r < 3; ++r)
        rows[size_t(r)] = {m_grid->textMatrix(r, 0), m_grid->textMatrix(r, 1), m_grid->textMatrix(r, 2)};
    return rows;
}

void FilterPanel::setRows(const FilterConditionRows& rows)
{
    for (int r = 0; r < 3; ++r) {
        m_grid->setTextMatrix(r, 0, rows[size_t(r)].columnText);
        m_grid->setTextMatrix(r, 1, rows[size_t(r)].caption);
        m_grid->setTextMatrix(r, 2, rows[size_t(r)].word);
    }
}

void FilterPanel::clearConditions()
{
    setRows({});
    setCurrentRow(0, 2);
}

void FilterPanel::setCurrentRow(int row, int cell)
{
    m_currentRow = row;
    m_grid->setCurrentCell(row, cell);
}

void FilterPanel::fillCurrentRow(int column, const QString& caption, const QString& word)
{
    m_grid->setTextMatrix(m_currentRow, 0, QString::number(column));
    m_grid->setTextMatrix(m_currentRow, 1, caption);
    m_grid->setTextMatrix(m_currentRow, 2, word);
    hideWordEditor();
    advanceRow();
}

void FilterPanel::advanceRow()
{
    setCurrentRow((m_currentRow + 1) % 3, 2);
}

void FilterPanel::clearCurrentRow()
{
    for (int col = 0; col < 3; ++col)
        m_grid->setTextMatrix(m_currentRow, col, QString());
    hideWordEditor();
}

void FilterPanel::clearCurrentWord()
{
    m_grid->setTextMatrix(m_currentRow, 2, QString());
    hideWordEditor();
}

void FilterPanel::openWordEditor()
{
    const QRect cell = m_grid->visualRect(m_grid->model()->index(m_currentRow, 2));
    const QPoint at = m_grid->viewport()->mapTo(this, cell.topLeft());
    m_wordEditor->move(at.x(), at.y());
    m_wordEditor->setText(m_grid->textMatrix(m_currentRow, 2));
    m_wordEditor->show();
    m_wordEditor->raise();
    m_wordEditor->setFocus();
}

void FilterPanel::hideWordEditor()
{
    m_wordEditor->hide();
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
    m_maxPage = new QLabel(this);
    m_maxPage->setObjectName(QStringLiteral("maxPageLabel"));
    setGeometryTwips(m_maxPage, 4 * (ButtonWidth + ButtonGap), 40, ButtonWidth, 480);
    m_maxPage->hide();
    placeButtons();
}

void FilterBarPanel::placeButtons()
{
    placeButtonsFirst({});
}

void FilterBarPanel::placeButtonsFirst(const QList<QPushButton*>& leading)
{
    QList<QPushButton*> order = leading;
    for (QPushButton* button : {m_excel, m_refilter, m_start, m_clear})
        if (!order.contains(button))
            order.append(button);
    int left = 0;
    for (QPushButton* button : std::as_const(order)) {
        setGeometryTwips(button, left, 40, ButtonWidth, 480);
        left += ButtonWidth + ButtonGap;
    }
}

void FilterBarPanel::hideButtons()
{
    for (QPushButton* button : {m_excel, m_refilter, m_start, m_clear})
        button->hide();
    m_maxPage->hide();
}
