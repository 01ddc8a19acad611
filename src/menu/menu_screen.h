#pragma once
// The main menu window. Building it is the program's start-up: it runs the start-up sequence
// and lays itself out from the settings, every time the host shows it.
#include "menu/menu_actions.h"

#include <QWidget>

struct AppState;
class ClickableLabel;
class MenuAdminPanel;
class MenuAlertPanel;
class MenuButtonsPanel;
class MenuExamplesPanel;
class MenuPasswordPanel;
class MenuSwitchesPanel;
class QLabel;
class ScreenHost;

// The common-documents output is not a screen of its own: it registers with the screen host
// under this key, and its factory writes the workbook and returns null (the menu stays), or
// returns a window of its own. Until it is registered the button opens nothing.
namespace MenuHook {
inline const QString CommonDocumentsOutput = QStringLiteral("commonDocumentsOutput");
}

class MenuScreen : public QWidget {
    Q_OBJECT
public:
    explicit MenuScreen(ScreenHost& host, QWidget* parent = nullptr);

    static constexpr int WidthTwips = 19200;
    static constexpr int HeightTwips = 9600;
    // The menu sits this much above the centre of the screen.
    static constexpr int RaiseTwips = 200;

    MenuButtonsPanel* buttons() const { return m_buttons; }
    MenuSwitchesPanel* switches() const { return m_switches; }
    MenuAdminPanel* administration() const { return m_admin; }
    MenuPasswordPanel* password() const { return m_password; }
    MenuAlertPanel* alerts() const { return m_alerts; }

    // Leaves the menu for the screen registered as `key`; the menu is destroyed once it is open.
    bool openScreen(const QString& key);
    // A main button: the checks before leaving the menu, then openScreen(key).
    bool openFromMenu(MenuTarget target, const QString& key);

    // Places the logo by its stored offset; shows and loads it when the logo switch is on.
    void showLogo();

private:
    void buildControls();
    void connectControls();
    void load();
    void placeLogo();
    void setDataFolderShown(bool shown);
    void exitProgram();

    ScreenHost& m_host;
    AppState& m_state;
    MenuButtonsPanel* m_buttons = nullptr;
    MenuSwitchesPanel* m_switches = nullptr;
    MenuAdminPanel* m_admin = nullptr;
    MenuPasswordPanel* m_password = nullptr;
    MenuAlertPanel* m_alerts = nullptr;
    ClickableLabel* m_background = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_user = nullptr;
    QLabel* m_date = nullptr;
    QLabel* m_logo = nullptr;
    QLabel* m_dataFolderCaption = nullptr;
    QLabel* m_dataFolder = nullptr;
    ClickableLabel* m_dataFolderSpot = nullptr;
    MenuExamplesPanel* m_examples = nullptr;
};
