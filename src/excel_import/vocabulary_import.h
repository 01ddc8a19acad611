#pragma once
// The vocabulary import: the workbook "Mb在庫品項目INP" holds one word list per column (B..F for
// lists 2..6), entries from row 5 down to the first empty cell, at most 2000 per list.
#include "excel_import/import_problems.h"
#include "storage/io_result.h"

#include <QStringList>
#include <array>

struct AppState;
class SheetRowCells;
class Worksheet;
struct WorkbookStatus;

struct VocabularyImportPlan {
    static constexpr int MaxEntries = 2000;
    std::array<QStringList, 5> lists; // lists 2..6, trimmed words, at most MaxEntries each
    QList<ImportProblem> problems;
};

// Reads the lists as the rows of the sheet arrive. An entry with '"' gets "'" (the list files
// quote their entries), one longer than an item's text field is cut at a character; both, and
// characters the code page cannot hold, are problems of the check, as is a formula without its
// result (which refuses the import).
class VocabularyImportReader {
public:
    VocabularyImportReader();
    // A SheetRowVisitor: false once every list ended.
    bool take(const SheetRowCells& row);
    VocabularyImportPlan finish();

private:
    VocabularyImportPlan m_plan;
    std::array<int, 5> m_nextRow{}; // the row of each list's next entry; 0 once the list ended
};

VocabularyImportPlan ReadVocabularyImport(const Worksheet& sheet);
// Reads the workbook at `path` as a stream. Not ok: the workbook cannot be read.
WorkbookStatus ReadVocabularyImportWorkbook(const QString& path, VocabularyImportPlan& plan);

// Entries 1..n of each list become the plan's words (ids kept: the lists are read from their
// files first), the count line becomes n + 1 and entry n + 1 (the end mark) is cleared; then the
// shared settings and the list files are written. A failed write names the file.
IoResult ApplyVocabularyImport(AppState& state, const VocabularyImportPlan& plan);

// " 在庫品項目Excel　インポートを。" CR " 完了しました。", title "登録確認".
QString VocabularyImportDoneMessage();
