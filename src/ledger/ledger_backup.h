#pragma once
// The backup copy of the ledger that the backup switch (client settings line 18) asks for after
// each store: "Ma在庫品.dat" copied into the client folder's "原本Excel".
struct AppState;

// Backup mark colour after a successful copy.
inline constexpr unsigned BackupDoneColour = 8421631;

// Copies the ledger when the switch is on, replacing an older copy in one step (a failed copy
// leaves the old one). True only when a copy was made.
bool CopyLedgerBackup(AppState& state);
