#pragma once
// The mail panel of the settings screen: the information addresses (MailAddressTable entries
// 1..3, the purchase-mail recipients) and the ordering addresses (entries 4..11) in two grids,
// edited in one box and registered into the mail address file of the data folder; below them the
// mail server of this client.
#include "settings/mail_address_file.h"

#include <QFrame>

struct AppState;
class FlexGrid;
class MailServerWidget;
class QLineEdit;
class QPushButton;

class MailPanel : public QFrame {
    Q_OBJECT
public:
    explicit MailPanel(AppState& state, QWidget* parent = nullptr);

    static constexpr int WidthTwips = 6600;
    static constexpr int HeightTwips = 9240;

    // Shows the panel; the grids keep what they show until registered.
    void open();
    // The editing box back to its idle look.
    void resetLight();
    // Both grids from MailAddressTable (done once when the panel is built).
    void fillGrids();

    // An address in the grids differs from the registered table.
    bool hasUnregisteredChanges() const;
    // "登録": true when the addresses are stored; a refusal or a failure has been told.
    bool registerChanges();
    // The grids again from the registered table: the changes are dropped.
    void discardChanges() { fillGrids(); }

signals:
    void settingsChanged();

private:
    void gridClicked(FlexGrid* grid, int row);
    void addressEntered();
    void clearAddress();
    MailAddresses gridAddresses() const;
    void showRow(FlexGrid* grid, int row);

    AppState& m_state;
    FlexGrid* m_information = nullptr;
    FlexGrid* m_ordering = nullptr;
    FlexGrid* m_editGrid = nullptr; // the grid last clicked
    int m_editRow = 0;
    QLineEdit* m_box = nullptr;
    QPushButton* m_register = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_explain = nullptr;
    QPushButton* m_close = nullptr;
    MailServerWidget* m_server = nullptr;
};
