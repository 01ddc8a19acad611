#include "menu/menu_screen.h"

#include "menu/menu_admin_panel.h"
#include "menu/menu_alert_panel.h"
#include "menu/menu_buttons_panel.h"
#include "menu/menu_examples_panel.h"
#include "menu/menu_password_panel.h"
#include "menu/menu_rules.h"
#include "menu/menu_switches_panel.h"
#include "menu/startup.h"
#include "menu/stock_alerts.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "ui/busy_cursor.h"
#include "ui/clickable_label.h"
#include "ui/screen_host.h"
#include "ui/tab_order.h"
#include "ui/widget_geometry.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace {

constexpr int LogoTop = 360;
constexpr int LogoWidth = 1200;
constexpr int LogoHeight = 840;

} // namespace

MenuScreen::MenuScreen(ScreenHost& host, QWidget* parent)
    : QWidget(parent), m_host(host), m_state(host.state())
{
    setObjectName(QStringLiteral("MenuScreen"));
    setFixedSize(twipsRect(0, 0, WidthTwips, HeightTwips).size());
    buildControls();
    connectControls();
    load();
    SetTabOrderOfScreen(this);
}

void MenuScreen::buildControls()
{
    m_background = placed(new ClickableLabel(this), QStringLiteral("backgroundPicture"), 0, 0, WidthTwips, HeightTwips);

    auto* title = placed(new QLabel(AppState::ProductName, this), QStringLiteral("productLabel"), 600, 300, 7200, 900);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2.4);
    titleFont.setBold(true);
    title->setFont(titleFont);
    m_version = placed(new QLabel(this), QStringLiteral("versionLabel"), 600, 1300, 3600, 330);
    m_date = placed(new QLabel(this), QStringLiteral("dateLabel"), 11400, 360, 4200, 330);
    m_user = placed(new QLabel(this), QStringLiteral("userLabel"), 11400, 760, 4200, 330);
    m_logo = placed(new QLabel(this), QStringLiteral("logoPicture"), LogoBaseLeftTwips, LogoTop, LogoWidth, LogoHeight);
    m_logo->setScaledContents(true);

    m_buttons = placed(new MenuButtonsPanel(this), QStringLiteral("buttonsPanel"), 600, 2100,
                       MenuButtonsPanel::WidthTwips, MenuButtonsPanel::HeightTwips);
    m_switches = placed(new MenuSwitchesPanel(this), QStringLiteral("switchesPanel"), 6000, 2100,
                        MenuSwitchesPanel::WidthTwips, MenuSwitchesPanel::HeightTwips);
    m_alerts = placed(new MenuAlertPanel(this), QStringLiteral("alertPanel"), 6000, 6600, MenuAlertPanel::WidthTwips,
                      MenuAlertPanel::HeightTwips);
    m_admin = placed(new MenuAdminPanel(this), QStringLiteral("adminPanel"), 13200, 2100, MenuAdminPanel::WidthTwips,
                     MenuAdminPanel::HeightTwips);
    m_password = placed(new MenuPasswordPanel(this), QStringLiteral("passwordPanel"), 13200, 5000,
                        MenuPasswordPanel::WidthTwips, MenuPasswordPanel::HeightTwips);

    m_dataFolderCaption = placed(new QLabel(QStringLiteral("データフォルダー位置"), this),
                                 QStringLiteral("dataFolderCaption"), 600, 8500, 2600, 330);
    m_dataFolder = placed(new QLabel(this), QStringLiteral("dataFolderLabel"), 3300, 8500, 12000, 330);
    m_dataFolderSpot = placed(new ClickableLabel(this), QStringLiteral("dataFolderSpot"), 18600, 9000, 360, 330);

    m_examples = placed(new MenuExamplesPanel(this), QStringLiteral("examplesPanel"), 1800, 1200,
                        MenuExamplesPanel::WidthTwips, MenuExamplesPanel::HeightTwips);
}

