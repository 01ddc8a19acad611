#pragma once
// The monthly in/out import: the daily workbook "Mb入出庫月報" (in "M在庫資料") sums each item's
// daily receipts and issues per month in column G; the import puts these monthly totals into the
// matching month of each item and recomputes it. All changes are committed in one crash-safe
// replacement of the ledger.
#include "ledger/ledger_commit.h"
#include "workbook/workbook_errors.h"

#include <QList>
#include <QString>
#include <memory>
#include <vector>

struct AppState;
class RowPairs;
class SheetRowCells;
class Worksheet;

// A G cell that holds no usable monthly total (a formula result that cannot be read, an error
// value, text, a number too long for a month field), or a B or C cell whose formula was saved
// without its result.
struct UnusableTotal {
    int row = 0;
    QString text;     // what the cell shows; empty for a formula saved without its result
    int column = 7;   // G
};

struct MonthlyPair {
    int row = 0;           // the receipts row; the issues row is row + 1
    QString yearMonth;     // B, trimmed
    QString itemNumber;    // C, trimmed
    QString received;      // G of the receipts row
    QString issued;        // G of the issues row
    QList<UnusableTotal> unusable; // the G cells of this pair without a usable total
};

// The row pairs from row 4 until a receipts row whose B and C are both empty, read as the rows
// of the sheet arrive. Totals are taken as a spreadsheet program shows them (WorkbookNumberText).
class MonthlyImportReader {
public:
    MonthlyImportReader();
    ~MonthlyImportReader();
    // A SheetRowVisitor: false once the pairs ended.
    bool take(const SheetRowCells& row);
    std::vector<MonthlyPair> finish();

private:
    std::vector<MonthlyPair> m_pairs;
    std::unique_ptr<RowPairs> m_rowPairs;
};

std::vector<MonthlyPair> ReadMonthlyImport(const Worksheet& sheet);

struct NegativeStockItem {
    int recordNo = 0;
    QString itemNumber;
    QString name;
    double stock = 0; // the stock the months would give
};

struct MonthlyImportResult {
    WorkbookStatus workbook;    // reading the workbook (ImportMonthlyWorkbook); not ok: nothing was written
    CommitResult commit;        // io.ok false: nothing was written
    bool checkOnly = false;     // computed only; the ledger was not written
    int applied = 0;            // pairs written into the ledger
    int skipped = 0;            // pairs outside the ledger year or without item number
    int unknownRow = 0;         // the row of an item number not in the ledger (the import stopped there)
    QString unknownItem;
    // Monthly totals that cannot be used, of every pair the import would apply: the import was
    // refused as a whole.
    QList<UnusableTotal> unusable;
    QList<NegativeStockItem> negatives; // items whose month values stand but whose totals were kept
    QList<NegativeStockItem> unfitting; // the same for totals or rates too long for their fields
    // The import ran to its end (or to an unknown item) and its changes are in the ledger.
    bool completed() const { return workbook.ok() && unusable.isEmpty() && commit.ok() && !checkOnly; }
};

enum class MonthlyImportWrite { Commit, CheckOnly };

// Applies the pairs in order to the ledger (months matched against the year from shared settings
// line 9) and commits the result. CheckOnly computes the same result and writes nothing.
MonthlyImportResult ApplyMonthlyImport(AppState& state, const std::vector<MonthlyPair>& pairs,
                                       const CommitProgress& progress = {},
                                       MonthlyImportWrite write = MonthlyImportWrite::Commit);

// Reads the workbook at `path` and applies it as above. A workbook that cannot be read leaves
// the ledger untouched; `workbook` tells why.
MonthlyImportResult ImportMonthlyWorkbook(AppState& state, const QString& path, const CommitProgress& progress = {},
                                          MonthlyImportWrite write = MonthlyImportWrite::Commit);

// The first-click questions of "入出庫記載" and "入出庫転記" (title "登録確認").
QString MonthlyEditQuestion();
QString MonthlyImportQuestion();

// "　　月毎在庫入出庫数量のインポートを完了しました。　　　　", title "確認".
QString MonthlyImportDoneMessage();
QString MonthlyImportDoneTitle();
// Why the import did not run (the workbook at `path` missing or unreadable, or a monthly total
// that cannot be used); empty when it ran. Title "異常確認".
QString MonthlyImportRefusal(const MonthlyImportResult& result, const QString& path);
// The note after the import: the unknown item where it stopped, the items left with negative
// stock or with totals too long for their fields, the pairs skipped. Empty when there is nothing
// to tell.
QString MonthlyImportNotes(const MonthlyImportResult& result);
