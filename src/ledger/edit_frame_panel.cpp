#include "ledger/edit_frame_panel.h"

#include "ledger/colour_label_widget.h"
#include "ledger/drag_handle_widget.h"
#include "ledger/ledger_colours.h"
#include "ui/clickable_label.h"
#include "ui/colours.h"
#include "ui/flex_grid.h"
#include "ui/widget_geometry.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int RowHeight = 320;
constexpr int ItemGridWidthWithStartOfUse = 16540;
constexpr int ItemGridWidth = 16980;
constexpr int StartOfUseColumnWidth = 1000;
constexpr int ButtonTop = 2280;
constexpr int ButtonWidth = 1600;
constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment Right = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment Centre = Qt::AlignCenter;

QPushButton* button(const QString& caption, const QString& name, int left, QWidget* parent)
{
    return placed(new QPushButton(caption, parent), name, left, ButtonTop, ButtonWidth, 400);
}

} // namespace

EditFramePanel::EditFramePanel(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);

    m_handle = placed(new DragHandle(this, this), QStringLiteral("editFrameHandle"), 60, 60, 360, 360);
    m_itemNumberCaption = placed(new QLabel(this), QStringLiteral("itemNumberCaption"), 540, 80, 1800, 320);
    m_itemNumber = placed(new ClickableLabel(this), QStringLiteral("itemNumberLabel"), 2340, 60, 2400, 360);
    m_itemNumber->setFrameShape(QFrame::Box);
    m_modeCaption = placed(new ColourLabel(QString(), this), QStringLiteral("modeCaption"), 4900, 60, 1200, 360);
    m_recordNo = placed(new QLabel(this), QStringLiteral("recordNoLabel"), 6200, 80, 1600, 320);

    m_chooser = placed(new QFrame(this), QStringLiteral("Picture21"), 8000, 20, 3600, 440);
    placed(new QLabel(QStringLiteral("使用開始年月"), m_chooser), QStringLiteral("startOfUseCaption"), 0, 60, 1400, 320);
    m_startOfUseList = placed(new QComboBox(m_chooser), QStringLiteral("Combo1"), 1400, 20, 2000, 400);

    m_explain = placed(new QPushButton(QStringLiteral("説明"), this), QStringLiteral("editFrameExplainButton"), 15100, 40, 900, 400);
    m_lowPreset = placed(new ClickableLabel(QStringLiteral("▼"), this), QStringLiteral("editFrameLowPicture"), 16100, 60, 360, 360);
    m_highPreset = placed(new ClickableLabel(QStringLiteral("▲"), this), QStringLiteral("editFrameHighPicture"), 16500, 60, 360, 360);

    m_itemGrid = placed(new FlexGrid(this), QStringLiteral("MSFlexGrid1"), 120, 500, ItemGridWidth, 700);
    m_monthGrid = placed(new FlexGrid(this), QStringLiteral("MSFlexGrid2"), 120, 1260, 16500, 1020);

    m_register = button(QStringLiteral("登　録"), QStringLiteral("registerButton"), 1840, this);
    button(QStringLiteral("複 写"), QStringLiteral("copyButton"), 3560, this);
    button(QStringLiteral("入出庫消去"), QStringLiteral("clearInOutButton"), 5280, this);
    button(QStringLiteral("全消去"), QStringLiteral("clearAllButton"), 7000, this);
    button(QStringLiteral("個別仕様Excel"), QStringLiteral("itemSpecificationButton"), 8720, this);
    m_nextItem = button(QStringLiteral("次　項"), QStringLiteral("nextItemButton"), 10440, this);
    button(QStringLiteral("閉じる"), QStringLiteral("editFrameCloseButton"), 12160, this);
    button(QStringLiteral("履　歴"), QStringLiteral("historyButton"), 13880, this);
    placed(new QPushButton(QStringLiteral("グラフ"), this), QStringLiteral("chartButton"), 13700, 40, 1200, 400);
    m_textEntry = placed(new QLineEdit(this), QStringLiteral("textEntryBox"), 8040, 2700, 3600, 360);

    connect(m_handle, &DragHandle::dragged, this,
            [this](PanelPosition at, DragStep step) { moveTo(ClampEditFrame(at, step)); });
    connect(m_lowPreset, &ClickableLabel::clicked, this, [this] { moveTo(PanelPreset::EditFrameLow); });
    connect(m_highPreset, &ClickableLabel::clicked, this, [this] { moveTo(PanelPreset::EditFrameHigh); });
    connect(m_itemGrid, &FlexGrid::clicked, this, [this](int row, int col) {
        if (row == 1)
            emit itemCellClicked(col);
    });
    connect(m_monthGrid, &FlexGrid::clicked, this, &EditFramePanel::monthCellClicked);
    connect(m_itemNumber, &ClickableLabel::clicked, this, &EditFramePanel::itemNumberClicked);
    m_itemNumber->takeKeyboard();
    connect(m_itemNumber, &ClickableLabel::typed, this, &EditFramePanel::itemNumberTyped);
    connect(m_textEntry, &QLineEdit::returnPressed, this, [this] { emit textEntered(m_textEntry->text()); });
    connect(m_textEntry, &QLineEdit::textEdited, this, &EditFramePanel::textKeyPressed);
    connect(m_startOfUseList, &QComboBox::activated, this,
            [this](int index) { emit yearMonthPicked(m_startOfUseList->itemText(index)); });
}

