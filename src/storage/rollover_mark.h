#pragma once
// A year rollover changes two files, the ledger and the start month in the shared settings, and
// writes a change log line; a crash in between must not leave a rolled-over ledger counted from the
// old month (the next start would roll it over again). So the rollover leaves a mark beside the
// ledger, "Ma在庫品年度更新中.dat", before the ledger is replaced, and removes it once the start
// month is written. Every client that takes the ledger lock settles a mark it finds before it
// writes anything: the ledger is then exactly the rolled-over one (the commit happened: the start
// month and the log line are completed) or not (nothing happened: the mark goes). No other client
// can write in between, since every writer takes the lock first.
#include "storage/io_result.h"

#include <QByteArray>
#include <QString>
#include <optional>

struct AppState;

struct RolloverMark {
    QString from;       // the start month before, "yyyy/mm"
    QString to;         // the start month after
    QString copyName;   // the dated copy of the old ledger in "M在庫台帳"
    QByteArray digest;  // LedgerDigest of the rolled-over ledger
    int itemCount = 0;  // items carried into the new year
    QString when;       // "yyyy/MM/dd hh:mm:ss"
    QString pcName;
};

// SHA-256 (hex) of a ledger's bytes.
QByteArray LedgerDigest(const QByteArray& bytes);

// The mark of the data folder, if there is one. A mark that cannot be read gives a failure in
// `problem` (and nothing).
std::optional<RolloverMark> ReadRolloverMark(const QString& dataFolder, IoResult* problem = nullptr);
IoResult WriteRolloverMark(const QString& dataFolder, const RolloverMark& mark);
IoResult RemoveRolloverMark(const QString& dataFolder);

// The facts of the rollover's change log line after its count: "2026/04 → 2027/04", "控え: name".
QStringList RolloverLogFacts(const RolloverMark& mark);

struct RolloverSettlement {
    enum class Kind { None, Finished, Undone };
    Kind kind = Kind::None;
    RolloverMark mark;
    IoResult io; // a mark that could not be settled: nothing may be written until it is
};

// Called with the ledger lock held: settles a mark left by a rollover that did not end.
RolloverSettlement SettleHalfDoneRollover(AppState& state);

// What the user is told about a settled rollover, or about a mark that could not be settled
// (lines joined by CR); empty when there was nothing to settle.
QString RolloverSettlementMessage(const RolloverSettlement& settlement);
