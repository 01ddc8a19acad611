#pragma once
// Replacing the whole ledger: "登　録" of the sort and delete panels, the imports and the year
// rollover. Every commit works on the ledger as it is on disk at that moment: it takes the ledger
// lock, reads the whole file (the records past the capacity too), refuses a damaged or linked
// file, computes the new ledger from it and writes it to a temporary file beside "Ma在庫品.dat",
// synced, that takes the ledger's place in one rename. A crash or a failure at any moment leaves
// either the old ledger or the new one, whole, and nothing another client stored before the
// commit took the lock is lost.
#include "storage/change_log.h"
#include "storage/io_result.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <vector>

struct AppState;
class ItemRecord;

enum class CommitStage {
    Started,  // the temporary file is open, nothing written yet
    Writing,  // `done` of `total` records written to the temporary file
    Written,  // everything written; the replacement comes next
    Replaced, // the new ledger is in place; the item numbers come next
};
// Returning false before the replacement cancels the commit: the ledger stays as it was.
using CommitProgress = std::function<bool(CommitStage stage, int done, int total)>;

struct CommitResult {
    IoResult io;
    int recordCount = 0; // the ledger's records afterwards
    IoResult logWritten; // the change log's lines; a failure has been reported already
    IoResult finished;   // LedgerEditLog::whileLocked, when it ran
    bool ok() const { return io.ok; }
};

// An item as a list showed it: its record number then and a digest of its 926 bytes then. A
// deletion removes it only where the ledger still holds exactly that record at that number.
struct ListedRecord {
    int recordNo = 0;
    quint64 digest = 0;
    QString number; // the item number the list showed, to name the item in a refusal
    bool operator==(const ListedRecord&) const = default;
};
quint64 RecordDigest(const char* record);

// The deletion: the listed records leave the ledger; every other record stays, in its order,
// including those other clients appended or changed since the list was read. A listed record
// that is no longer at its number as it was (changed, moved by a sort, removed) refuses the whole
// deletion (ESTALE, the detail names them). The log gets the counts and a line per removed record.
CommitResult CommitDeletion(AppState& state, const QList<ListedRecord>& removed, const CommitProgress& progress = {});

// The sort: the ledger as it is now, without the listed records (removed on the sort panel, by
// identity as above) and without the records that have no name, ordered by name and item number.
// The log gets the count and a line per removed record.
CommitResult CommitSort(AppState& state, const QList<ListedRecord>& removed, const CommitProgress& progress = {});

// A change of many records committed at once (the imports, the rollover): under the ledger lock
// the whole ledger is read into `records`, `edit` changes, adds or keeps them, and the result
// replaces the ledger as above. `edit` returning false cancels: nothing is written. A result of
// more records than the capacity is refused (EFBIG), nothing is dropped.
using LedgerEdit = std::function<bool(std::vector<ItemRecord>& records)>;
// How the change log records an edit: its operation, and either a line per changed, added or
// removed record (with the changed fields) after the line of counts, or the counts alone.
struct LedgerEditLog {
    QString operation = ChangeOperation::LedgerEdit;
    bool perRecord = true;
    QStringList facts; // more facts for the line of counts
    // Runs after the new ledger and its log lines are written, before the lock is released: the
    // rest of an operation that no other writer may come between (the rollover's start month).
    std::function<IoResult()> whileLocked;
};
CommitResult CommitLedgerEdit(AppState& state, const LedgerEdit& edit, const CommitProgress& progress = {},
                              const LedgerEditLog& log = {});
// The same for an edit that replaces the first records with `front` and keeps the later records
// of the ledger as it is under the lock; the old first records are never copied beside the new.
// `adjust`, when given, may change `front` from that ledger first.
struct LedgerImage;
using LedgerFrontAdjustment = std::function<void(const LedgerImage& current, std::vector<ItemRecord>& front)>;
CommitResult CommitLedgerFront(AppState& state, std::vector<ItemRecord> front, const CommitProgress& progress = {},
                               const LedgerEditLog& log = {}, const LedgerFrontAdjustment& adjust = {});

// How many records the ledger would hold after CommitDeletion / CommitSort, for the question that
// comes before (the ledger as it is now).
int CountAfterDeletion(AppState& state, int removedCount);
int CountAfterSort(AppState& state, int removedCount);

// The message a failed commit shows (title "異常確認").
QString CommitFailureMessage(const IoResult& io);
