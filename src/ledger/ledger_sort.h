#pragma once
// "Sort開始" and the "行削除" of the sort panel: the ledger's named records, ordered by their
// sort keys, become the rewrite file "Ma在庫品仮.dat"; the ledger itself is not touched until
// the commit.
#include "storage/io_result.h"

struct AppState;

struct SortResult {
    IoResult io;
    int ledgerCount = 0; // N: the ledger's records when the sort read it
    int sortedCount = 0; // K: the records of the sorted copy (items without a name are dropped)
};

// Reads the ledger once, orders the named records and writes them, whole and in order, as the
// new rewrite file (a left-over rewrite file is replaced). An empty ledger sorts nothing and
// writes no file. Leaves CurrentRecordNo at K, as opening the rewrite file does.
SortResult SortLedgerIntoRewriteFile(AppState& state);

// Removes record `row` of the rewrite file: the records after it move up one and the last
// record keeps only its item number, so that it has no name and the commit drops it.
IoResult RemoveRewriteRecord(AppState& state, int row);
