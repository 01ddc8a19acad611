#pragma once
// The button rows of the ledger screen: the main row (Picture3) and the two pairs of page
// buttons, for the whole ledger (Picture4: "次 項", "前 項") and for a filter result
// (Picture17: "次　項", "前項").
#include <QFrame>

class QPushButton;

class MainButtonsPanel : public QFrame {
    Q_OBJECT
public:
    explicit MainButtonsPanel(QWidget* parent = nullptr);

    static constexpr int WidthTwips = 13880;
    static constexpr int HeightTwips = 560;
    static constexpr int CompactLeftTwips = 4440;
    static constexpr int CompactWidthTwips = 7095;

    QPushButton* monthlyButton() const { return m_monthly; }
    QPushButton* sortButton() const { return m_sort; }
    QPushButton* deleteButton() const { return m_delete; }
    QPushButton* filterButton() const { return m_filter; }
    QPushButton* correctButton() const { return m_correct; }
    QPushButton* newButton() const { return m_new; }
    QPushButton* ledgerExcelButton() const { return m_excel; }
    QPushButton* exitButton() const { return m_exit; }

    // The compact arrangement: the row narrowed to the left and "終 了" second from the left.
    void useCompactLayout();

private:
    QPushButton* m_monthly = nullptr;
    QPushButton* m_sort = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_filter = nullptr;
    QPushButton* m_correct = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_excel = nullptr;
    QPushButton* m_exit = nullptr;
};

class PageButtonsPanel : public QFrame {
    Q_OBJECT
public:
    PageButtonsPanel(const QString& nextCaption, const QString& previousCaption, const QString& namePrefix,
                     QWidget* parent = nullptr);

    static constexpr int WidthTwips = 3600;
    static constexpr int HeightTwips = 560;
    static constexpr int CompactWidthTwips = 4240;

    QPushButton* nextButton() const { return m_next; }
    QPushButton* previousButton() const { return m_previous; }

private:
    QPushButton* m_next = nullptr;
    QPushButton* m_previous = nullptr;
};
