#include "ledger/ledger_paging.h"
#include "ledger/ledger_view_state.h"
#include "ledger/list_page.h"
#include "ledger/panel_positions.h"
#include "support/temp_client_support.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// What one page shows: the page label's number, the record of its first item and how many
// items it holds.
struct Shown {
    int page;
    int firstRecord;
    int items;
    friend bool operator==(const Shown&, const Shown&) = default;
};

void PrintTo(const Shown& s, std::ostream* os)
{
    *os << "{P" << s.page << " first " << s.firstRecord << " items " << s.items << "}";
}

// Opens the list and then presses 'N' (next) and 'P' (previous) as the screen does; in filter
// mode the hit list holds every second record (2, 4, …) and the filter starts at page 1.
std::vector<Shown> walk(int records, const std::string& presses, bool filter)
{
    TempClient client;
    WriteTestLedger(client.ledgerPath(), filter ? records * 2 : records);
    LedgerViewState view;
    if (filter) {
        for (int k = 1; k <= records; ++k)
            view.HitList.append(2 * k);
        view.page = FirstPage();
    }
    int maxReads = 0;
    const auto show = [&](int label) {
        const ListPage page = filter ? ReadHitListPage(client.state, view, LedgerRecordReader(client.state))
                                     : ReadFullListPage(client.state, view, LedgerRecordReader(client.state));
        maxReads = std::max(maxReads, page.recordsRead);
        EXPECT_EQ(int(page.items.size()) * 2 + int(page.blankRows.size()), 24) << "every row is written or blanked";
        const int first = page.items.empty() ? 0 : page.items.front().rows.received[0].toInt();
        return Shown{label, first, int(page.items.size())};
    };
    std::vector<Shown> shown{show(1)};
    for (const char press : presses) {
        const int count = filter ? view.hitCount() : client.state.RecordCount;
        if (filter)
            view.page = press == 'N' ? NextHitPage(view.page, count) : PreviousHitPage(view.page, count);
        else
            view.page = press == 'N' ? NextPage(view.page, count) : PreviousPage(view.page, count);
        shown.push_back(show(view.page.PageNumber));
    }
    EXPECT_LE(maxReads, filter ? 12 : 13);
    return shown;
}

struct WalkCase {
    const char* name;
    int records;
    bool filter;
    std::string presses;
    std::vector<Shown> expected;  // the opening page first
};

