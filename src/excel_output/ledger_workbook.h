#pragma once
// The ledger workbook: every item of the ledger (or of a filter result) in the layout of the
// item import workbook, two rows per item, written from the template.
#include "storage/io_result.h"
#include "workbook/workbook_errors.h"

#include <QDate>
#include <QList>
#include <QString>
#include <functional>
#include <memory>

struct AppState;
class DesktopHandover;
class ItemRecord;
class Workbook;

// The question of the "在庫品Excel" button and its title.
QString LedgerWorkbookQuestion();
QString LedgerWorkbookQuestionTitle();

// "在庫品台帳yyyy年mm月.xlsx" in "M在庫台帳" for an output on `date`.
QString LedgerWorkbookPath(const AppState& state, const QDate& date);
// "在庫品台帳yyyy年mm月_絞込.xlsx" beside it: the workbook of a filter result.
QString FilteredLedgerWorkbookPath(const AppState& state, const QDate& date);

// Writes row 3 (count), row 4 (captions with the twelve months from `startMonth`) and the
// column widths from B on.
void WriteLedgerHeader(Workbook& workbook, const AppState& state, int itemCount);
// Writes item number `k` (1-based) in rows 5 + 2(k − 1) and the row below.
void WriteLedgerItem(Workbook& workbook, int k, const ItemRecord& record, bool startOfUse);

struct LedgerWorkbookResult {
    WorkbookStatus status;
    // Not ok when the ledger itself could not be opened or read (status then says 75): what
    // the user is told is LedgerOpenFailureMessage(ledger), not a spreadsheet failure.
    IoResult ledger;
    QString path;
    int items = 0;
};

// Told how far the output is: `written` of `total` items are in the sheet. Called with 0 before
// the first item, every LedgerWorkbookProgressStep items, and with `total` once all are written
// and the file is about to be saved; `written` never goes back.
using LedgerWorkbookProgress = std::function<void(int written, int total)>;
inline constexpr int LedgerWorkbookProgressStep = 250;

// The text of the progress dialog: what is being done and the count of items written.
QString LedgerWorkbookProgressText(int written, int total);

// Writes the workbook of the whole ledger, or of the records `records` (in that order) when
// given, to `outputPath` (when empty: LedgerWorkbookPath of today, FilteredLedgerWorkbookPath
// for records). With a desktop the file is then handed to the user's spreadsheet program.
// `progress` only watches: the file is the same with it or without it.
LedgerWorkbookResult ExportLedgerWorkbook(AppState& state, DesktopHandover* desktop,
                                          const QString& outputPath = QString(),
                                          const QList<int>* records = nullptr,
                                          const LedgerWorkbookProgress& progress = {});
