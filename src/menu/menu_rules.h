#pragma once
// What the main menu shows, decided from the shared state: the option switches and the
// settings lines they are stored in, the logo, the password panel.
#include <QList>
#include <QString>
#include <QStringList>

struct AppState;

enum class OptionSwitch {
    Logo,
    TemplatePlacement,
    HideExplanations,
    ViewOnly,
    MonthlyImport,
    Decimals,
    StartOfUse,
    CommonDocuments,
    LoginPassword,
};

struct OptionSwitchLine {
    OptionSwitch id;
    bool shared;   // stored in SharedSettings, else ClientSettings
    int line;
};

// Every option switch with its settings line.
const QList<OptionSwitchLine>& OptionSwitchLines();
OptionSwitchLine LineOf(OptionSwitch id);

// A switch is on when its line reads as the number 1; the login-password switch only when its
// line is exactly "1".
bool IsSwitchOn(const AppState& state, OptionSwitch id);

bool HasAdministratorRights(const AppState& state);
bool IsStopAllSet(const AppState& state);

// The password panel is shown on the first load of a run when the login password is on.
bool PasswordPanelShownAtLoad(const AppState& state);

// The logo picture: ClientFolder + "設備画像" + separator + "yuuza.jpg".
QString LogoPicturePath(const AppState& state);
QString LogoMissingMessage(const QString& path);

// The chooser's values 20, 40, … 1600 and the logo's left edge for a stored offset.
QStringList LogoOffsetChoices();
int LogoLeftTwips(const QString& offsetSetting);
inline constexpr int LogoBaseLeftTwips = 16000;

// Today's date as the menu shows it, "yyyy/mm/dd".
QString MenuDateText();
