// The filter scans, the sort and the commit on a ledger at its capacity of 50 009 items.
#include "bench_ledger.h"

#include "ledger/filter_scan.h"
#include "ledger/ledger_commit.h"
#include "ledger/item_summary.h"
#include "ledger/ledger_sort.h"
#include "storage/ledger_file.h"
#include "storage/paths.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

FilterConditions conditions(std::initializer_list<std::pair<int, const char16_t*>> wanted)
{
    FilterConditionRows rows;
    size_t r = 0;
    for (const auto& [column, word] : wanted)
        rows[r++] = {QString::number(column), QString(), QString::fromUtf16(word)};
    return NormaliseFilterConditions(rows);
}

// Name, specification and storage place: broad words, so that most records test all three.
const FilterConditions ThreeConditions = conditions({{2, u"ル"}, {3, u"M"}, {5, u"倉庫"}});

void BM_FilterScanThreeConditions(benchmark::State& bench)
{
    AppState& state = BenchLedger::instance().state();
    qint64 hits = 0;
    for (auto _ : bench) {
        const FilterScanResult result = ScanForHits(state, ThreeConditions);
        hits = result.hits.size();
        benchmark::DoNotOptimize(hits);
    }
    bench.counters["hits"] = double(hits);
    bench.SetBytesProcessed(bench.iterations() * qint64(state.RecordCount) * 926);
}
BENCHMARK(BM_FilterScanThreeConditions)->Unit(benchmark::kMillisecond);

// "再絞込" over the result of a broad first filter (the storage place).
void BM_Refilter(benchmark::State& bench)
{
    AppState& state = BenchLedger::instance().state();
    const QList<int> first = ScanForHits(state, conditions({{5, u"倉庫"}})).hits;
    const FilterConditions narrower = conditions({{5, u"倉庫"}, {2, u"ル"}});
    int kept = 0;
    for (auto _ : bench) {
        QList<int> hits = first;
        hits.detach();
        kept = RefilterHits(state, hits, narrower);
        benchmark::DoNotOptimize(kept);
    }
    bench.counters["hits_in"] = double(first.size());
    bench.counters["hits_out"] = kept;
}
BENCHMARK(BM_Refilter)->Unit(benchmark::kMillisecond);

// A data folder of its own holding a copy of the benchmark ledger, as each sort finds it.
class LedgerCopy {
public:
    LedgerCopy() : m_state(m_dialogs)
    {
        m_state.ClientFolder = m_state.DataFolder = m_dir.path() + PathSeparator;
        m_original = BenchLedger::instance().folder() + DataFileName::Ledger;
    }
    void reset()
    {
        QFile::remove(m_state.DataFolder + DataFileName::Ledger);
        QFile::copy(m_original, m_state.DataFolder + DataFileName::Ledger);
    }
    AppState& state() { return m_state; }

private:
    QTemporaryDir m_dir;
    SilentDialogs m_dialogs;
    AppState m_state;
    QString m_original;
};

// "Sort開始": read, key and order what the sort panel shows.
void BM_SortPreview(benchmark::State& bench)
{
    LedgerCopy copy;
    copy.reset();
    for (auto _ : bench) {
        const SortPreview preview = PreviewSortedLedger(copy.state());
        benchmark::DoNotOptimize(preview.rows.size());
    }
}
BENCHMARK(BM_SortPreview)->Unit(benchmark::kMillisecond);

// "登　録" of the sort: under the lock the ledger is read, checked, ordered and written as the
// new ledger (synced, renamed), and the item number table is rebuilt.
void BM_SortCommit(benchmark::State& bench)
{
    LedgerCopy copy;
    for (auto _ : bench) {
        bench.PauseTiming();
        copy.reset();
        bench.ResumeTiming();
        const CommitResult committed = CommitSort(copy.state(), {});
        if (!committed.ok())
            bench.SkipWithError("commit failed");
        benchmark::DoNotOptimize(committed.recordCount);
    }
}
BENCHMARK(BM_SortCommit)->Unit(benchmark::kMillisecond);

// The deletion's commit alone: every second record removed by identity.
void BM_DeleteCommit(benchmark::State& bench)
{
    LedgerCopy copy;
    copy.reset();
    const ItemSummaryTable items = ReadItemSummary(copy.state());
    QList<ListedRecord> removed;
    for (size_t k = 1; k < items.size(); k += 2)
        removed.append(items[k].listed());
    for (auto _ : bench) {
        bench.PauseTiming();
        copy.reset();
        bench.ResumeTiming();
        const CommitResult committed = CommitDeletion(copy.state(), removed);
        if (!committed.ok())
            bench.SkipWithError("commit failed");
        benchmark::DoNotOptimize(committed.recordCount);
    }
}
BENCHMARK(BM_DeleteCommit)->Unit(benchmark::kMillisecond);

} // namespace
