#pragma once
// The filter's two regions on the ledger screen: the condition panel (Picture6) with its table
// MSFlexGrid4, and the filter button bar (Picture27) of the list area. This file lays them out,
// moves the condition panel and prepares its table; choosing conditions, scanning the ledger
// and the bar's buttons are the filter's own work and are connected where marked.
#include "ledger/panel_positions.h"

#include <QFrame>

class ClickableLabel;
class DragHandle;
class FlexGrid;
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

    // Three condition rows of widths 340, 1600 and 3200, rows 350 high, all left-aligned.
    void prepareConditionGrid();
    void moveTo(PanelPosition position);

    // A list cell clicked in filter mode; the filter fills a condition from it.
    void takeListCell(int row, int col);

private:
    FlexGrid* m_grid = nullptr;
    QLineEdit* m_wordEditor = nullptr;
    DragHandle* m_handle = nullptr;
    ClickableLabel* m_lowPreset = nullptr;
    ClickableLabel* m_highPreset = nullptr;
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

    // The bar's usual order: "Excel出力", "再絞込", "絞込開始", "絞込解除". The filter reorders
    // the bar when it offers "再絞込".
    void placeButtons();
    void hideButtons();

private:
    QPushButton* m_excel = nullptr;
    QPushButton* m_refilter = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_clear = nullptr;
};
