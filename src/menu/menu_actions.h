#pragma once
// What the menu's buttons and administrator controls decide, without widgets: the checks
// before a screen opens, the administrator switch, the stop of all clients and its hidden
// release. Messages go through the Dialogs service; the screen repaints from the state.
#include <QString>
#include <optional>

struct AppState;

enum class MenuTarget { Ledger, Import, Settings, CommonDocuments };

// The checks before leaving the menu, in their order: the shared settings are read again (to
// see a stop set by another client), a view-only client may not import, a stopped client
// without administrator rights is refused, and a login password still to be typed refuses
// everything, and the ledger and import screens need a usable data folder without links among
// its files. The common-documents button only makes the password check. Each refusal is said
// in a message box; true when the target may open.
bool MayOpenFromMenu(AppState& state, MenuTarget target);

enum class AdministratorChange {
    On,            // rights on, view-only off
    Off,           // rights off
    OffAndRelease, // rights off and the stop this client had set released
    Unchanged,     // the stopping client declined to release its stop, or an administrator's
                   // client has not had the login password typed yet
    Refused,       // the login password was not confirmed: the rights stay off
};

// The administrator switch: asks, then switches the rights on or off. Switching them on while the
// data folder has a login password asks for that password first (LoginPasswordAttempts tries);
// without it nothing changes. A No on the client that stopped all clients (recognised by its
// PcName in the shared settings) offers to release the stop together with the rights; declining
// leaves everything as it was. An administrator's client whose login password is still to be
// typed changes nothing but switching its rights off.
AdministratorChange ToggleAdministrator(AppState& state);

// True when this client is the one that set the stop now in force.
bool IsStopSetHere(const AppState& state);

// The stop-all-clients switch: refused without administrator rights and before the login password
// is typed; otherwise asks, sets or clears the stop (recording this client as the one that set it)
// and writes both settings files. Returns the new stop state, or nothing when refused.
std::optional<bool> ToggleStopAll(AppState& state);

// The hidden release command: on an administrator client that is past the login password, asks
// and clears the stop whoever set it. Returns true when the stop was released.
bool ReleaseStopAll(AppState& state);
