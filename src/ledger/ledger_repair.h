#pragma once
// The repair of a damaged ledger: under the ledger lock the damaged file is first copied, byte for
// byte, into the output folder "M在庫台帳" under a dated name; then the sound records are written
// back as the new ledger, in their order, and every record that is left out is named. A cut-off
// tail (less than a whole record) is left out too. A sound ledger is not touched.
#include "storage/io_result.h"

#include <QDateTime>
#include <QList>
#include <QString>

struct AppState;

struct RepairResult {
    IoResult io;             // a failure leaves the ledger as it was
    bool wasDamaged = false; // false: the ledger was sound and nothing was written
    QString copyPath;        // the dated copy of the damaged file
    int recordsBefore = 0;   // whole records of the damaged file
    int recordsKept = 0;
    qint64 tailBytes = 0;    // bytes after the last whole record, left out
    struct LeftOut {
        int recordNo = 0;
        QString reason;      // what was wrong with it, naming the item number where readable
    };
    QList<LeftOut> leftOut;
};

RepairResult RepairLedger(AppState& state, const QDateTime& now);

// The report of a repair for the screens and tev-cli (lines joined by CR): the copy, the counts and
// each record left out; or why nothing was done.
QString RepairReport(const RepairResult& result);

// The name of the dated copy: "Ma在庫品_破損_yyyyMMdd_hhmmss.dat".
QString DamagedLedgerCopyName(const QDateTime& when);
