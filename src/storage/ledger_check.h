#pragma once
// Consistency checks of a data folder's files, read byte for byte without changing them: the
// ledger's length, record ends and cp932 fields, and the 50-line settings files. Each problem
// becomes one line of text; long listings are cut after a limit and end with a count.
#include "storage/ledger_damage.h"

#include <QList>
#include <QString>
#include <QStringList>

struct AppState;

struct LedgerCheck {
    bool exists = false;
    QString readError;          // non-empty when the file could not be read to its end
    qint64 length = 0;
    qint64 wholeRecords = 0;    // complete 926-byte records
    qint64 tailBytes = 0;       // bytes after the last complete record
    // Records whose last two bytes are not CR LF: the total and the first `limit` record numbers.
    int badEndCount = 0;
    QList<int> badEnds;
    // Fields that do not decode as cp932, or hide text behind a NUL: the total and the first
    // `limit` of them.
    struct BadField {
        int recordNo = 0;
        RecordField field;
        RecordDamage::Kind kind = RecordDamage::Kind::NotCp932;
    };
    int badFieldCount = 0;
    QList<BadField> badFields;

    int limit = 20;             // how many entries the listings above keep

    bool ok() const { return problems().isEmpty(); }
    // One line per problem; a listing cut at `limit` ends with a line that counts the rest.
    QStringList problems() const;
};

// Reads the ledger file at `path` in large blocks. A missing file is not a problem: the program
// creates it empty when it first opens the ledger.
LedgerCheck CheckLedgerFile(const QString& path, int limit = 20);

// Problems of a settings file: missing, unreadable, not 50 lines, a line that is not one
// double-quoted value, not cp932, or not ended by CR LF. Each line starts with `label`.
QStringList CheckSettingsFile(const QString& path, const QString& label, int limit = 20);

// The data folder, its ledger and both settings files as the current state locates them.
QStringList CheckDataFiles(const AppState& state, int limit = 20);
