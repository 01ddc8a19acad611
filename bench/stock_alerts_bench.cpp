// The stock alert scan of the menu on a ledger at its capacity of 50 009 items: it runs every
// time the menu loads, so it must not be felt.
#include "bench_ledger.h"

#include "menu/stock_alerts.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ScanStockAlerts(benchmark::State& bench)
{
    AppState& state = BenchLedger::instance().state();
    StockAlerts alerts;
    for (auto _ : bench) {
        alerts = ScanStockAlerts(state);
        benchmark::DoNotOptimize(alerts);
    }
    bench.counters["items"] = alerts.items;
    bench.counters["zeroStock"] = alerts.zeroStock;
    bench.counters["belowProper"] = alerts.belowProper;
}
BENCHMARK(BM_ScanStockAlerts)->Unit(benchmark::kMillisecond);

} // namespace
