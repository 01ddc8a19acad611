#pragma once
// The item ledger "Ma在庫品.dat" and the rewrite file "Ma在庫品仮.dat": fixed 926-byte records,
// record n at byte (n - 1) × 926, the count always derived from the file length.
#include "storage/io_result.h"

#include <QString>
#include <functional>

struct AppState;
class ItemRecord;

QString LedgerPath(const AppState& state);
QString RewritePath(const AppState& state);

// Record count of a file of `length` bytes: length ÷ 926 rounded to the nearest whole number.
qint64 RecordCountForLength(qint64 length);

// Opens (creating when missing) the ledger, derives RecordCount and applies the capacity check:
// 50009 records or more show the capacity message and count as 50009. Writes CR LF into the end
// of CurrentRecord. On failure nothing is shown and RecordCount keeps its value.
bool OpenLedger(AppState& state);
void CloseLedger(AppState& state);
// Record n (1..RecordCount) into CurrentRecord.
bool ReadRecord(AppState& state, int n);
// CurrentRecord as record n (1..RecordCount + 1, at most 50009); RecordCount + 1 appends.
IoResult WriteRecord(AppState& state, int n);

// Reads records from..to of the open ledger in large blocks and hands each to `visit`.
// Returns false when a read failed; the records visited so far stay visited.
bool ScanLedger(AppState& state, int from, int to,
                const std::function<void(int n, const ItemRecord& record)>& visit);

// The rewrite file: OpenRewriteFile sets CurrentRecordNo to its record count.
bool OpenRewriteFile(AppState& state);
void CloseRewriteFile(AppState& state);
void DeleteRewriteFile(AppState& state);
bool ReadRewriteRecord(AppState& state, int n);
IoResult WriteRewriteRecord(AppState& state, int n);

// The capacity message, shown when the ledger holds 50009 records or more.
QString CapacityMessage();

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
