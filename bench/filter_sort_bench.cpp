// The filter scans, the sort and the commit on a ledger at its capacity of 50 009 items.
#include "bench_ledger.h"

#include "ledger/filter_scan.h"
#include "ledger/ledger_commit.h"
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

// "Sort開始": read, key, order and write the sorted copy.
void BM_SortIntoRewriteFile(benchmark::State& bench)
{
    LedgerCopy copy;
    copy.reset();
    for (auto _ : bench) {
        const SortResult result = SortLedgerIntoRewriteFile(copy.state());
        benchmark::DoNotOptimize(result.sortedCount);
    }
}
BENCHMARK(BM_SortIntoRewriteFile)->Unit(benchmark::kMillisecond);

// "Sort開始" followed by "登　録": the sorted copy becomes the ledger (written, synced, renamed)
// and the item number table is rebuilt.
void BM_SortAndCommit(benchmark::State& bench)
{
    LedgerCopy copy;
    for (auto _ : bench) {
        bench.PauseTiming();
        copy.reset();
        bench.ResumeTiming();
        const SortResult sorted = SortLedgerIntoRewriteFile(copy.state());
        const CommitResult committed = CommitRewriteFile(copy.state(), sorted.ledgerCount);
        if (!committed.ok())
            bench.SkipWithError("commit failed");
        benchmark::DoNotOptimize(committed.recordCount);
    }
}
BENCHMARK(BM_SortAndCommit)->Unit(benchmark::kMillisecond);

// The deletion's commit alone: every second record kept.
void BM_DeleteCommit(benchmark::State& bench)
{
    LedgerCopy copy;
    QList<int> kept;
    for (int n = 1; n <= BenchLedger::Records; n += 2)
        kept.append(n);
    for (auto _ : bench) {
        bench.PauseTiming();
        copy.reset();
        bench.ResumeTiming();
        const CommitResult committed = CommitKeptRecords(copy.state(), kept, BenchLedger::Records);
        benchmark::DoNotOptimize(committed.recordCount);
    }
}
BENCHMARK(BM_DeleteCommit)->Unit(benchmark::kMillisecond);

} // namespace
