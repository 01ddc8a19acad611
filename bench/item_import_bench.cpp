// The item import of 50 009 items from an .xlsx workbook: reading the workbook, checking it
// into a plan and committing the plan, into a data folder of its own.
#include "bench_ledger.h"
#include "excel_import/item_import.h"
#include "excel_output/ledger_workbook.h"
#include "excel_output/output_paths.h"
#include "ledger/column_captions.h"
#include "workbook/workbook_operations.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>

namespace {

// The ledger workbook of the benchmark ledger, written once.
QString workbookOfTheBenchLedger(const QString& folder)
{
    AppState& source = BenchLedger::instance().state();
    if (source.ClientFolder.isEmpty())
        source.ClientFolder = source.DataFolder;
    QDir().mkpath(source.ClientFolder + QStringLiteral("原本Excel"));
    if (!QFile::exists(TemplateWorkbookPath(source)))
        Workbook::createBlank(TemplateWorkbookPath(source))->save();
    RebuildColumnCaptions(source);
    const QString path = folder + QStringLiteral("Mb在庫品INP.xlsx");
    if (!ExportLedgerWorkbook(source, nullptr, path).status)
        return QString();
    return path;
}

void BM_ItemImport(benchmark::State& run)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    const QString path = workbookOfTheBenchLedger(folder);
    if (path.isEmpty()) {
        run.SkipWithError("the workbook cannot be written");
        return;
    }
    SilentDialogs dialogs;
    AppState state(dialogs);
    state.ClientFolder = folder;
    state.DataFolder = folder;
    state.ClientSettings[1] = folder;

    int written = 0;
    for (auto _ : run) {
        std::unique_ptr<Workbook> book;
        if (!OpenForReading(path, book)) {
            run.SkipWithError("read failed");
            break;
        }
        const ItemImportPlan plan = ReadItemImport(book->sheet(), false);
        FinishAfterReading(book);
        const ItemImportResult result = ApplyItemImport(state, plan);
        if (!result.commit.ok()) {
            run.SkipWithError("commit failed");
            break;
        }
        written = result.written;
    }
    run.counters["items"] = written;
    run.counters["items_per_second"] =
        benchmark::Counter(double(written) * double(run.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ItemImport)->Unit(benchmark::kMillisecond);

} // namespace
