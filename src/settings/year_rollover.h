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
    Stopped,        // all clients are stopped: refused, nothing has changed
    AlreadyDone,    // the file's start month is already the new one (another PC rolled over)
    MonthChanged,   // the file's start month is no longer the one the user saw
    NotNextYear,    // the new month is not twelve months after the file's
    BackupFailed,   // the copy (or the rollover's mark) could not be written; nothing has changed
    CommitFailed,   // the ledger could not be replaced; it is as it was, the copy stays
    SettingsFailed, // the ledger is rolled over but the start month could not be written yet; the
                    // mark stays, and the next client to take the ledger lock completes it
};

struct RolloverResult {
    RolloverOutcome outcome = RolloverOutcome::Done;
    IoResult io;          // the failure
    QString backupPath;   // the copy of the ledger; empty when there was no ledger to copy
    int itemCount = 0;    // items carried into the new year
    int recordCount = 0;  // records of the ledger afterwards
    QString fileMonth;    // the start month the file held when the rollover was refused
    bool ok() const { return outcome == RolloverOutcome::Done; }
};

// "Ma在庫品_yyyyMMdd_hhmmss.dat".
QString LedgerCopyName(const QDateTime& when);

// True for a record that holds an item (an item number or a name).
bool HoldsItem(const ItemRecord& record);

// One item into the new year: previous-year stock = stock; qty[1|2][1..13] and [15] emptied,
// [14] kept; stock = previous-year stock; stock value = unit price × stock.
void CarryIntoNewYear(ItemRecord& record);

// The year rollover from `fromMonth` (the start month the user saw) to `toMonth`, as one step
// under the ledger lock: the shared settings are read as they are now, and the rollover is refused
// while all clients are stopped or when the file's start month is not `fromMonth` or `toMonth` is
// not twelve months after it. Then the ledger is copied into DataFolder + "M在庫台帳/" (written
// atomically; a failure stops before any change), the rollover's mark is written, every item is
// carried into the new year in one crash-safe commit with its change log line, line 9 of the shared
// settings becomes `toMonth` (that line only) and the mark goes. A crash at any moment leaves the
// old year or the new one, whole, once the next client has taken the ledger lock.
RolloverResult RollOverLedgerYear(AppState& state, const QString& fromMonth, const QString& toMonth,
                                  const QDateTime& now, const CommitProgress& progress = {});
