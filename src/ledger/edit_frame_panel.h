#pragma once
// The item edit frame (Picture20): the item number, the mode caption and record number, the
// item row MSFlexGrid1, the month table MSFlexGrid2, the text entry box, the frame's buttons,
// the position presets, the drag handle and the start-of-use chooser (Picture21 with Combo1).
// "履　歴" (historyButton) opens the change history of the item shown, "グラフ" (chartButton) its
// stock chart.
// This file lays the frame out, prepares its tables and moves it; editing an item, storing it
// and the entry pad are connected where marked.
#include "ledger/edit_frame_cells.h"
#include "ledger/panel_positions.h"

#include <QFrame>
#include <array>

class ClickableLabel;
class ColourLabel;
class DragHandle;
class FlexGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class EditFramePanel : public QFrame {
    Q_OBJECT
public:
    explicit EditFramePanel(QWidget* parent = nullptr);

    static constexpr int WidthTwips = 17220;
    static constexpr int HeightTwips = 3300;

    FlexGrid* itemGrid() const { return m_itemGrid; }
    FlexGrid* monthGrid() const { return m_monthGrid; }
    QComboBox* startOfUseList() const { return m_startOfUseList; }
    QWidget* startOfUseChooser() const { return m_chooser; }
    QLineEdit* textEntryBox() const { return m_textEntry; }
    ColourLabel* modeCaption() const { return m_modeCaption; }
    QLabel* recordNoLabel() const { return m_recordNo; }
    QPushButton* registerButton() const { return m_register; }
    QPushButton* nextItemButton() const { return m_nextItem; }
    QPushButton* explainButton() const { return m_explain; }
    DragHandle* dragHandle() const { return m_handle; }

    // MSFlexGrid1: the captions of the item row from ColumnCaptions, widths and alignments.
    // Without the start-of-use option its column 10 is hidden.
    void setUpItemGrid(const std::array<QString, 61>& captions, bool startOfUse);
    // MSFlexGrid2: the month table's captions, headings, shading, widths and alignments.
    void setUpMonthGrid(const std::array<QString, 12>& monthHeadings);
    void setItemNumberCaption(const QString& text);
    void setRecordNoText(const QString& text);
    // At `position`, or as near to it as keeps the frame inside the screen.
    void moveTo(PanelPosition position);
    // The compact arrangement of the buttons: "登　録" at the left edge.
    void useCompactButtons();

    // CurrentRecord was read as CurrentRecordNo for correction: asks for it to be shown.
    void showCurrentRecord();
    // Writes what the edit session shows: the item number, both tables and the stock colour.
    void showCells(const FrameCells& cells);
    QString itemNumberText() const;
    QPushButton* frameButton(const char* name) const;

signals:
    // The frame was put at a preset or dragged (the vocabulary panel follows it).
    void moved();
    void currentRecordShown();
    void itemCellClicked(int column);
    void monthCellClicked(int row, int column);
    void itemNumberClicked();
    void itemNumberTyped(const QString& text);
    void textEntered(const QString& text);
    void textKeyPressed();
    void yearMonthPicked(const QString& yearMonth);

private:
    FlexGrid* m_itemGrid = nullptr;
    FlexGrid* m_monthGrid = nullptr;
    QLabel* m_itemNumberCaption = nullptr;
    ClickableLabel* m_itemNumber = nullptr;
    ColourLabel* m_modeCaption = nullptr;
    QLabel* m_recordNo = nullptr;
    QLineEdit* m_textEntry = nullptr;
    QWidget* m_chooser = nullptr;
    QComboBox* m_startOfUseList = nullptr;
    QPushButton* m_register = nullptr;
    QPushButton* m_nextItem = nullptr;
    QPushButton* m_explain = nullptr;
    DragHandle* m_handle = nullptr;
    ClickableLabel* m_lowPreset = nullptr;
    ClickableLabel* m_highPreset = nullptr;
};
