#pragma once
// The formula cells of the first worksheet of a legacy Excel 97 workbook, with the result the
// spreadsheet program stored for each. Reads the compound file and the BIFF records directly;
// every offset is checked, so a damaged file yields fewer cells, never a crash.
#include <QByteArray>
#include <QString>
#include <vector>

struct BiffFormula {
    enum Result { Number, Text, Bool, Error, Empty, Unknown };
    int row = 0;    // 0-based
    int column = 0; // 0-based
    Result result = Unknown;
    double number = 0;
    QString text;
};

std::vector<BiffFormula> FindFirstSheetFormulas(const QByteArray& file);

// The stream named "Workbook" (or "Book") of a compound file; empty when there is none.
QByteArray ReadWorkbookStream(const QByteArray& file);

// True when the compound file's header, directory and workbook stream agree with the file:
// the byte order mark, sector counts and places inside the file, directory names within their
// field, and the whole declared workbook stream, opening with a BOF record. A file that fails
// is damaged; it is refused before any other reader sees it.
bool IsSoundCompoundFile(const QByteArray& file);