void EditFramePanel::setUpItemGrid(const std::array<QString, 61>& captions, bool startOfUse)
{
    struct Column {
        QString caption;
        int width;
        Qt::Alignment alignment;
    };
    const Column columns[] = {
        {captions[3], 2600, Left}, {captions[4], 2600, Left}, {captions[5], 2600, Left},
        {captions[6], 1800, Left}, {QStringLiteral("単　価　 "), 1200, Right},
        {QStringLiteral("在庫金額 "), 1200, Right}, {captions[9], 800, Centre},
        {QStringLiteral("前年在庫"), 900, Right}, {QStringLiteral("適正在庫"), 900, Right},
        {QStringLiteral("在庫数量"), 900, Centre},
    };
    FlexGrid* grid = m_itemGrid;
    grid->setRows(2);
    grid->setCols(11);
    grid->setFixedRows(1);
    grid->setFixedCols(0);
    for (int row = 0; row < 2; ++row)
        grid->setRowHeightTwips(row, RowHeight);
    for (int col = 0; col < 10; ++col) {
        grid->setTextMatrix(0, col, columns[col].caption);
        grid->setColAlignment(col, columns[col].alignment);
        grid->setColWidthTwips(col, columns[col].width);
    }
    grid->setTextMatrix(0, 10, QStringLiteral("使用開始"));
    // Without the option the start of use is the column that goes, never the stock.
    grid->setColWidthTwips(10, startOfUse ? StartOfUseColumnWidth : 0);
    const QColor shade = colourFromWindows(LedgerColour::CaptionBlue);
    for (int col = 0; col < 11; ++col)
        grid->setCellBackground(0, col, shade);
    grid->resize(twipsRect(0, 0, startOfUse ? ItemGridWidthWithStartOfUse : ItemGridWidth, 700).size());
}

void EditFramePanel::setUpMonthGrid(const std::array<QString, 12>& monthHeadings)
{
    FlexGrid* grid = m_monthGrid;
    grid->setRows(3);
    grid->setCols(16);
    grid->setFixedRows(1);
    grid->setFixedCols(1);
    for (int row = 0; row < 3; ++row)
        grid->setRowHeightTwips(row, RowHeight);
    grid->setTextMatrix(0, 0, QStringLiteral("入出庫"));
    grid->setTextMatrix(1, 0, QStringLiteral(" 入庫"));
    grid->setTextMatrix(2, 0, QStringLiteral(" 出庫"));
    for (int month = 1; month <= 12; ++month)
        grid->setTextMatrix(0, month, monthHeadings[month - 1]);
    grid->setTextMatrix(0, 13, QStringLiteral("入出庫計"));
    grid->setTextMatrix(0, 14, QStringLiteral("予定数量"));
    grid->setTextMatrix(0, 15, QStringLiteral("達成率％"));

    const QColor shade = colourFromWindows(LedgerColour::CaptionBlue);
    for (int col = 0; col < 16; ++col)
        grid->setCellBackground(0, col, shade);
    for (int row = 1; row < 3; ++row) {
        grid->setCellBackground(row, 0, shade);
        grid->setCellBackground(row, 13, colourFromWindows(LedgerColour::TotalBlush));
    }
    grid->setColWidthTwips(0, 700);
    for (int col = 1; col <= 13; ++col) {
        grid->setColWidthTwips(col, 1050);
        grid->setColAlignment(col, Right);
    }
    grid->setColWidthTwips(14, 1000);
    grid->setColAlignment(14, Right);
    grid->setColWidthTwips(15, 1000);
}

void EditFramePanel::setItemNumberCaption(const QString& text)
{
    m_itemNumberCaption->setText(text);
}

void EditFramePanel::setRecordNoText(const QString& text)
{
    m_recordNo->setText(text);
}

// Presets and drags keep the panel wholly inside the screen's background.
void EditFramePanel::moveTo(PanelPosition position)
{
    moveTwipsInsideParent(this, position.left, position.top);
    emit moved();
}

void EditFramePanel::useCompactButtons()
{
    moveTwips(m_register, 120, ButtonTop);
}

void EditFramePanel::showCurrentRecord()
{
    emit currentRecordShown();
}

void EditFramePanel::showCells(const FrameCells& cells)
{
    m_itemGrid->setRedraw(false);
    m_monthGrid->setRedraw(false);
    m_itemNumber->setText(cells.itemNumber);
    for (int col = 0; col < ItemColumn::Count; ++col)
        m_itemGrid->setTextMatrix(1, col, cells.item[col]);
    m_itemGrid->setCellBackground(1, ItemColumn::Stock, colourFromWindows(cells.stockColour, palette()));
    for (int row = 1; row <= 2; ++row)
        for (int col = 1; col <= 15; ++col)
            m_monthGrid->setTextMatrix(row, col, cells.month[row][col]);
    m_itemGrid->setRedraw(true);
    m_monthGrid->setRedraw(true);
}

QString EditFramePanel::itemNumberText() const
{
    return m_itemNumber->text();
}

QPushButton* EditFramePanel::frameButton(const char* name) const
{
    return findChild<QPushButton*>(QString::fromLatin1(name));
}
