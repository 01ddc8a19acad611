#include "excel_output/vocabulary_workbook.h"

#include "excel_output/output_paths.h"
#include "storage/app_state.h"
#include "storage/field_text.h"
#include "storage/vocabulary.h"
#include "workbook/workbook.h"
#include "workbook/workbook_operations.h"

#include <algorithm>

namespace {
constexpr long long CaptionColour = 16777164; // RGB 204, 255, 255
enum : int { ColA = 1, ColB = 2, ColE = 5, ColF = 6 };
constexpr int CaptionRow = 4;
} // namespace

QString VocabularyWorkbookPath(const AppState& state, const QDate& date)
{
    return OutputFolderPath(state) + QStringLiteral("在庫品項目") + OutputMonthText(date) + QStringLiteral(".xlsx");
}

int LargestListCount(const AppState& state)
{
    int largest = 0;
    for (int list = VocabularyTable::FirstUsedList; list <= VocabularyTable::LastUsedList; ++list) {
        const double count = ReadNumber(state.SharedSettings[ListCountLine(list)]);
        // A count line that does not fit the list's capacity cannot stretch the ruling further.
        largest = std::max(largest, int(std::clamp(count, 0.0, double(VocabularyTable::EntryCapacity))));
    }
    return largest;
}

void WriteVocabularySheet(Workbook& book, const AppState& state)
{
    book.Cells().setTextNumberFormat();
    book.Cells(3, ColB).setValue(QStringLiteral("在庫品リストBox項目"));
    book.Cells(1, ColA).setColumnWidth(4);
    for (int column = ColB; column <= ColE; ++column)
        book.Cells(1, column).setColumnWidth(20);

    const int largest = LargestListCount(state);
    for (int i = 0; i < 4; ++i)
        book.Cells(CaptionRow, ColB + i).setValue(state.ColumnCaptions[size_t(3 + i)]);
    book.Cells(CaptionRow, ColF).setValue(state.ColumnCaptions[9]);

    Worksheet& sheet = book.sheet();
    for (int list = VocabularyTable::FirstUsedList; list <= VocabularyTable::LastUsedList; ++list) {
        for (int k = 1; k < VocabularyTable::EntryCapacity; ++k) {
            const QString word = FieldText(state.Vocabulary.entry(list, k).word);
            if (word.isEmpty())
                break;
            // Text, so that a word of digits keeps its leading zeros.
            sheet.setText(CaptionRow + k, list, word);
        }
    }
    book.Range(book.Cells(CaptionRow, ColB), book.Cells(CaptionRow, ColF)).setInteriorColor(CaptionColour);
    SheetRange table = book.Range(book.Cells(CaptionRow, ColB), book.Cells(CaptionRow + largest, ColF));
    for (int index = BorderIndex::EdgeLeft; index <= BorderIndex::InsideHorizontal; ++index)
        table.setBorderLineStyle(index, LineStyle::Continuous);
}

VocabularyWorkbookResult ExportVocabularyWorkbook(AppState& state, DesktopHandover* desktop, const QString& outputPath)
{
    VocabularyWorkbookResult result;
    result.path = outputPath.isEmpty() ? VocabularyWorkbookPath(state, QDate::currentDate()) : outputPath;
    std::unique_ptr<Workbook> book;
    result.status = OpenOutputFromTemplate(TemplateWorkbookPath(state), result.path, book);
    if (!result.status)
        return result;
    book->ScreenUpdating = false;
    WriteVocabularySheet(*book, state);
    result.status = desktop ? FinishForUser(book, *desktop) : book->save();
    return result;
}
