#pragma once
// The working state of the ledger screen that its panels share: the page shown, the filter
// result, the record numbers of the shown items and the edit frame's mode and entry target.
// It lives as long as the screen; nothing outside the ledger screen reads it.
#include "ledger/ledger_paging.h"
#include "storage/app_state.h"

#include <QList>
#include <vector>

struct LedgerViewState {
    PageState page = OpeningPage();

    // The filter result: the record number at each position 1..hit count, position p at index
    // p - 1, in ledger order. Empty when there is no result.
    QList<int> HitList;
    int hitCount() const { return int(HitList.size()); }
    // While set, the list shows the HitList and a list click fills a filter condition.
    bool filterMode = false;
    int FilterConditionCount = 0;

    // The record number shown for each list position (0..LedgerCapacity), read back as the
    // first cell of the item's row.
    std::vector<int> ShownRecordNo = std::vector<int>(AppState::LedgerCapacity + 1, 0);

    // The edit frame: mode 0 new, 1 correct, 2 copy; where the next entry goes (14: nothing
    // selected); the vocabulary list shown (1: none yet).
    int LedgerMode = 0;
    int EntryTarget = 14;
    int VocabularyListNumber = 1;
};
