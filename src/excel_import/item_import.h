#pragma once
// The item import: the workbook "Mb在庫品INP" in the layout of the ledger workbook (two rows per
// item from row 5) becomes records 1, 2, … of the ledger. The workbook is read and checked as a
// whole first; the records are then committed in one crash-safe replacement of the ledger, so an
// import that fails or is interrupted leaves the ledger as it was.
#include "excel_import/import_problems.h"
#include "ledger/ledger_commit.h"
#include "storage/item_record.h"

#include <QString>
#include <memory>
#include <vector>

struct AppState;
class SheetRowCells;
class Worksheet;
struct WorkbookStatus;

// The start year-month a workbook names: the first seven characters of O4 when they read as
// yyyy/mm, otherwise the first seven of P4 when those do (the first month caption of a ledger
// workbook, "2026/04月"); empty when neither does.
QString ImportStartMonth(const QString& o4, const QString& p4);

struct ItemImportPlan {
    QString startMonth;              // empty: the start month stays as it is
    std::vector<ItemRecord> items;   // at most the ledger capacity
    int itemsInWorkbook = 0;         // all items of the workbook, including those over capacity
    // Column AD was read (the start-of-use option is on). Otherwise each item keeps the start of
    // use the ledger has for its item number when the plan is written.
    bool startOfUseRead = false;
    QList<ImportProblem> problems;
    bool overCapacity() const { return itemsInWorkbook > int(items.size()); }
};

// Reads the items of the first worksheet as its rows arrive: from row 5 until a receipts row
// whose D is empty. Column AD (start of use) is read only when `startOfUse` is on. Rates are
// computed. Numbers are taken as a spreadsheet program shows them (WorkbookNumberText).
class ItemImportReader {
public:
    explicit ItemImportReader(bool startOfUse);
    ~ItemImportReader();
    // A SheetRowVisitor: false once the items ended.
    bool take(const SheetRowCells& row);
    ItemImportPlan finish();

private:
    struct Pairs;
    ItemImportPlan m_plan;
    std::unique_ptr<Pairs> m_pairs;
};

ItemImportPlan ReadItemImport(const Worksheet& sheet, bool startOfUse);
// Reads the workbook at `path` as a stream. Not ok: the workbook cannot be read (the plan is
// then of no use).
WorkbookStatus ReadItemImportWorkbook(const QString& path, bool startOfUse, ItemImportPlan& plan);

struct ItemImportResult {
    CommitResult commit;   // io.ok false: nothing was written
    int written = 0;       // items written (records 1..written)
    bool settingsSaved = false;
};

// Writes the plan: the start month (when the plan has one) into shared settings line 9 and the
// shared settings file, then records 1..n replaced by the plan's items, later records kept.
// Afterwards the item number table is rebuilt and ItemTableLoaded cleared. The plan is taken
// (its items become the records).
ItemImportResult ApplyItemImport(AppState& state, ItemImportPlan plan, const CommitProgress& progress = {});

// " 在庫品INPExcel　インポートを。" CR " 完了しました。", title "登録確認".
QString ItemImportDoneMessage();
QString ImportDoneTitle();
// "在庫品インポートデータが許容量件数 50009を超えました" CR "　確認してください。", title "インポート確認".
QString ItemImportCapacityMessage();
