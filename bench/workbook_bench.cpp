// The ledger workbook of 8 600 and of 50 009 items, and reading the 50 009-item workbook back.
#include "bench_ledger.h"
#include "excel_output/ledger_workbook.h"
#include "excel_output/output_paths.h"
#include "ledger/column_captions.h"
#include "workbook/workbook_operations.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>

namespace {
AppState& preparedState()
{
    AppState& state = BenchLedger::instance().state();
    if (state.ClientFolder.isEmpty())
        state.ClientFolder = state.DataFolder;
    QDir().mkpath(state.ClientFolder + QStringLiteral("原本Excel"));
    // The shipped template is this blank workbook.
    if (!QFile::exists(TemplateWorkbookPath(state)))
        Workbook::createBlank(TemplateWorkbookPath(state))->save();
    QDir().mkpath(OutputFolderPath(state));
    RebuildColumnCaptions(state);
    return state;
}

void BM_LedgerWorkbook(benchmark::State& run)
{
    AppState& state = preparedState();
    QList<int> records;
    for (int n = 1; n <= run.range(0); ++n)
        records.append(n);
    const QString path = OutputFolderPath(state) + QStringLiteral("bench.xlsx");
    for (auto _ : run) {
        const LedgerWorkbookResult result = ExportLedgerWorkbook(state, nullptr, path, &records);
        if (!result.status)
            run.SkipWithError("output failed");
    }
    run.counters["items"] = double(run.range(0));
}
BENCHMARK(BM_LedgerWorkbook)->Arg(8600)->Arg(BenchLedger::Records)->Unit(benchmark::kMillisecond);

void BM_ReadLedgerWorkbook(benchmark::State& run)
{
    AppState& state = preparedState();
    const QString path = OutputFolderPath(state) + QStringLiteral("bench-read.xlsx");
    if (!ExportLedgerWorkbook(state, nullptr, path).status) {
        run.SkipWithError("output failed");
        return;
    }
    for (auto _ : run) {
        std::unique_ptr<Workbook> book;
        if (!OpenForReading(path, book))
            run.SkipWithError("read failed");
        benchmark::DoNotOptimize(book->sheet().text(5, 3));
        FinishAfterReading(book);
    }
}
BENCHMARK(BM_ReadLedgerWorkbook)->Unit(benchmark::kMillisecond);
} // namespace
