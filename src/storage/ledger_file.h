#pragma once
// The item ledger "Ma在庫品.dat": fixed 926-byte records, record n at byte (n - 1) × 926, the
// count always derived from the file length. The ledger is opened without following a symbolic
// link: a link in its place is refused, never used.
#include "storage/io_result.h"

#include <QString>
#include <functional>

struct AppState;
class ItemRecord;

QString LedgerPath(const AppState& state);

// Record count of a file of `length` bytes: length ÷ 926 rounded to the nearest whole number.
qint64 RecordCountForLength(qint64 length);

// Opens (creating when missing) the ledger and derives RecordCount; 50009 records or more count
// as 50009 (the rest is ignored by every reader) and set CurrentRecordNo to 50009. Writes CR LF
// into the end of CurrentRecord. Shows nothing: a failure (a link, a folder, no permission, a
// missing data folder) comes back with its errno and RecordCount keeps its value; the capacity is
// told by the screens once per opening (CapacityNotice).
IoResult OpenLedger(AppState& state);
void CloseLedger(AppState& state);
// Record n (1..RecordCount) into CurrentRecord.
bool ReadRecord(AppState& state, int n);
// CurrentRecord as record n (1..RecordCount + 1, at most 50009); RecordCount + 1 appends.
IoResult WriteRecord(AppState& state, int n);

// Reads records from..to of the open ledger in large blocks and hands each to `visit`.
// Returns false when a read failed; the records visited so far stay visited.
bool ScanLedger(AppState& state, int from, int to,
                const std::function<void(int n, const ItemRecord& record)>& visit);

// The capacity message, shown when the ledger holds 50009 records or more.
QString CapacityMessage();
// What the screens tell once when they open a ledger that has reached its capacity: the capacity
// message, and for a ledger past it how many of its records are used. Empty below the capacity
// or when the ledger cannot be read.
QString CapacityNotice(const AppState& state);

// The message for a ledger that cannot be opened (title "異常確認"): what is wrong and where.
QString LedgerOpenFailureMessage(const IoResult& io);

// Closes the ledger when it goes out of scope.
class LedgerCloser {
public:
    explicit LedgerCloser(AppState& state) : m_state(state) {}
    ~LedgerCloser() { CloseLedger(m_state); }
    LedgerCloser(const LedgerCloser&) = delete;
    LedgerCloser& operator=(const LedgerCloser&) = delete;

private:
    AppState& m_state;
};
