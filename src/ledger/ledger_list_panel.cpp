#include "ledger/ledger_list_panel.h"

#include "ledger/colour_label_widget.h"
#include "ledger/filter_panel.h"
#include "ledger/ledger_colours.h"
#include "ui/clickable_label.h"
#include "ui/colours.h"
#include "ui/flex_grid.h"
#include "ui/widget_geometry.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr int RowHeight = 320;
constexpr int StartOfUseWidth = 1100;
constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment Right = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment Centre = Qt::AlignCenter;

struct ColumnLayout {
    int width;
    Qt::Alignment alignment;
};

// Columns 0..27 of the list; column 28 (start of use) depends on the option. Column 0 holds
// record numbers up to 50 009: five digits with the cell's margins.
constexpr ColumnLayout ListColumnLayout[] = {
    {800, Left}, {2000, Left}, {2400, Left}, {2400, Left}, {2400, Left}, {1800, Left},
    {1000, Right}, {1000, Right}, {800, Centre}, {1000, Right}, {1000, Right}, {1000, Right},
    {1000, Right}, {800, Centre},
    {1000, Right}, {1000, Right}, {1000, Right}, {1000, Right}, {1000, Right}, {1000, Right},
    {1000, Right}, {1000, Right}, {1000, Right}, {1000, Right}, {1000, Right}, {1000, Right},
    {1000, Right}, {1000, Right},
};

bool isAlertColour(const QColor& colour)
{
    const quint32 value = windowsColourValue(colour);
    return value == LedgerColour::BelowProper || value == LedgerColour::ZeroStock;
}

} // namespace

LedgerListPanel::LedgerListPanel(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);

    auto* title = placed(new QLabel(QStringLiteral("在庫品台帳"), this), QStringLiteral("listTitleLabel"), 120, 120, 1800, 360);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);
    placed(new QLabel(QStringLiteral("開始年月"), this), QStringLiteral("startMonthCaption"), 2040, 160, 1000, 300);
    m_startMonth = placed(new QLabel(this), QStringLiteral("startMonthLabel"), 3040, 160, 1000, 300);
    placed(new QLabel(QStringLiteral("在庫金額計"), this), QStringLiteral("stockValueCaption"), 4200, 160, 1200, 300);
    m_stockValue = placed(new QLabel(this), QStringLiteral("stockValueLabel"), 5400, 160, 2000, 300);
    m_stockValue->setAlignment(Right);
    m_recalculate = placed(new QPushButton(QStringLiteral("再計算"), this), QStringLiteral("recalculateButton"), 7560, 100, 1000, 400);
    m_count = placed(new QLabel(this), QStringLiteral("countLabel"), 8760, 160, 1800, 300);
    m_page = placed(new QLabel(this), QStringLiteral("pageLabel"), 10560, 160, 1000, 300);
    m_statusBadge = placed(new QPushButton(QStringLiteral("準備中"), this), QStringLiteral("statusBadge"), 11640, 100, 1200, 400);
    m_narrow = placed(new ClickableLabel(QStringLiteral("◀▶"), this), QStringLiteral("narrowColumnsPicture"), 13080, 140, 500, 340);
    m_wide = placed(new ClickableLabel(QStringLiteral("◀　▶"), this), QStringLiteral("wideColumnsPicture"), 13640, 140, 700, 340);
    for (ClickableLabel* picture : {m_narrow, m_wide}) {
        picture->setFrameShape(QFrame::Panel);
        picture->setAlignment(Centre);
    }
    m_backupCaption = placed(new ClickableLabel(QStringLiteral("ﾊﾞｯｸｱｯﾌﾟ"), this), QStringLiteral("backupCaption"), 14520, 160, 1300, 300);
    m_backupMark = placed(new ColourLabel(QString(), this), QStringLiteral("backupMark"), 15840, 160, 300, 300);
    m_explain = placed(new QPushButton(QStringLiteral("説明"), this), QStringLiteral("calculationExplainButton"), 17280, 100, 1000, 400);

    m_grid = placed(new FlexGrid(this), QStringLiteral("f1Grid1"), 120, 600, 18200, 8240);
    m_filterBar = placed(new FilterBarPanel(this), QStringLiteral("Picture27"), 120, 8900, FilterBarPanel::WidthTwips,
                         FilterBarPanel::HeightTwips);

    connect(m_grid, &FlexGrid::clicked, this, &LedgerListPanel::cellClicked);
    connect(m_narrow, &ClickableLabel::clicked, this, &LedgerListPanel::narrowColumns);
    connect(m_wide, &ClickableLabel::clicked, this, &LedgerListPanel::widenColumns);
}