TEST(LedgerPagingTest, PagesThroughTheLedgerAndTheHitList)
{
    const WalkCase cases[] = {
        {"30 records", 30, false, "NNN", {{1, 1, 12}, {2, 13, 12}, {3, 25, 6}, {1, 1, 12}}},
        {"30 records backwards", 30, false, "PPP", {{1, 1, 12}, {3, 25, 6}, {2, 13, 12}, {1, 1, 12}}},
        {"24 records pass an empty page", 24, false, "NNNN", {{1, 1, 12}, {2, 13, 12}, {3, 0, 0}, {1, 1, 12}, {2, 13, 12}}},
        {"24 records wrap back to the empty page", 24, false, "NP", {{1, 1, 12}, {2, 13, 12}, {1, 1, 12}}},
        {"24 records from page 1 backwards", 24, false, "NNNP", {{1, 1, 12}, {2, 13, 12}, {3, 0, 0}, {1, 1, 12}, {3, 0, 0}}},
        {"12 records stay on page 1 backwards", 12, false, "PPP", {{1, 1, 12}, {1, 1, 12}, {1, 1, 12}, {1, 1, 12}}},
        {"12 records", 12, false, "NNN", {{1, 1, 12}, {2, 0, 0}, {1, 1, 12}, {2, 0, 0}}},
        {"5 records", 5, false, "NNNP", {{1, 1, 5}, {2, 0, 0}, {1, 1, 5}, {1, 1, 5}, {1, 1, 5}}},
        {"empty ledger", 0, false, "NN", {{1, 0, 0}, {2, 0, 0}, {1, 0, 0}}},
        {"30 hits", 30, true, "NNN", {{1, 2, 12}, {2, 26, 12}, {3, 50, 6}, {1, 2, 12}}},
        {"30 hits backwards", 30, true, "PP", {{1, 2, 12}, {3, 50, 6}, {2, 26, 12}}},
        {"24 hits", 24, true, "NNN", {{1, 2, 12}, {2, 26, 12}, {3, 0, 0}, {1, 2, 12}}},
        {"12 hits", 12, true, "PN", {{1, 2, 12}, {1, 2, 12}, {2, 0, 0}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(walk(c.records, c.presses, c.filter), c.expected) << c.name;
}

// Going backwards first must not leave the opening rule behind: the next "次 項" after the
// wrap to page 1 shows page 2, not the records of page 3 under the number 2.
TEST(LedgerPagingTest, PreviousPageEndsTheOpeningState)
{
    EXPECT_EQ(walk(30, "PNN", false), (std::vector<Shown>{{1, 1, 12}, {3, 25, 6}, {1, 1, 12}, {2, 13, 12}}));
    const PageState afterOpening = PreviousPage(OpeningPage(), 30);
    EXPECT_FALSE(afterOpening.InitialPageFlag);
    EXPECT_EQ(NextPage(OpeningPage(), 30), (PageState{2, 12, false}));
}

TEST(LedgerPagingTest, PreviousKeepsTheCursorWhenThePageLiesPastTheEnd)
{
    // Another client shortened the ledger: the page number goes back, the cursor stays.
    EXPECT_EQ(PreviousPage(PageState{4, 37, false}, 20), (PageState{3, 37, false}));
    EXPECT_EQ(PageLabelText(3), QStringLiteral(" P 3"));
}

TEST(LedgerPagingTest, AFullPageReadsThirteenRecordsInOrder)
{
    TempClient client;
    WriteTestLedger(client.ledgerPath(), 40);
    LedgerViewState view;
    view.page.DisplayCursor = 12;
    std::vector<int> reads;
    const RecordReader ledger = LedgerRecordReader(client.state);
    const ListPage page = ReadFullListPage(client.state, view, [&](int n) {
        reads.push_back(n);
        return ledger(n);
    });
    EXPECT_EQ(reads, (std::vector<int>{13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25}));
    EXPECT_EQ(view.page.DisplayCursor, 25);  // one past the last item shown
    ASSERT_EQ(page.items.size(), 12u);
    EXPECT_EQ(page.items.back().row, 23);
    EXPECT_EQ(page.items.back().rows.received[1], QStringLiteral("A24"));
    EXPECT_TRUE(page.blankRows.empty());
    EXPECT_EQ(view.ShownRecordNo[24], 24);
}

TEST(LedgerPagingTest, AHitThatCannotBeReadEndsThePageWithBlankRows)
{
    TempClient client;
    WriteTestLedger(client.ledgerPath(), 10);
    LedgerViewState view;
    view.HitList = {3, 7, 99, 9};
    view.page = FirstPage();
    const ListPage page = ReadHitListPage(client.state, view, LedgerRecordReader(client.state));
    ASSERT_EQ(page.items.size(), 2u);
    EXPECT_EQ(page.items[1].rows.received[0], QStringLiteral("7"));
    EXPECT_EQ(view.ShownRecordNo[2], 7);
    EXPECT_EQ(page.blankRows.front(), 5);
    EXPECT_EQ(page.blankRows.back(), 24);
}

TEST(LedgerPagingTest, NextItemOfTheEditFrameWalksTheItemRows)
{
    // Rows 1, 3, … 21 hold records 101..111 (eleven items); row 23 is empty.
    const auto column0 = [](int row) { return row % 2 == 1 && row <= 21 ? QString::number(100 + (row + 1) / 2) : QString(); };
    const struct {
        int row;
        int recordCount;
        NextItemStep expected;
    } cases[] = {
        {1, 200, {3, 102}},
        {2, 200, {23, 0}},    // an issued row leads to another issued row
        {19, 200, {21, 111}},
        {21, 200, {23, 0}},   // row 23 holds no item
        {23, 200, {1, 101}},
        {24, 200, {1, 101}},
        {-1, 200, {1, 101}},  // nothing selected yet
        {1, 101, {23, 0}},    // record 102 lies past the count
    };
    for (const auto& c : cases) {
        const NextItemStep step = NextItemOfPage(c.row, column0, c.recordCount);
        EXPECT_EQ(step.currentRow, c.expected.currentRow) << c.row;
        EXPECT_EQ(step.recordNo, c.expected.recordNo) << c.row;
    }
}

TEST(LedgerPagingTest, DraggedPanelsStayOnTheScreen)
{
    const struct {
        PanelPosition pointer;
        DragStep step;
        PanelPosition frame;
        PanelPosition filter;
    } cases[] = {
        {{3000, 2000}, DragStep::Drop, {3000, 2000}, {3000, 2000}},
        {{0, 0}, DragStep::PressOrRelease, {500, 900}, {500, 0}},
        {{-40, -10}, DragStep::Drop, {500, 900}, {500, 0}},
        {{14160, 8640}, DragStep::PressOrRelease, {14160, 8040}, {14160, 8040}},
        {{14159, 8639}, DragStep::PressOrRelease, {14159, 8639}, {14159, 8639}},
        {{20000, 8040}, DragStep::Drop, {14160, 8040}, {14160, 8040}},
        {{1, 8100}, DragStep::Drop, {1, 8040}, {1, 8040}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClampEditFrame(c.pointer, c.step), c.frame) << c.pointer.left << "," << c.pointer.top;
        EXPECT_EQ(ClampFilterPanel(c.pointer, c.step), c.filter) << c.pointer.left << "," << c.pointer.top;
    }
}

} // namespace
