#pragma once
// The option switches of the menu: each asks its question, stores the answer in its settings
// line and writes that settings file at once. What a switch changes on the menu itself (the
// logo, the password panel) is left to the screen, which repaints from the state.
#include "menu/menu_rules.h"

#include <QString>
#include <optional>

struct AppState;

// The question a switch asks, its lines joined by CR.
QString OptionSwitchQuestion(const AppState& state, OptionSwitch id);

// Asks the switch's question; Yes stores "1", No stores "0", and the settings file is written.
// The settings are read again first, so that a switch does not write back lines another client
// (or another screen) changed meanwhile. Returns the new state, or nothing when the switch was
// left as it was (the login password was not set, or an administrator-only switch was clicked
// before the login password was typed on this client).
//
// The login password switch also asks an administrator for the new password before it goes on;
// on, it requires the password at once on this client; on or off, it drops EditPending.
std::optional<bool> ToggleOptionSwitch(AppState& state, OptionSwitch id);

// The logo position chooser: stores the chosen offset and writes the client settings.
void SetLogoOffset(AppState& state, const QString& offset);
