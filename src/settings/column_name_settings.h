#pragma once
// The ledger column names and the list sizes of the names panel: which shared settings line each
// cell of the names grid edits, the choices offered, and the checks and writes of the panel.
#include "storage/io_result.h"

#include <QString>
#include <QStringList>
#include <map>
#include <optional>

struct AppState;

namespace ColumnNames {
// Names grid rows: 0 item number, 1 item name, 2 specification, 3 maker, 4 storage place, 5 unit.
inline constexpr int Rows = 6;
// Rows 1..5 carry the size of vocabulary list row + 1; row 0 has no size.
inline constexpr int FirstSizeRow = 1;
inline constexpr int LimitStep = 10;
inline constexpr int LimitMax = 10000;
}

// Shared settings line of the name in grid row `row` (lines 14..19).
int ColumnNameLine(int row);
// Shared settings line of the list size in grid row `row` (lines 3..7 for rows 1..5).
int ListSizeLine(int row);

// The name of row `row` as the grid shows it.
QString ColumnName(const AppState& state, int row);
// The list size of row `row` (1..5), trimmed.
QString ListSize(const AppState& state, int row);
// The upper limit of the sizes offered (line 22 read as a number, at least 0).
int ListSizeLimit(const AppState& state);

// "1" .. `limit`; none for a limit of 0 or less.
QStringList ListSizeChoices(int limit);
// "0", "10", … "10000".
QStringList ListSizeLimitChoices();

// Why a typed name cannot be stored, or nothing when it can: a double quote would end the
// quoted value of its settings line.
std::optional<QString> ColumnNameProblem(const QString& name);

// The names and sizes changed on the panel. They live in the shared settings in memory until a
// write stores them; a fresh read of the shared settings (the panel reads them when it opens)
// would drop them while the grid still shows them, so they are laid over every read until a
// write has stored them.
class ColumnNameEdits {
public:
    // Sets the name of row `row` to the FieldText of `text` and marks the edit pending.
    // Returns the stored name.
    QString setName(AppState& state, int row, const QString& text);
    // Sets the size of row `row` (1..5), trimmed, and marks the edit pending. Returns it.
    QString setSize(AppState& state, int row, const QString& size);
    // Puts the edits not yet written back over the shared settings in memory.
    void reapply(AppState& state) const;
    bool hasUnwritten() const { return !m_lines.empty(); }
    // Drops the edits not yet written; the shared settings in memory still hold them until read.
    void forget() { m_lines.clear(); }

    // Sets line 22 to the trimmed choice and writes the shared settings with every edit so far.
    IoResult setLimit(AppState& state, const QString& limit);
    // Writes the shared settings with every edit and rebuilds ColumnCaptions from them.
    IoResult registerNames(AppState& state);

private:
    IoResult write(AppState& state);

    std::map<int, QString> m_lines; // shared settings line -> value
};

// Message after a registration.
QString ColumnNamesRegisteredMessage();
