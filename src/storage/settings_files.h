#pragma once
// Reading and writing the two settings files, folder normalisation and the recovery of an
// unusable data folder.
#include "storage/io_result.h"

#include "storage/settings_lines.h"

#include <QString>

struct AppState;

// Takes lines 1..50 from the decoded lines of a settings file; stops at the first line that is
// missing (lines not taken keep their values). False when there are fewer than 50 lines.
bool ReadSettingsLines(const QStringList& text, SettingsLines& lines);
// Reads lines 1..50 of a settings file into `lines`; stops at the first line that is missing
// (lines not read keep their values). False when the file is missing or short.
bool ReadSettingsFile(const QString& path, SettingsLines& lines);
// Writes lines 1..50 as quoted values through a temporary file.
IoResult WriteSettingsFile(const QString& path, const SettingsLines& lines);

// Removes trailing separators and appends exactly one; paths shorter than 2 characters stay.
QString NormaliseFolder(const QString& path);

// Path of the shared settings file: in the client folder when ClientSettings[1] is exactly the
// client folder, otherwise in the data folder.
QString SharedSettingsPath(const AppState& state);
bool SharedSettingsInClientFolder(const AppState& state);

// Reads lines 1..50; on a missing file or a short file reading stops at the failing line and
// the lines not read keep their values. Returns false when reading stopped early.
bool ReadClientSettings(AppState& state);

// Trims every line (in memory too) and replaces the file.
IoResult WriteClientSettings(AppState& state);

// Reads from the location above; a failure on a data folder other than the client folder runs
// RecoverDataFolder (unless state.suppressRecovery is set).
bool ReadSharedSettings(AppState& state);

// The shared settings as the file holds them now, memory not changed: lines the file lacks (a
// missing or short file) are memory's.
SettingsLines SharedSettingsInFile(const AppState& state);
// One line of them, as its FieldText.
QString SharedSettingsLineInFile(const AppState& state, int line);

// Replaces every line by its FieldText and replaces the file; a failure on a data folder other
// than the client folder runs RecoverDataFolder.
IoResult WriteSharedSettings(AppState& state);

// Offers to fall back to the client folder as data folder. Returns true when the user agreed.
bool RecoverDataFolder(AppState& state);
