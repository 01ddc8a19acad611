#pragma once
// The start of a new ledger year: the stock of every item is carried into its previous-year
// stock, the monthly quantities, totals and rates of both rows are emptied (planned quantities
// stay), stock and stock value are recomputed, and the first month of the ledger year moves on.
// A dated copy of the ledger is kept in "M在庫台帳" before anything changes.
#include "ledger/ledger_commit.h"
#include "storage/io_result.h"

#include <QDateTime>
#include <QString>

struct AppState;
class ItemRecord;

enum class RolloverOutcome {
    Done,
    BackupFailed,   // the copy could not be written; nothing has changed
    CommitFailed,   // the ledger could not be replaced; it is as it was, the copy stays
    SettingsFailed, // the ledger is rolled over but the start month could not be written
};

struct RolloverResult {
    RolloverOutcome outcome = RolloverOutcome::Done;
    IoResult io;          // the failure
    QString backupPath;   // the copy of the ledger; empty when there was no ledger to copy
    int itemCount = 0;    // items carried into the new year
    bool ok() const { return outcome == RolloverOutcome::Done; }
};

// "Ma在庫品_yyyyMMdd_hhmmss.dat".
QString LedgerCopyName(const QDateTime& when);

// True for a record that holds an item (an item number or a name).
bool HoldsItem(const ItemRecord& record);

// One item into the new year: previous-year stock = stock; qty[1|2][1..13] and [15] emptied,
// [14] kept; stock = previous-year stock; stock value = unit price × stock.
void CarryIntoNewYear(ItemRecord& record);

// Copies the ledger into DataFolder + "M在庫台帳/" (under the ledger lock, written atomically;
// a failure stops before any change), carries every item into the new year in one crash-safe
// commit, then sets SharedSettings line 9 to `newStartMonth` and writes the shared settings.
RolloverResult RollOverLedgerYear(AppState& state, const QString& newStartMonth, const QDateTime& now,
                                  const CommitProgress& progress = {});
