#pragma once
// The monthly in/out import: the daily workbook "Mb入出庫月報" (in "M在庫資料") sums each item's
// daily receipts and issues per month in column G; the import puts these monthly totals into the
// matching month of each item and recomputes it. All changes are committed in one crash-safe
// replacement of the ledger.
#include "ledger/ledger_commit.h"

#include <QList>
#include <QString>
#include <vector>

struct AppState;
class Worksheet;

struct MonthlyPair {
    int row = 0;           // the receipts row; the issues row is row + 1
    QString yearMonth;     // B, trimmed
    QString itemNumber;    // C, trimmed
    QString received;      // G of the receipts row
    QString issued;        // G of the issues row
};

// The row pairs from row 4 until a receipts row whose B and C are both empty.
std::vector<MonthlyPair> ReadMonthlyImport(const Worksheet& sheet);

struct NegativeStockItem {
    int recordNo = 0;
    QString itemNumber;
    QString name;
    double stock = 0; // the stock the months would give
};

struct MonthlyImportResult {
    CommitResult commit;        // io.ok false: nothing was written
    int applied = 0;            // pairs written into the ledger
    int skipped = 0;            // pairs outside the ledger year or without item number
    int unknownRow = 0;         // the row of an item number not in the ledger (the import stopped there)
    QString unknownItem;
    QList<NegativeStockItem> negatives; // items whose month values stand but whose totals were kept
};

// Applies the pairs in order to the ledger (months matched against the year from shared settings
// line 9) and commits the result.
MonthlyImportResult ApplyMonthlyImport(AppState& state, const std::vector<MonthlyPair>& pairs,
                                       const CommitProgress& progress = {});

// "　　月毎在庫入出庫数量のインポートを完了しました。　　　　", title "確認".
QString MonthlyImportDoneMessage();
QString MonthlyImportDoneTitle();
// The note after the import: the unknown item where it stopped, the items left with negative
// stock. Empty when there is nothing to tell.
QString MonthlyImportNotes(const MonthlyImportResult& result);
