#pragma once
// Appending new items so that clients sharing a data folder never overwrite each other: under an
// exclusive lock beside the ledger the count is derived again and the records go to the true end.
#include "storage/io_result.h"

#include <functional>

struct AppState;
class ChangeLog;
class ItemRecord;

struct AppendResult {
    enum class Status { Stored, LedgerFull, Busy, Failed }; // Busy: another client holds the lock
    Status status = Status::Failed;
    int firstRecordNo = 0; // the record number the first appended item received
    IoResult io;           // details when Failed (EBADMSG: the ledger is damaged; nothing was written)
    bool partLeft = false; // Failed part-way and the part written could not be taken back
    IoResult logWritten;   // the change log's line(s); a failure has been reported already
    bool stored() const { return status == Status::Stored; }
};

// Appends `count` records, all or none (a write that fails part-way is cut back, so the ledger is
// byte for byte what it was): `fill` receives the record number each one will get and
// fills the record. A ledger that cannot take them all is refused (LedgerFull) and nothing is
// written. Updates RecordCount.
// The change log gets, still under the lock, one line per record with its fields in `log`, or
// without a log one line that counts the appended records.
AppendResult AppendRecords(AppState& state, int count,
                           const std::function<void(int recordNo, ItemRecord& record)>& fill,
                           ChangeLog* log = nullptr);

// What a failed write of items says (lines joined by CR): the damage of the ledger, or the reason
// of the failing call, the file and that nothing was stored; after a part that could not be taken
// back, also the pointer to the repair.
QString LedgerWriteFailureMessage(const IoResult& io, bool partLeft = false);

// Stores CurrentRecord as a new item at the end of the ledger and sets CurrentRecordNo to the
// record number it received. A full ledger shows the capacity message and writes nothing.
// The change log's line goes to `log` (by default a plain "追加" line with the item's fields).
AppendResult StoreNewItem(AppState& state, ChangeLog* log = nullptr);
