#pragma once
// The ItemSummaryTable behind the sort/delete list: one row per record of the ledger or of the
// rewrite file (item number, name, specification, maker and the record number), and the
// removal of a row from the deletion list, which lives in memory until "登　録".
#include <QList>
#include <QString>
#include <vector>

struct AppState;

struct ItemSummaryRow {
    QString number;
    QString name;
    QString specification;
    QString maker;
    int recordNo = 0; // 0 for a row emptied by a removal
    bool isBlank() const { return recordNo == 0; }
    bool operator==(const ItemSummaryRow&) const = default;
};
// Position p (1..N) at index p - 1.
using ItemSummaryTable = std::vector<ItemSummaryRow>;

enum class SummarySource { Ledger, RewriteFile };

// Ledger: opens it (the count is taken afresh) and reads records 1..RecordCount, the record
// number in the last column. Rewrite file: its records, the position in the last column.
// `ok` is false when the file could not be read to its end.
ItemSummaryTable ReadItemSummary(AppState& state, SummarySource source, bool* ok = nullptr);

// "行削除" of the delete panel: rows after `row` (1-based) move up one, the last row becomes
// blank. A row that holds no record removes nothing and returns false.
bool RemoveSummaryRow(ItemSummaryTable& table, int row);

// The record numbers of positions 1..workingCount, in order: what the ledger keeps.
QList<int> KeptRecordNumbers(const ItemSummaryTable& table, int workingCount);
