#pragma once
// The sort/delete panel (Picture12 with its header Picture10): the list MSFlexGrid3, its title,
// colour indicator, count and result labels and the buttons "Sort開始", "行削除", "登　録" and
// "閉じる". It also keeps the working state of the open function: the ItemSummaryTable shown,
// the working count and the ledger count the list was read from.
#include "ledger/item_summary.h"

#include <QFrame>

class FlexGrid;
class QLabel;
class QPushButton;

namespace SortDeleteColour {
inline constexpr quint32 Working = 12632319; // RGB 255, 192, 192
inline constexpr quint32 Sorted = 8421631;   // RGB 255, 128, 128
}

// The working list lives in this client's memory only; "登　録" applies it to the ledger as it is
// then: the removed rows leave it by identity, and a sort sorts what the ledger holds.
struct SortDeleteSession {
    bool sortMode = true;
    bool sorted = false;   // "Sort開始" has shown the sorted order
    ItemSummaryTable table;
    QList<ListedRecord> removed; // the rows "行削除" took out of the list
    int workingCount = 0;
};

class SortDeletePanel : public QFrame {
    Q_OBJECT
public:
    explicit SortDeletePanel(QWidget* parent = nullptr);
    static constexpr int WidthTwips = 9600;
    static constexpr int HeightTwips = 7800;

    FlexGrid* list() const { return m_list; }
    QLabel* title() const { return m_title; }
    QLabel* countLabel() const { return m_count; }
    QLabel* resultLabel() const { return m_result; }
    QPushButton* sortStartButton() const { return m_sortStart; }
    QPushButton* deleteRowButton() const { return m_deleteRow; }
    QPushButton* registerButton() const { return m_register; }
    QPushButton* closeButton() const { return m_close; }

    // MSFlexGrid3: seven columns captioned ColumnCaptions[0..6], every cell left-aligned.
    void prepareList(const QStringList& captions);

    // Sort mode: "Sort開始", "登　録", "閉じる" ("行削除" comes with a finished sort). Delete mode:
    // "行削除", "閉じる", "登　録". Sets the title, the working colour and empties the result.
    void enterMode(bool sortMode);
    void setIndicatorColour(quint32 value);
    quint32 indicatorColour() const { return m_indicatorColour; }
    // The list: "No", "在庫品No", "品名", "仕様", "メーカー名", one row per table row.
    void showSummary(const ItemSummaryTable& table);

    SortDeleteSession session;

private:
    FlexGrid* m_list = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_indicator = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_result = nullptr;
    QPushButton* m_sortStart = nullptr;
    QPushButton* m_deleteRow = nullptr;
    QPushButton* m_register = nullptr;
    QPushButton* m_close = nullptr;
    quint32 m_indicatorColour = SortDeleteColour::Working;
};
