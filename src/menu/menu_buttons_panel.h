#pragma once
// The menu's main buttons in one column: ledger, import, settings, the optional
// common-documents button and exit.
#include <QWidget>

class QPushButton;

class MenuButtonsPanel : public QWidget {
    Q_OBJECT
public:
    explicit MenuButtonsPanel(QWidget* parent = nullptr);

    // With the common-documents button shown the exit button moves down one place; without it
    // the exit button takes the common-documents button's place.
    void layOut(bool commonDocuments);

    QPushButton* ledgerButton() const { return m_ledger; }
    QPushButton* importButton() const { return m_import; }
    QPushButton* settingsButton() const { return m_settings; }
    QPushButton* commonDocumentsButton() const { return m_commonDocuments; }
    QPushButton* exitButton() const { return m_exit; }

    static constexpr int WidthTwips = 4800;
    static constexpr int HeightTwips = 5400;

private:
    QPushButton* m_ledger;
    QPushButton* m_import;
    QPushButton* m_settings;
    QPushButton* m_commonDocuments;
    QPushButton* m_exit;
};
