#pragma once
// The monthly in/out panel (Picture24): "入出庫記載", "入出庫転記" and "閉じる".
#include <QFrame>

class QPushButton;

class MonthlyImportPanel : public QFrame {
    Q_OBJECT
public:
    explicit MonthlyImportPanel(QWidget* parent = nullptr);
    static constexpr int WidthTwips = 3760;
    static constexpr int HeightTwips = 1560;

    QPushButton* editButton() const { return m_edit; }
    QPushButton* importButton() const { return m_import; }
    QPushButton* closeButton() const { return m_close; }

private:
    QPushButton* m_edit = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_close = nullptr;
};
