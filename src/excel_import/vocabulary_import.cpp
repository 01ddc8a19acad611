#include "excel_import/vocabulary_import.h"

#include "storage/app_state.h"
#include "storage/field_text.h"
#include "storage/settings_files.h"
#include "storage/vocabulary.h"
#include "workbook/cell_address.h"
#include "workbook/worksheet.h"

namespace {
constexpr int FirstColumn = 2; // B holds list 2, … F list 6
constexpr int FirstEntryRow = 5;
} // namespace

VocabularyImportPlan ReadVocabularyImport(const Worksheet& sheet)
{
    VocabularyImportPlan plan;
    for (size_t i = 0; i < plan.lists.size(); ++i) {
        const int column = FirstColumn + int(i);
        QStringList& words = plan.lists[i];
        for (int k = 1;; ++k) {
            const int row = k + FirstEntryRow - 1;
            const QString word = FieldText(sheet.text(row, column));
            if (word.isEmpty())
                break;
            if (k > VocabularyImportPlan::MaxEntries) {
                plan.problems.append(ImportProblem{ImportProblem::Kind::TooManyEntries, row,
                                                   QString::fromLatin1(ColumnLetters(column)),
                                                   QString::number(VocabularyImportPlan::MaxEntries)});
                break;
            }
            words.append(word);
        }
    }
    return plan;
}

IoResult ApplyVocabularyImport(AppState& state, const VocabularyImportPlan& plan)
{
    // The ids the entries keep are those of the files as they are now.
    ReadVocabularyLists(state);
    for (size_t i = 0; i < plan.lists.size(); ++i) {
        const int list = VocabularyTable::FirstUsedList + int(i);
        const QStringList& words = plan.lists[i];
        const int count = int(words.size());
        for (int k = 1; k <= count; ++k) {
            VocabularyEntry entry = state.Vocabulary.entry(list, k);
            entry.word = words[k - 1];
            state.Vocabulary.setEntry(list, k, entry);
        }
        // The entry after the last word is the end mark; an old word there would be written too.
        state.Vocabulary.setEntry(list, count + 1, VocabularyEntry{});
        state.SharedSettings[ListCountLine(list)] = QString::number(count + 1);
    }
    return StoreVocabularyLists(state);
}

QString VocabularyImportDoneMessage()
{
    return QStringLiteral(" 在庫品項目Excel　インポートを。") + u'\r' + QStringLiteral(" 完了しました。");
}
