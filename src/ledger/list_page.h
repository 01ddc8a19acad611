#pragma once
// The contents of a page of the ledger list, computed from the records so that the screen only
// draws: the caption row, the two rows of each item and the rows left blank. Each item takes
// rows R (text, stock and received quantities) and R + 1 (issued quantities), R = 1, 3, … 23.
#include <QString>
#include <array>
#include <functional>
#include <vector>

struct AppState;
struct LedgerViewState;
class ItemRecord;

inline constexpr int ListColumns = 29;
inline constexpr int ListRows = 25;           // row 0 holds the captions
inline constexpr int LastListRow = 24;
inline constexpr int FirstMonthColumn = 14;   // columns 14..25 are the months of the ledger year
inline constexpr int StockColumn = 11;
inline constexpr int StartOfUseColumn = 28;

using ListRow = std::array<QString, ListColumns>;

struct ListOptions {
    bool decimals = false;    // shared settings line 21
    bool startOfUse = false;  // shared settings line 11
};
ListOptions ListOptionsOf(const AppState& state);

// Row 0: ColumnCaptions 1..14, the month headings, "予定数量", "達成率(%)" and, with the
// start-of-use option, "使用開始年".
ListRow ListCaptionRow(const AppState& state, bool startOfUse);

struct ListItemRows {
    ListRow received;
    ListRow issued;
    quint32 stockColour = 0;  // Windows colour value of column 11 of the received row
};
ListItemRows ItemRowsOf(const ItemRecord& record, int shownRecordNo, const ListOptions& options);

struct ListPage {
    struct Item {
        int row = 1;  // the received row; the issued row is row + 1
        ListItemRows rows;
    };
    std::vector<Item> items;
    std::vector<int> blankRows;   // rows to empty, in order
    int recordsRead = 0;
};

// Reads record n into state.CurrentRecord. The list reads through it, so that a test can
// watch which records a page reads.
using RecordReader = std::function<bool(int recordNo)>;
RecordReader LedgerRecordReader(AppState& state);

// A page of the whole ledger from view.page.DisplayCursor: opens the ledger (the count is
// taken afresh), reads up to twelve items and one more when more follow, so that the cursor
// ends one past the last item shown. Positions past the count become blank rows.
ListPage ReadFullListPage(AppState& state, LedgerViewState& view, const RecordReader& read);
// A page of the HitList: the same, reading the record of each position, and never more than
// twelve. A record that cannot be read ends the page; the rows after it are blank.
ListPage ReadHitListPage(AppState& state, LedgerViewState& view, const RecordReader& read);