void MenuScreen::connectControls()
{
    connect(m_buttons->ledgerButton(), &QPushButton::clicked, this,
            [this] { openFromMenu(MenuTarget::Ledger, ScreenKey::Ledger); });
    connect(m_buttons->importButton(), &QPushButton::clicked, this,
            [this] { openFromMenu(MenuTarget::Import, ScreenKey::Import); });
    connect(m_buttons->settingsButton(), &QPushButton::clicked, this,
            [this] { openFromMenu(MenuTarget::Settings, ScreenKey::Settings); });
    connect(m_buttons->commonDocumentsButton(), &QPushButton::clicked, this,
            [this] { openFromMenu(MenuTarget::CommonDocuments, MenuHook::CommonDocumentsOutput); });
    connect(m_buttons->exitButton(), &QPushButton::clicked, this, &MenuScreen::exitProgram);

    m_switches->attach(m_state);
    connect(m_switches, &MenuSwitchesPanel::logoSwitched, this, &MenuScreen::showLogo);
    connect(m_switches, &MenuSwitchesPanel::logoMoved, this, &MenuScreen::placeLogo);
    connect(m_switches, &MenuSwitchesPanel::examplesRequested, this, [this] {
        m_examples->show();
        m_examples->raise();
    });
    m_admin->attach(m_state);
    connect(m_admin, &MenuAdminPanel::loginPasswordChanged, this, [this] {
        m_password->setVisible(m_state.PasswordRequired);
        m_password->setMasked(true);
    });
    m_password->attach(m_state);
    m_alerts->attach(m_state);

    connect(m_dataFolderSpot, &ClickableLabel::clicked, this, [this] { setDataFolderShown(true); });
    connect(m_background, &ClickableLabel::clicked, this, [this] { setDataFolderShown(false); });
}

// The loading steps in their order; RunStartupSequence holds those that do not draw.
void MenuScreen::load()
{
    centreWindow(this, RaiseTwips);
    RunStartupSequence(m_state);

    m_version->setText(m_state.VersionText);
    m_user->setText(m_state.PcName);
    setDataFolderShown(false);

    m_switches->fillLogoOffsets(m_state.ClientSettings[ClientLine::LogoOffset]);
    m_dataFolder->setText(m_state.DataFolder);
    m_date->setText(MenuDateText());
    setWindowTitle(AppState::ProductName + m_state.VersionText);

    m_switches->showSwitches(m_state);
    showLogo();
    m_buttons->layOut(IsSwitchOn(m_state, OptionSwitch::CommonDocuments));
    m_admin->showAdministration(m_state);
    m_password->setVisible(PasswordPanelShownAtLoad(m_state));
    m_password->setMasked(true);
    m_examples->hide();
    m_alerts->showAlerts(ScanStockAlerts(m_state));
}

void MenuScreen::placeLogo()
{
    moveTwips(m_logo, LogoLeftTwips(m_state.ClientSettings[ClientLine::LogoOffset]), LogoTop);
}

void MenuScreen::showLogo()
{
    placeLogo();
    m_logo->hide();
    if (!IsSwitchOn(m_state, OptionSwitch::Logo))
        return;
    m_logo->show();
    const QString path = LogoPicturePath(m_state);
    QPixmap picture;
    if (!picture.load(path)) {
        m_logo->hide();
        m_state.dialogs.inform(QStringLiteral("登録確認"), LogoMissingMessage(path));
        return;
    }
    m_logo->setPixmap(picture);
}

bool MenuScreen::openScreen(const QString& key)
{
    m_state.MenuShownBefore = true;
    BusyCursor busy;
    return m_host.openScreen(key);
}

bool MenuScreen::openFromMenu(MenuTarget target, const QString& key)
{
    if (!MayOpenFromMenu(m_state, target))
        return false;
    return openScreen(key);
}

void MenuScreen::setDataFolderShown(bool shown)
{
    m_dataFolderCaption->setVisible(shown);
    m_dataFolder->setVisible(shown);
}

void MenuScreen::exitProgram()
{
    m_state.closeAllFiles();
    m_state.requestEnd();
}
