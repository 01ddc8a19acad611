#pragma once
// The parts of loading the main menu that do not draw: fixed values, both settings files, the
// data folder and the login-password rule. The menu screen runs this, then lays itself out.
#include <QString>

struct AppState;

// The computer name: COMPUTERNAME when set, otherwise the host name.
QString ReadPcName();

// Steps of the start-up in their order: VersionText, PcName, the client settings, the data
// folder (normalised) with the shared settings (the recovery dialogue may appear), the
// preparation of a data folder that lacks its files, entry-pad mode 0 and the password rule.
// The client folder must already be set.
void RunStartupSequence(AppState& state);

// Login password rule of the start-up: with the password switch on, a first load requires the
// password and a return keeps what was decided; with it off no password is required.
// Returns true when the password panel is to be shown.
bool ApplyLoginPasswordRule(AppState& state);
