// tev-bench-compare: our side of bench/compare.sh. Each command prints one line of
// space-separated figures that the script reads.
//   generate FOLDER                    the benchmark ledger (50 009 items) in a new data folder
//   output FOLDER WORKBOOK RUNS        the ledger workbook:  median seconds, items
//   read WORKBOOK RUNS                 reading every cell:   median seconds, cells
//   scan FOLDER COLUMN WORD RUNS       one-column filter:    median seconds, hits
//   cells WORKBOOK LIST                every cell of the workbook as a tab-separated list
//   cp932 WORD FILE                    the word in the ledger's encoding
#include "compare_data.h"
#include "compare_runs.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {

int usage()
{
    std::fputs("usage: tev-bench-compare generate|output|read|scan|cells|cp932 ARGUMENTS\n", stderr);
    return 2;
}

int report(const TimedRun& run, const char* what)
{
    if (!run.ok) {
        std::fprintf(stderr, "tev-bench-compare: %s failed\n", what);
        return 1;
    }
    std::printf("%.6f %lld\n", run.medianSeconds, run.count);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args[0];
    QuietDialogs dialogs;
    AppState state(dialogs);

    if (command == u"generate" && args.size() == 2) {
        if (!PrepareCompareFolder(state, args[1]) || !GenerateCompareLedger(state, AppState::MaxRecords)) {
            std::fputs("tev-bench-compare: the ledger cannot be written\n", stderr);
            return 1;
        }
        std::printf("%d\n", AppState::MaxRecords);
        return 0;
    }
    if (command == u"output" && args.size() == 4) {
        if (!PrepareCompareFolder(state, args[1]))
            return report(TimedRun{}, "output");
        return report(TimeLedgerOutput(state, args[2], args[3].toInt()), "output");
    }
    if (command == u"read" && args.size() == 3)
        return report(TimeWorkbookReading(args[1], args[2].toInt()), "reading");
    if (command == u"scan" && args.size() == 5) {
        if (!PrepareCompareFolder(state, args[1]))
            return report(TimedRun{}, "scan");
        return report(TimeFilterScan(state, args[2].toInt(), args[3], args[4].toInt()), "scan");
    }
    if (command == u"cells" && args.size() == 3)
        return DumpCells(args[1], args[2]) ? 0 : 1;
    if (command == u"cp932" && args.size() == 3)
        return WriteCp932Word(args[1], args[2]) ? 0 : 1;
    return usage();
}
