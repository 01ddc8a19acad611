#pragma once
// Appending new items so that clients sharing a data folder never overwrite each other: under an
// exclusive lock beside the ledger the count is derived again and the records go to the true end.
#include "storage/io_result.h"

#include <functional>

struct AppState;
class ItemRecord;

struct AppendResult {
    enum class Status { Stored, LedgerFull, Busy, Failed }; // Busy: another client holds the lock
    Status status = Status::Failed;
    int firstRecordNo = 0; // the record number the first appended item received
    IoResult io;           // details when Failed
    bool stored() const { return status == Status::Stored; }
};

// Appends `count` records, all or none: `fill` receives the record number each one will get and
// fills the record. A ledger that cannot take them all is refused (LedgerFull) and nothing is
// written. Updates RecordCount.
AppendResult AppendRecords(AppState& state, int count,
                           const std::function<void(int recordNo, ItemRecord& record)>& fill);

// Stores CurrentRecord as a new item at the end of the ledger and sets CurrentRecordNo to the
// record number it received. A full ledger shows the capacity message and writes nothing.
AppendResult StoreNewItem(AppState& state);
