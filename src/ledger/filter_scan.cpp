#include "ledger/filter_scan.h"

#include "storage/app_state.h"
#include "storage/item_record.h"
#include "storage/ledger_file.h"

FilterScanResult ScanForHits(AppState& state, const FilterConditions& conditions)
{
    FilterScanResult result;
    LedgerCloser closer(state);
    if (!OpenLedger(state)) {
        result.ok = false;
        return result;
    }
    result.ok = ScanLedger(state, 1, state.RecordCount, [&](int n, const ItemRecord& record) {
        if (MatchesFilter(record, conditions))
            result.hits.append(n);
    });
    return result;
}

int RefilterHits(AppState& state, QList<int>& hitList, const FilterConditions& conditions)
{
    LedgerCloser closer(state);
    OpenLedger(state);
    int kept = 0;
    for (qsizetype p = 0; p < hitList.size(); ++p) {
        const int recordNo = hitList[p];
        if (recordNo == 0 || !ReadRecord(state, recordNo))
            continue;
        if (MatchesFilter(state.CurrentRecord, conditions))
            hitList[kept++] = recordNo;
    }
    hitList.resize(kept);
    return kept;
}
