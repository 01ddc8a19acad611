#include "ui/flex_grid.h"

#include "ui/colours.h"
#include "ui/twips.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace {

// Marks a cell whose background was set by the screen, so fixed painting leaves it alone.
constexpr int OwnBackgroundRole = Qt::UserRole + 1;
constexpr Qt::Alignment DefaultAlignment = Qt::AlignLeft | Qt::AlignVCenter;

} // namespace

FlexGrid::FlexGrid(QWidget* parent) : FlexGrid(0, 0, parent) {}

FlexGrid::FlexGrid(int rows, int cols, QWidget* parent) : QTableWidget(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    connect(this, &QTableWidget::cellClicked, this, &FlexGrid::clicked);
    setCols(cols);
    setRows(rows);
}

void FlexGrid::keyPressEvent(QKeyEvent* event)
{
    const int row = currentRow();
    const int col = currentColumn();
    if (row >= 0 && col >= 0) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            emit keyActivated(row, col);
            return;
        }
        const QString text = event->text();
        const bool printable = text.size() == 1 && text[0].isPrint() && text[0] != u' '
            && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (printable) {
            emit textTyped(row, col, text);
            return;
        }
    }
    QTableWidget::keyPressEvent(event);
}

void FlexGrid::setRows(int rows)
{
    setRowCount(rows);
    m_rowTwips.resize(rows, -1);
    paintFixedCells();
}

void FlexGrid::setCols(int cols)
{
    setColumnCount(cols);
    m_colTwips.resize(cols, -1);
    m_colAlignment.resize(cols, DefaultAlignment);
    paintFixedCells();
}

void FlexGrid::setFixedRows(int rows)
{
    m_fixedRows = rows;
    paintFixedCells();
}

void FlexGrid::setFixedCols(int cols)
{
    m_fixedCols = cols;
    paintFixedCells();
}

QTableWidgetItem* FlexGrid::cellItem(int row, int col)
{
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount())
        return nullptr;
    QTableWidgetItem* cell = item(row, col);
    if (!cell) {
        cell = new QTableWidgetItem;
        cell->setTextAlignment(m_colAlignment.value(col, DefaultAlignment));
        setItem(row, col, cell);
        paintCell(cell, row, col);
    }
    return cell;
}

void FlexGrid::paintCell(QTableWidgetItem* cell, int row, int col)
{
    const bool fixed = isFixedCell(row, col);
    cell->setFlags(fixed ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (cell->data(OwnBackgroundRole).toBool())
        return;
    if (fixed)
        cell->setBackground(colourFromWindows(WindowsColour::ButtonFace, palette()));
    else
        cell->setData(Qt::BackgroundRole, QVariant());
}

void FlexGrid::paintFixedCells()
{
    const bool wasOn = updatesEnabled();
    setUpdatesEnabled(false);
    for (int row = 0; row < rowCount(); ++row) {
        for (int col = 0; col < columnCount(); ++col) {
            if (isFixedCell(row, col))
                cellItem(row, col);
            else if (QTableWidgetItem* cell = item(row, col))
                paintCell(cell, row, col);
        }
    }
    setUpdatesEnabled(wasOn);
}

QString FlexGrid::textMatrix(int row, int col) const
{
    const QTableWidgetItem* cell = item(row, col);
    return cell ? cell->text() : QString();
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text)
{
    if (QTableWidgetItem* cell = cellItem(row, col))
        cell->setText(text);
}

QColor FlexGrid::cellBackground(int row, int col) const
{
    const QTableWidgetItem* cell = item(row, col);
    if (cell && cell->background().style() != Qt::NoBrush)
        return cell->background().color();
    return colourFromWindows(WindowsColour::WindowBackground, palette());
}

void FlexGrid::setCellBackground(int row, int col, const QColor& colour)
{
    QTableWidgetItem* cell = cellItem(row, col);
    if (!cell)
        return;
    cell->setData(OwnBackgroundRole, colour.isValid());
    if (colour.isValid())
        cell->setBackground(colour);
    else
        paintCell(cell, row, col);
}

int FlexGrid::colWidthTwips(int col) const
{
    const int twips = m_colTwips.value(col, -1);
    return twips >= 0 ? twips : pixelsToTwips(columnWidth(col));
}

void FlexGrid::setColWidthTwips(int col, int twips)
{
    if (col < 0 || col >= columnCount())
        return;
    m_colTwips[col] = twips;
    setColumnHidden(col, twips <= 0);
    if (twips > 0)
        setColumnWidth(col, twipsToPixels(twips));
}

int FlexGrid::rowHeightTwips(int row) const
{
    const int twips = m_rowTwips.value(row, -1);
    return twips >= 0 ? twips : pixelsToTwips(rowHeight(row));
}

void FlexGrid::setRowHeightTwips(int row, int twips)
{
    if (row < 0 || row >= rowCount())
        return;
    m_rowTwips[row] = twips;
    setRowHidden(row, twips <= 0);
    if (twips > 0)
        setRowHeight(row, twipsToPixels(twips));
}

Qt::Alignment FlexGrid::colAlignment(int col) const
{
    return m_colAlignment.value(col, DefaultAlignment);
}

void FlexGrid::setColAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= columnCount())
        return;
    m_colAlignment[col] = alignment;
    for (int row = 0; row < rowCount(); ++row)
        if (QTableWidgetItem* cell = item(row, col))
            cell->setTextAlignment(alignment);
}

void FlexGrid::clearCells()
{
    const bool wasOn = updatesEnabled();
    setUpdatesEnabled(false);
    for (int row = 0; row < rowCount(); ++row) {
        for (int col = 0; col < columnCount(); ++col) {
            if (QTableWidgetItem* cell = item(row, col)) {
                cell->setText(QString());
                cell->setData(OwnBackgroundRole, false);
                paintCell(cell, row, col);
            }
        }
    }
    setUpdatesEnabled(wasOn);
}

void FlexGrid::setRedraw(bool on)
{
    setUpdatesEnabled(on);
    if (on)
        viewport()->update();
}
