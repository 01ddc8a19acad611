#include "excel_import/vocabulary_import.h"

#include "excel_import/import_cell_values.h"
#include "excel_import/import_sheet_rows.h"
#include "storage/app_state.h"
#include "storage/cp932_codec.h"
#include "storage/field_text.h"
#include "storage/item_record.h"
#include "storage/settings_files.h"
#include "storage/vocabulary.h"
#include "workbook/cell_address.h"
#include "workbook/sheet_row_cells.h"
#include "workbook/worksheet.h"

namespace {
constexpr int FirstColumn = 2; // B holds list 2, … F list 6
constexpr int FirstEntryRow = 5;
} // namespace

VocabularyImportReader::VocabularyImportReader()
{
    m_nextRow.fill(FirstEntryRow);
}

bool VocabularyImportReader::take(const SheetRowCells& row)
{
    using Kind = ImportProblem::Kind;
    const int r = row.row();
    if (r < FirstEntryRow)
        return true;
    bool open = false;
    for (size_t i = 0; i < m_plan.lists.size(); ++i) {
        if (m_nextRow[i] == 0)
            continue;
        // A list ends at its first empty cell; a row without cells is one.
        if (r != m_nextRow[i]) {
            m_nextRow[i] = 0;
            continue;
        }
        const int column = FirstColumn + int(i);
        const QString letters = QString::fromLatin1(ColumnLetters(column));
        const auto problem = [&](Kind kind, const QString& value) {
            m_plan.problems.append(ImportProblem{kind, r, letters, value});
        };
        const ImportCell cell = ReadImportCell(row, column);
        if (cell.unreadable) {
            problem(Kind::NoResult, QString());
            ++m_nextRow[i];
            open = true;
            continue;
        }
        QString word = cell.text;
        if (word.isEmpty()) {
            m_nextRow[i] = 0;
            continue;
        }
        QStringList& words = m_plan.lists[i];
        if (words.size() >= VocabularyImportPlan::MaxEntries) {
            problem(Kind::TooManyEntries, QString::number(VocabularyImportPlan::MaxEntries));
            m_nextRow[i] = 0;
            continue;
        }
        // The list files quote their entries: a '"' cannot be kept.
        if (word.contains(u'"')) {
            problem(Kind::QuoteReplaced, word);
            word.replace(u'"', u'\'');
        }
        if (const QString missing = Cp932::missingCharacters(word); !missing.isEmpty())
            problem(Kind::MissingCharacters, missing);
        // An entry goes into the item's text fields: longer ones are cut there, at a character.
        const QByteArray bytes = Cp932::encode(word);
        if (bytes.size() > ItemRecord::TextWidth) {
            problem(Kind::TextCut, word);
            word = Cp932::decode(Cp932::cutToWidth(bytes, ItemRecord::TextWidth));
        }
        words.append(word);
        ++m_nextRow[i];
        open = true;
    }
    return open;
}

VocabularyImportPlan VocabularyImportReader::finish()
{
    return std::move(m_plan);
}

VocabularyImportPlan ReadVocabularyImport(const Worksheet& sheet)
{
    VocabularyImportReader reader;
    VisitWorksheetRows(sheet, [&reader](const SheetRowCells& row) { return reader.take(row); });
    return reader.finish();
}

WorkbookStatus ReadVocabularyImportWorkbook(const QString& path, VocabularyImportPlan& plan)
{
    VocabularyImportReader reader;
    const WorkbookStatus status = ReadImportRows(path, [&reader](const SheetRowCells& row) { return reader.take(row); });
    plan = reader.finish();
    return status;
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
