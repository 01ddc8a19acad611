#pragma once
// Checks and messages that every screen calls.
struct AppState;

// Re-reads the shared settings; when all clients are stopped and this client has no
// administrator rights, says so and ends the program. Returns false when the program ends.
bool CheckStopAll(AppState& state);

// " 項目データがありません。"
void NoItemDataMessage(AppState& state);
