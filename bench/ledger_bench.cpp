// Whole-ledger passes and lookups on a ledger at its capacity of 50 009 items.
#include "bench_ledger.h"

#include "storage/item_number_file.h"
#include "storage/item_record.h"
#include "storage/ledger_check.h"
#include "storage/ledger_file.h"
#include "storage/synthetic_items.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <random>

namespace {

// What opening the ledger screen costs: the count, the item number table and the stock value total.
void BM_OpenRebuildAndSum(benchmark::State& bench)
{
    AppState& state = BenchLedger::instance().state();
    for (auto _ : bench) {
        {
            LedgerCloser closer(state);
            OpenLedger(state);
        }
        RebuildItemNumberTable(state);
        SumStockValue(state);
        benchmark::DoNotOptimize(state.TotalStockValue);
    }
    bench.counters["records"] = state.RecordCount;
}
BENCHMARK(BM_OpenRebuildAndSum)->Unit(benchmark::kMillisecond);

// The two passes of the above on their own.
void BM_RebuildItemNumberTable(benchmark::State& bench)
{
    AppState& state = BenchLedger::instance().state();
    for (auto _ : bench) {
        RebuildItemNumberTable(state);
        benchmark::DoNotOptimize(state.ItemNumbers.rowCount());
    }
}
BENCHMARK(BM_RebuildItemNumberTable)->Unit(benchmark::kMillisecond);

void BM_SumStockValue(benchmark::State& bench)
{
    AppState& state = BenchLedger::instance().state();
    for (auto _ : bench) {
        SumStockValue(state);
        benchmark::DoNotOptimize(state.TotalStockValue);
    }
}
BENCHMARK(BM_SumStockValue)->Unit(benchmark::kMillisecond);

// The scan alone on an open ledger: reading and visiting every record.
void BM_ScanLedger(benchmark::State& bench)
{
    AppState& state = BenchLedger::instance().state();
    LedgerCloser closer(state);
    OpenLedger(state);
    for (auto _ : bench) {
        qint64 visited = 0;
        ScanLedger(state, 1, state.RecordCount, [&](int, const ItemRecord& record) {
            visited += record.data()[0];
        });
        benchmark::DoNotOptimize(visited);
    }
    bench.SetBytesProcessed(bench.iterations() * qint64(state.RecordCount) * ItemRecord::Length);
}
BENCHMARK(BM_ScanLedger)->Unit(benchmark::kMillisecond);

// FindItemNumber as the entry pad calls it: OpenLedger for the count, then the table lookup.
// Arg 0 looks for numbers that exist (spread over the ledger), arg 1 for one that does not.
void BM_FindItemNumber(benchmark::State& bench)
{
    AppState& state = BenchLedger::instance().state();
    RebuildItemNumberTable(state);
    std::mt19937 random(1);
    std::uniform_int_distribution<int> recordNo(1, state.RecordCount);
    QList<QString> wanted;
    for (int k = 0; k < 1024; ++k)
        wanted.append(bench.range(0) == 0 ? state.ItemNumbers.row(recordNo(random)).number
                                          : QStringLiteral("X%1").arg(k));
    qsizetype k = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(FindItemNumber(state, wanted[k++ & 1023]));
    }
}
BENCHMARK(BM_FindItemNumber)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The table lookup without the file open.
void BM_ItemNumberTableFind(benchmark::State& bench)
{
    AppState& state = BenchLedger::instance().state();
    RebuildItemNumberTable(state);
    std::mt19937 random(2);
    std::uniform_int_distribution<int> recordNo(1, state.RecordCount);
    QList<QString> wanted;
    for (int k = 0; k < 1024; ++k)
        wanted.append(state.ItemNumbers.row(recordNo(random)).number);
    qsizetype k = 0;
    for (auto _ : bench)
        benchmark::DoNotOptimize(state.ItemNumbers.find(wanted[k++ & 1023], state.RecordCount));
}
BENCHMARK(BM_ItemNumberTableFind)->Unit(benchmark::kMicrosecond);

// One list page as the ledger screen reads it: OpenLedger, 13 ReadRecord calls, close.
void BM_ReadPageOf13(benchmark::State& bench)
{
    AppState& state = BenchLedger::instance().state();
    constexpr int PageRows = 13;
    std::mt19937 random(3);
    std::uniform_int_distribution<int> page(0, BenchLedger::Records / PageRows - 1);
    for (auto _ : bench) {
        LedgerCloser closer(state);
        OpenLedger(state);
        const int first = page(random) * PageRows + 1;
        for (int n = first; n < first + PageRows; ++n) {
            ReadRecord(state, n);
            benchmark::DoNotOptimize(state.CurrentRecord.data()[0]);
        }
    }
}
BENCHMARK(BM_ReadPageOf13)->Unit(benchmark::kMicrosecond);

// `tev-cli verify` on the full ledger.
void BM_CheckLedgerFile(benchmark::State& bench)
{
    const QString path = LedgerPath(BenchLedger::instance().state());
    for (auto _ : bench)
        benchmark::DoNotOptimize(CheckLedgerFile(path).ok());
}
BENCHMARK(BM_CheckLedgerFile)->Unit(benchmark::kMillisecond);

// Generating a full ledger's items in memory (the fill of `tev-cli generate`, without the file).
void BM_GenerateItems(benchmark::State& bench)
{
    ItemRecord record;
    for (auto _ : bench) {
        SyntheticItems items(BenchLedger::Seed);
        for (int n = 1; n <= BenchLedger::Records; ++n) {
            record.clear();
            items.fill(n, record);
        }
        benchmark::DoNotOptimize(record.data()[0]);
    }
}
BENCHMARK(BM_GenerateItems)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    BenchLedger::instance(); // written once, before any timing
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
