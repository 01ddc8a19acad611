#pragma once
// The vocabulary import: the workbook "Mb在庫品項目INP" holds one word list per column (B..F for
// lists 2..6), entries from row 5 down to the first empty cell, at most 2000 per list.
#include "excel_import/import_problems.h"
#include "storage/io_result.h"

#include <QStringList>
#include <array>

struct AppState;
class Worksheet;

struct VocabularyImportPlan {
    static constexpr int MaxEntries = 2000;
    std::array<QStringList, 5> lists; // lists 2..6, trimmed words, at most MaxEntries each
    QList<ImportProblem> problems;
};

VocabularyImportPlan ReadVocabularyImport(const Worksheet& sheet);

// Entries 1..n of each list become the plan's words (ids kept: the lists are read from their
// files first), the count line becomes n + 1 and entry n + 1 (the end mark) is cleared; then the
// shared settings and the list files are written. A failed write names the file.
IoResult ApplyVocabularyImport(AppState& state, const VocabularyImportPlan& plan);

// " 在庫品項目Excel　インポートを。" CR " 完了しました。", title "登録確認".
QString VocabularyImportDoneMessage();
