#pragma once
// "登　録" of the sort and delete panels: the complete new ledger is written to a temporary
// file beside "Ma在庫品.dat", synced, and then takes its place in one rename, so that a crash or
// a failure at any moment leaves either the old ledger or the new one, whole. Records that other
// clients appended after the panel read the ledger are kept at the end.
#include "storage/change_log.h"
#include "storage/io_result.h"

#include <QList>
#include <functional>
#include <vector>

struct AppState;
class ItemRecord;

enum class CommitStage {
    Started,  // the temporary file is open, nothing written yet
    Writing,  // `done` of `total` records written to the temporary file
    Written,  // everything written; the replacement comes next
    Replaced, // the new ledger is in place; the rewrite file and the item numbers come next
};
// Returning false before the replacement cancels the commit: the ledger stays as it was.
using CommitProgress = std::function<bool(CommitStage stage, int done, int total)>;

struct CommitResult {
    IoResult io;
    int recordCount = 0; // the ledger's records afterwards
    IoResult logWritten; // the change log's lines; a failure has been reported already
    bool ok() const { return io.ok; }
};

// Every commit appends its lines to the change log before it lets the ledger lock go.

// The ledger becomes records `recordNos` of the ledger, in that order (the delete panel).
// `snapshotCount` is the ledger's count when the list was read; a ledger that has since become
// shorter (another client committed) is refused and left as it is. The log gets the counts and
// a line for each record that goes.
CommitResult CommitKeptRecords(AppState& state, const QList<int>& recordNos, int snapshotCount,
                               const CommitProgress& progress = {});

// The ledger becomes the named records of the rewrite file, in its order (the sort panel). The
// log gets one line with the count.
CommitResult CommitRewriteFile(AppState& state, int snapshotCount, const CommitProgress& progress = {});

// A change of many records committed at once (the imports): under the ledger lock the whole
// ledger is read into `records`, `edit` changes, adds or keeps them, and the result replaces the
// ledger as above. `edit` returning false cancels: nothing is written. More records than the
// capacity are refused.
using LedgerEdit = std::function<bool(std::vector<ItemRecord>& records)>;
// How the change log records an edit: its operation, and either a line per changed, added or
// removed record (with the changed fields) after the line of counts, or the counts alone.
struct LedgerEditLog {
    QString operation = ChangeOperation::LedgerEdit;
    bool perRecord = true;
};
CommitResult CommitLedgerEdit(AppState& state, const LedgerEdit& edit, const CommitProgress& progress = {},
                              const LedgerEditLog& log = {});

// How many records the ledger will hold after CommitRewriteFile, for the confirmation.
int CountAfterRewriteCommit(AppState& state, int snapshotCount);
// The same for CommitKeptRecords.
int CountAfterKeptCommit(AppState& state, int keptCount, int snapshotCount);

// The message a failed commit shows (title "異常確認").
QString CommitFailureMessage(const IoResult& io);
