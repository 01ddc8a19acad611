#pragma once
// The cell values of the first worksheet of a legacy .xls workbook as FreeXL reads them. FreeXL
// is not safe against every damaged file (some make it read far past its buffers), so it runs
// in a child process: a fault or a hang there ends the child and the file counts as damaged;
// the program's own memory is never touched by it.
#include <QString>

class Worksheet;

// Fills `sheet` with numbers and texts (1-based rows and columns). Returns nullptr on success,
// otherwise a short note of what could not be read (the sheet may then hold part of the cells).
const char* ReadXlsCells(const QString& path, Worksheet& sheet);
