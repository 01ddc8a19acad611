#pragma once
// The ItemSummaryTable behind the sort/delete list: one row per ledger record (在庫品No, 品名,
// 仕様, メーカー名, the record number and a digest of the record as it was read), and the
// removal of a row from the list, which lives in memory until "登　録".
#include "ledger/ledger_commit.h"
#include "storage/io_result.h"

#include <QList>
#include <QString>
#include <optional>
#include <vector>

struct AppState;

struct ItemSummaryRow {
    QString number;
    QString name;
    QString specification;
    QString maker;
    int recordNo = 0; // 0 for a row emptied by a removal
    quint64 digest = 0;
    bool isBlank() const { return recordNo == 0; }
    // The record as the list shows it, for a deletion by identity.
    ListedRecord listed() const { return {recordNo, digest, number}; }
    bool operator==(const ItemSummaryRow&) const = default;
};
// Position p (1..N) at index p - 1.
using ItemSummaryTable = std::vector<ItemSummaryRow>;

// Opens the ledger (the count is taken afresh) and reads records 1..RecordCount, each with its
// record number and digest. `io` gets the failure of an unreadable ledger, `ledgerCount` the count.
ItemSummaryTable ReadItemSummary(AppState& state, IoResult* io = nullptr, int* ledgerCount = nullptr);

// "行削除": rows after `row` (1-based) move up one, the last row becomes blank; the removed row
// is returned. A row that holds no record removes nothing.
std::optional<ItemSummaryRow> RemoveSummaryRow(ItemSummaryTable& table, int row);
