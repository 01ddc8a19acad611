#pragma once
// What import-items and import-vocab share: the arguments [FILE] [--check], the workbook they
// read (FILE, or the import workbook of that name in the import folder) and the problem lines.
#include "excel_import/import_problems.h"

#include <QString>
#include <optional>

class Invocation;
struct AppState;
struct WorkbookStatus;

struct ImportArguments {
    QString file;       // absolute; empty: the workbook in the import folder
    bool check = false; // only report the problems, write nothing
};

// Nothing (the usage error already printed, `exitStatus` set) when the arguments are malformed.
std::optional<ImportArguments> ParseImportArguments(const Invocation& invocation, int& exitStatus);

// The workbook to read: FILE, or the import workbook `xlsName` of the import folder. Empty after
// printing why when no import folder is set.
QString ImportInputPath(const QString& command, const AppState& state, const ImportArguments& arguments,
                        const QString& xlsName);

// After reading: prints the problems the check found; false after printing why when the
// workbook could not be read or holds cells whose values cannot be read (nothing is written).
bool ImportInputReadable(const QString& command, const WorkbookStatus& status, const QString& path,
                         const QList<ImportProblem>& problems);

// A message of the screens on stderr, its CR-joined lines as separate lines.
void PrintImportMessage(const QString& command, const QString& text);

// One stderr line per problem, "tev-cli COMMAND: 行 9 F列：…".
void PrintImportProblems(const QString& command, const QList<ImportProblem>& problems);
