// The ledger screen's list on a ledger at its capacity of 50 009 items: one page change as "次 項"
// and "前 項" make it (the next page, then its records read and turned into cell texts), and a
// page of a filter result. The drawing into the grid is not part of it.
#include "bench_ledger.h"

#include "ledger/ledger_paging.h"
#include "ledger/ledger_view_state.h"
#include "ledger/list_page.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

// Arg 0 walks forward page by page (wrapping at the end); arg 1 goes backward.
void BM_LedgerPageChange(benchmark::State& bench)
{
    AppState& state = BenchLedger::instance().state();
    LedgerViewState view;
    const RecordReader reader = LedgerRecordReader(state);
    ReadFullListPage(state, view, reader);
    const bool forward = bench.range(0) == 0;
    int reads = 0;
    for (auto _ : bench) {
        view.page = forward ? NextPage(view.page, state.RecordCount) : PreviousPage(view.page, state.RecordCount);
        const ListPage page = ReadFullListPage(state, view, reader);
        reads = std::max(reads, page.recordsRead);
        benchmark::DoNotOptimize(page.items.data());
    }
    bench.counters["max_reads_per_page"] = reads;
}
BENCHMARK(BM_LedgerPageChange)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A page of a filter result of every seventh record, from random pages.
void BM_LedgerHitPage(benchmark::State& bench)
{
    AppState& state = BenchLedger::instance().state();
    LedgerViewState view;
    for (int n = 7; n <= BenchLedger::Records; n += 7)
        view.HitList.append(n);
    const RecordReader reader = LedgerRecordReader(state);
    std::mt19937 random(4);
    std::uniform_int_distribution<int> page(0, view.hitCount() / ItemsPerPage);
    for (auto _ : bench) {
        view.page.DisplayCursor = page(random) * ItemsPerPage;
        const ListPage shown = ReadHitListPage(state, view, reader);
        benchmark::DoNotOptimize(shown.items.data());
    }
}
BENCHMARK(BM_LedgerHitPage)->Unit(benchmark::kMicrosecond);

} // namespace
