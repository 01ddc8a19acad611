#pragma once
// The two scans of the filter: "絞込開始" reads the whole ledger once and collects the record
// numbers of the matching items; "再絞込" tests only the records of the current HitList and
// compacts it in place, keeping the order.
#include "ledger/filter_conditions.h"

#include <QList>

struct AppState;

struct FilterScanResult {
    bool ok = true;       // false when the ledger could not be opened or read to its end
    QList<int> hits;      // record numbers in ledger order
};

// Opens the ledger (the count is taken afresh) and tests records 1..RecordCount.
FilterScanResult ScanForHits(AppState& state, const FilterConditions& conditions);

// Tests the records of `hitList` (0 entries are skipped) and keeps the matching ones at the
// front, in order; returns the new hit count. A record that cannot be read does not match.
int RefilterHits(AppState& state, QList<int>& hitList, const FilterConditions& conditions);