void LedgerListPanel::setUpGrid(bool startOfUse)
{
    m_grid->setCols(ListColumns);
    m_grid->setRows(ListRows);
    m_grid->setFixedRows(1);
    m_grid->setFixedCols(1);
    for (int row = 0; row < ListRows; ++row)
        m_grid->setRowHeightTwips(row, RowHeight);
    for (int col = 0; col < StartOfUseColumn; ++col) {
        m_grid->setColAlignment(col, ListColumnLayout[col].alignment);
        m_grid->setColWidthTwips(col, ListColumnLayout[col].width);
    }
    if (startOfUse)
        m_grid->setColWidthTwips(StartOfUseColumn, StartOfUseWidth);
}

void LedgerListPanel::resetGrid(const ListRow& captions, bool startOfUse)
{
    m_grid->setRedraw(false);
    for (int col = 0; col < ListColumns; ++col)
        m_grid->setTextMatrix(0, col, captions[col]);
    const int lastColumn = startOfUse ? StartOfUseColumn : StartOfUseColumn - 1;
    const QColor shade = colourFromWindows(LedgerColour::CaptionBlue);
    for (int row = 0; row < ListRows; row += 2)
        for (int col = 0; col <= lastColumn; ++col)
            m_grid->setCellBackground(row, col, shade);
    m_grid->setRedraw(true);
}

void LedgerListPanel::clearGrid()
{
    m_grid->clearCells();
}

void LedgerListPanel::drawPage(const ListPage& page)
{
    m_grid->setRedraw(false);
    for (const ListPage::Item& item : page.items) {
        writeRow(item.row, item.rows.received);
        const quint32 stock = item.rows.stockColour;
        m_grid->setCellBackground(item.row, StockColumn,
                                  stock == LedgerColour::WindowBackground ? QColor() : colourFromWindows(stock));
        writeRow(item.row + 1, item.rows.issued);
    }
    for (const int row : page.blankRows)
        blankRow(row);
    m_grid->setCurrentCell(1, 1);
    m_grid->setRedraw(true);
}

void LedgerListPanel::writeRow(int row, const ListRow& cells)
{
    for (int col = 0; col < ListColumns; ++col)
        m_grid->setTextMatrix(row, col, cells[col]);
}

void LedgerListPanel::blankRow(int row)
{
    for (int col = 0; col < ListColumns; ++col)
        m_grid->setTextMatrix(row, col, QString());
    if (isAlertColour(m_grid->cellBackground(row, StockColumn)))
        m_grid->setCellBackground(row, StockColumn, QColor());
}

void LedgerListPanel::narrowColumns()
{
    m_grid->setColWidthTwips(1, 1400);
    m_grid->setColWidthTwips(2, 1400);
    for (int col = 3; col <= 9; ++col)
        m_grid->setColWidthTwips(col, 0);
}

void LedgerListPanel::widenColumns()
{
    for (int col = 1; col <= 4; ++col)
        m_grid->setColWidthTwips(col, 2400);
    m_grid->setColWidthTwips(5, 1800);
    for (int col = 6; col <= 9; ++col)
        m_grid->setColWidthTwips(col, 1000);
}

void LedgerListPanel::setStartMonth(const QString& text)
{
    m_startMonth->setText(text);
}

void LedgerListPanel::setStockValue(const QString& text)
{
    m_stockValue->setText(text);
}

void LedgerListPanel::setCountText(const QString& text)
{
    m_count->setText(text);
}

void LedgerListPanel::setPageText(const QString& text)
{
    m_page->setText(text);
}

QString LedgerListPanel::pageText() const
{
    return m_page->text();
}
