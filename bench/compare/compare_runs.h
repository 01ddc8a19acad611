#pragma once
// The timed operations of the side-by-side comparison, each repeated and reported as the median
// of its runs, and the two files the other side needs: every cell of a workbook as a tab-separated
// list, and a filter word in the ledger's encoding.
#include <QString>

struct AppState;

struct TimedRun {
    bool ok = false;
    double medianSeconds = 0;
    long long count = 0; // items written, cells read or records found
};

// ExportLedgerWorkbook of the whole ledger to `outputPath`.
TimedRun TimeLedgerOutput(AppState& state, const QString& outputPath, int runs);
// Workbook::load of `path` and the text of every cell of its sheet.
TimedRun TimeWorkbookReading(const QString& path, int runs);
// ScanForHits with one condition: list column `column` contains `word`.
TimedRun TimeFilterScan(AppState& state, int column, const QString& word, int runs);

// One line per cell: row, column, "n" (number) or "s" (text), the value. Tabs, line ends and
// backslashes in texts are written as \t, \n, \r and \\.
bool DumpCells(const QString& workbookPath, const QString& listPath);
// The word in cp932, without a line end.
bool WriteCp932Word(const QString& word, const QString& path);
