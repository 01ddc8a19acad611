#pragma once
// The grid the screens draw their tables in. Row 0 and column 0 are ordinary cells; the first
// fixedRows() rows and fixedCols() columns are painted as fixed (button face, not selectable),
// so row and column numbers are the same as the table layouts that the screens describe.
// Widths and heights are in twips. Current cell: QTableWidget::currentRow()/currentColumn()
// and setCurrentCell().
#include <QTableWidget>
#include <QVector>

class FlexGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);
    FlexGrid(int rows, int cols, QWidget* parent = nullptr);

    int rows() const { return rowCount(); }
    int cols() const { return columnCount(); }
    void setRows(int rows);
    void setCols(int cols);

    int fixedRows() const { return m_fixedRows; }
    int fixedCols() const { return m_fixedCols; }
    void setFixedRows(int rows);
    void setFixedCols(int cols);
    bool isFixedCell(int row, int col) const { return row < m_fixedRows || col < m_fixedCols; }

    // Cell text; empty for a cell never written or outside the grid.
    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    // A cell's own background; an invalid colour returns it to the default (fixed or window).
    QColor cellBackground(int row, int col) const;
    void setCellBackground(int row, int col, const QColor& colour);

    int colWidthTwips(int col) const;
    // Width 0 hides the column.
    void setColWidthTwips(int col, int twips);
    int rowHeightTwips(int row) const;
    void setRowHeightTwips(int row, int twips);

    Qt::Alignment colAlignment(int col) const;
    // Applies to the column's cells now and later.
    void setColAlignment(int col, Qt::Alignment alignment);

    // Empties every cell's text and own colour; rows, columns and sizes stay.
    void clearCells();

    // Drawing off while many cells change; on again repaints once.
    void setRedraw(bool on);
    bool redraw() const { return updatesEnabled(); }

signals:
    void clicked(int row, int col);
    // Enter on the current cell, as a click starts work on it from the keyboard.
    void keyActivated(int row, int col);
    // A printable character typed on the current cell (no Ctrl or Alt held).
    void textTyped(int row, int col, const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTableWidgetItem* cellItem(int row, int col);
    void paintCell(QTableWidgetItem* item, int row, int col);
    void paintFixedCells();

    int m_fixedRows = 0;
    int m_fixedCols = 0;
    QVector<int> m_colTwips;       // -1 when not set by twips
    QVector<int> m_rowTwips;
    QVector<Qt::Alignment> m_colAlignment;
};
