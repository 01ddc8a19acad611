#pragma once
// Error numbers of the spreadsheet layer. They are the numbers ExcelErrorReport turns into its
// messages, so a failure anywhere in a workbook operation reaches the user as the same text.
#include <QString>

namespace WorkbookError {
enum : int {
    None = 0,
    TooLarge = 7,          // a workbook to read is larger than the import can take (found and limit in the status)
    Internal = 51,         // a failure inside the layer itself
    DiskFull = 61,
    FileNotFound = 53,     // the template or the workbook to read is missing
    InUse = 70,            // a lock file of a spreadsheet program beside it, or (on Windows) the file is held open
    AccessDenied = 75,     // the folder or the file may not be written (permissions, a read-only disk)
    PathNotFound = 76,     // the folder of the template or of the output is missing
    DesktopRefused = 429,  // no program took the finished workbook
    NotAWorkbook = 432,    // the file is not a workbook this layer can read
};
}

// Outcome of a workbook operation: 0 or one of the numbers above, and a short note for logs
// and tests (never shown to the user).
struct WorkbookStatus {
    int error = WorkbookError::None;
    QString detail;
    // TooLarge: what was found and the limit, in bytes of the sheet or in cells (detail says which).
    qint64 found = 0;
    qint64 limit = 0;

    bool ok() const { return error == WorkbookError::None; }
    explicit operator bool() const { return ok(); }
    static WorkbookStatus success() { return {}; }
    static WorkbookStatus failure(int error, const QString& detail) { return {error, detail}; }
};
