#pragma once
// "Sort開始": the order the sort panel shows before "登　録". It is read from the ledger and kept
// in this client's memory only; "登　録" sorts the ledger as it is at that moment (CommitSort), so
// that nothing another client stored in between is undone.
#include "ledger/item_summary.h"
#include "storage/io_result.h"

struct AppState;

struct SortPreview {
    IoResult io;
    int ledgerCount = 0;   // N: the ledger's records when the sort read it
    ItemSummaryTable rows; // the K named records in sorted order, each with its record number
};

SortPreview PreviewSortedLedger(AppState& state);
