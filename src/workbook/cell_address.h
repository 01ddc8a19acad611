#pragma once
// Cell addresses of a worksheet: 1-based rows and columns and their "AB12" form.
#include <string>
#include <string_view>

namespace SheetLimits {
inline constexpr int MaxRow = 1048576;
inline constexpr int MaxColumn = 16384;
}

// "A" for 1, "Z" for 26, "AA" for 27 … ("" outside 1..MaxColumn).
std::string ColumnLetters(int column);
// "B3" for (3, 2).
std::string CellName(int row, int column);
void AppendCellName(std::string& out, int row, int column);

// Parses "AB12" into row and column; false for anything else or a cell outside the sheet limits.
bool ParseCellName(std::string_view name, int& row, int& column);
// Parses the letters of a column ("AB" = 28); 0 when not a column inside the limits.
int ParseColumnLetters(std::string_view letters);
