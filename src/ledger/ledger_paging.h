#pragma once
// Paging of the ledger list: which page "次 項" and "前 項" go to, for the whole ledger and for a
// filter result, and which item "次　項" of the edit frame loads. Pure functions of the page
// state and the count.
#include <functional>
#include <QString>

inline constexpr int ItemsPerPage = 12;

struct PageState {
    int PageNumber = 0;      // the number in the page label; 0 while the opening page is shown
    int DisplayCursor = 0;   // the position just before the first item of the page
    bool InitialPageFlag = true;

    friend bool operator==(const PageState&, const PageState&) = default;
};

// The state of a newly opened screen: page 1 is shown while PageNumber is 0.
PageState OpeningPage();
// Page 1 shown after a change of mode (leaving the filter, the sort or the deletion).
PageState FirstPage();

// "次 項" with the whole ledger. Past the last page it wraps to page 1; when the count is a
// multiple of 12 the last page is an empty one. The first "次 項" after opening goes to page 2.
PageState NextPage(const PageState& page, int recordCount);
// "前 項" with the whole ledger; before page 1 it wraps to the last page, except for a ledger of
// 12 items or fewer, which stays on page 1. It ends the opening state as "次 項" does, so that
// a later "次 項" counts from the page really shown.
PageState PreviousPage(const PageState& page, int recordCount);

// "次　項" and "前項" with a filter result: the same rules with the hit count, without the opening case.
PageState NextHitPage(const PageState& page, int hitCount);
PageState PreviousHitPage(const PageState& page, int hitCount);

// The page label: " P " followed by the page number.
QString PageLabelText(int pageNumber);

// The list row of the item that row `row` belongs to: an issued row (2, 4, … 24) belongs to the
// item in the row above it; the caption row and item rows are themselves.
int ItemRowOfListRow(int row);

// "次　項" of the edit frame: the list row to make current and the record to load (0 for none).
struct NextItemStep {
    int currentRow = 1;
    int recordNo = 0;
};
// From current list row `row`: two rows down (the next item), or back to row 1 from the last
// item row. A row without a record (empty, an issued row, past the count) loads nothing and
// leaves row 23 current, so that the next press starts again at row 1.
NextItemStep NextItemOfPage(int row, const std::function<QString(int row)>& recordNoText, int recordCount);
