#pragma once
// The list area of the ledger screen (Picture7): the list grid f1Grid1 with its labels — the
// start month, the total stock value, the count and page labels, the backup mark, "再計算",
// "説明", the narrow/wide pictures and the status badge — and the filter button bar. It draws
// what the core computes; the screen decides when.
#include "ledger/list_page.h"

#include <QFrame>

class ClickableLabel;
class ColourLabel;
class FilterBarPanel;
class FlexGrid;
class QLabel;
class QPushButton;

class LedgerListPanel : public QFrame {
    Q_OBJECT
public:
    explicit LedgerListPanel(QWidget* parent = nullptr);

    static constexpr int WidthTwips = 18540;
    static constexpr int HeightTwips = 9500;

    FlexGrid* grid() const { return m_grid; }
    FilterBarPanel* filterBar() const { return m_filterBar; }
    QPushButton* recalculateButton() const { return m_recalculate; }
    QPushButton* explainButton() const { return m_explain; }
    ClickableLabel* backupCaption() const { return m_backupCaption; }
    ColourLabel* backupMark() const { return m_backupMark; }
    QPushButton* statusBadge() const { return m_statusBadge; }

    // Columns, rows, heights, alignments and widths of the list grid.
    void setUpGrid(bool startOfUse);
    // Captions, month headings and the shading of the caption row and every second row, with
    // drawing switched off meanwhile.
    void resetGrid(const ListRow& captions, bool startOfUse);
    void clearGrid();
    // Writes the items and blanks the rows of a page, then makes row 1, column 1 current.
    void drawPage(const ListPage& page);

    // Narrow columns: the item number and name shortened, columns 3..9 hidden. Wide: back to
    // the full widths.
    void narrowColumns();
    void widenColumns();

    void setStartMonth(const QString& text);
    void setStockValue(const QString& text);
    void setCountText(const QString& text);
    void setPageText(const QString& text);
    QString pageText() const;

signals:
    void cellClicked(int row, int col);

private:
    void writeRow(int row, const ListRow& cells);
    void blankRow(int row);

    FlexGrid* m_grid = nullptr;
    FilterBarPanel* m_filterBar = nullptr;
    QLabel* m_startMonth = nullptr;
    QLabel* m_stockValue = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_page = nullptr;
    ClickableLabel* m_backupCaption = nullptr;
    ColourLabel* m_backupMark = nullptr;
    QPushButton* m_recalculate = nullptr;
    QPushButton* m_explain = nullptr;
    QPushButton* m_statusBadge = nullptr;
    ClickableLabel* m_narrow = nullptr;
    ClickableLabel* m_wide = nullptr;
};
