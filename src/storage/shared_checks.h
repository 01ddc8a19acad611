#pragma once
// Checks and messages that every screen calls.
#include <QString>

struct AppState;

// Re-reads the shared settings; when all clients are stopped and this client has no
// administrator rights, says so and ends the program. Returns false when the program ends.
bool CheckStopAll(AppState& state);

// " 項目データがありません。"
void NoItemDataMessage(AppState& state);

// What a view-only client is told when it tries to change data (lines joined by CR).
QString ViewOnlyRefusalMessage();
// On a view-only client (client settings line 19): tells ViewOnlyRefusalMessage (title "登録確認")
// and returns true. Every change of the ledger, the shared settings and the word lists asks first.
bool RefuseWhenViewOnly(AppState& state);
