#pragma once
// The filter's two regions on the ledger screen: the condition panel (Picture6) with its table
// MSFlexGrid4 and word editor, and the filter button bar (Picture27) of the list area. The panel
// keeps the condition rows and the current row; the ledger screen runs the scans.
#include "ledger/filter_conditions.h"
#include "ledger/panel_positions.h"

#include <QFrame>

class ClickableLabel;
class DragHandle;
class FlexGrid;
class QLabel;
class QLineEdit;
class QPushButton;

class FilterPanel : public QFrame {
    Q_OBJECT
public:
    explicit FilterPanel(QWidget* parent = nullptr);

    static constexpr int WidthTwips = 6560;
    static constexpr int HeightTwips = 1560;

    FlexGrid* conditionGrid() const { return m_grid; }
    QLineEdit* wordEditor() const { return m_wordEditor; }
    DragHandle* dragHandle() const { return m_handle; }
    QPushButton* clearRowButton() const { return m_clearRow; }
    QPushButton* clearWordButton() const { return m_clearWord; }
    QPushButton* closeButton() const { return m_close; }

    // Three condition rows of widths 340, 1600 and 3200, rows 350 high, all left-aligned.
    void prepareConditionGrid();
    // At `position`, or as near to it as keeps the panel inside the screen.
    void moveTo(PanelPosition position);

    // A list cell clicked in filter mode: passed on as listCellTaken for the screen to check.
    void takeListCell(int row, int col);

    // The three condition rows as the table shows them (table row r - 1 holds row r).
    FilterConditionRows rows() const;
    void setRows(const FilterConditionRows& rows);
    void clearConditions();
    // The current row, 0..2, and its current cell (0 column, 1 caption, 2 word).
    int currentRow() const { return m_currentRow; }
    void setCurrentRow(int row, int cell);
    // Fills the current row and moves on to the next (row 3 is followed by row 1).
    void fillCurrentRow(int column, const QString& caption, const QString& word);
    void advanceRow();
    // "行消" and "名消" of the current row; both close the word editor.
    void clearCurrentRow();
    void clearCurrentWord();
    // The word editor over the word cell of the current row, holding its word.
    void openWordEditor();
    void hideWordEditor();

signals:
    void listCellTaken(int row, int col);
    // Enter in the word editor; the screen checks the row and stores the word.
    void wordEntered(const QString& text);

private:
    FlexGrid* m_grid = nullptr;
    QLineEdit* m_wordEditor = nullptr;
    DragHandle* m_handle = nullptr;
    ClickableLabel* m_lowPreset = nullptr;
    ClickableLabel* m_highPreset = nullptr;
    QPushButton* m_clearRow = nullptr;
    QPushButton* m_clearWord = nullptr;
    QPushButton* m_close = nullptr;
    int m_currentRow = 0;
};

class FilterBarPanel : public QFrame {
    Q_OBJECT
public:
    explicit FilterBarPanel(QWidget* parent = nullptr);

    static constexpr int WidthTwips = 7200;
    static constexpr int HeightTwips = 560;

    QPushButton* excelButton() const { return m_excel; }
    QPushButton* refilterButton() const { return m_refilter; }
    QPushButton* startButton() const { return m_start; }
    QPushButton* clearButton() const { return m_clear; }
    // "Max P" and the page count of a re-filtered result.
    QLabel* maxPageLabel() const { return m_maxPage; }

    // The bar's usual order: "Excel出力", "再絞込", "絞込開始", "絞込解除". The filter reorders
    // the bar when it offers "再絞込".
    void placeButtons();
    // `leading` first, from the left, then the other buttons in the usual order.
    void placeButtonsFirst(const QList<QPushButton*>& leading);
    void hideButtons();

private:
    QPushButton* m_excel = nullptr;
    QPushButton* m_refilter = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_clear = nullptr;
    QLabel* m_maxPage = nullptr;
};
