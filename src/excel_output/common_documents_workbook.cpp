#include "excel_output/common_documents_workbook.h"

#include "excel_output/output_paths.h"
#include "storage/app_state.h"
#include "workbook/workbook.h"
#include "workbook/workbook_operations.h"

#include <QFileInfo>

namespace {
constexpr long long CaptionColour = 16777184; // RGB 224, 255, 255
enum : int { ColB = 2, ColLast = 7 };
constexpr int CaptionRow = 4;
} // namespace

QString CommonDocumentsWorkbookPath(const AppState& state)
{
    return OutputFolderPath(state) + QStringLiteral("0共通在庫資料.xlsx");
}

void WriteCommonDocumentsSheet(Workbook& book)
{
    book.Cells(3, ColB).setValue(QStringLiteral("在庫品共通資料一覧"));
    book.Cells(3, ColB).setFontSize(14);
    book.Cells(3, ColB).setFontBold(true);
    static const char16_t* const captions[] = {u"No", u"添付資料名", u"添付資料リンク先", u"更新年月日", u"更新者名",
                                               u"  備     考"};
    for (int i = 0; i < 6; ++i)
        book.Cells(CaptionRow, ColB + i).setValue(QString::fromUtf16(captions[i]));
    const int lastRow = CaptionRow + CommonDocumentRows;
    for (int n = 1; n <= CommonDocumentRows; ++n)
        book.Cells(CaptionRow + n, ColB).setValue(n);

    SheetRange captionRow = book.Range(book.Cells(CaptionRow, ColB), book.Cells(CaptionRow, ColLast));
    captionRow.setInteriorColor(CaptionColour);
    captionRow.setFontBold(true);
    SheetRange table = book.Range(book.Cells(CaptionRow, ColB), book.Cells(lastRow, ColLast));
    for (int index = BorderIndex::EdgeLeft; index <= BorderIndex::InsideHorizontal; ++index)
        table.setBorderLineStyle(index, LineStyle::Continuous);
    const double widths[] = {4, 6, 30, 40, 14, 14, 30};
    for (int column = 1; column <= ColLast; ++column)
        book.Cells(1, column).setColumnWidth(widths[column - 1]);
    book.Range(book.Cells(CaptionRow, ColB), book.Cells(lastRow, ColB)).setRowHeight(20);
}

CommonDocumentsResult OpenCommonDocumentsWorkbook(AppState& state, DesktopHandover* desktop)
{
    CommonDocumentsResult result;
    result.path = CommonDocumentsWorkbookPath(state);
    if (QFileInfo::exists(result.path)) {
        // The user's list: opened as it is, never rewritten.
        if (desktop)
            result.status = OpenForEditing(result.path, *desktop);
        return result;
    }
    std::unique_ptr<Workbook> book;
    result.status = OpenOutputFromTemplate(TemplateWorkbookPath(state), result.path, book);
    if (!result.status)
        return result;
    book->ScreenUpdating = false;
    WriteCommonDocumentsSheet(*book);
    result.status = desktop ? FinishForUser(book, *desktop) : book->save();
    // Saved first, then handed over: a refusal of the desktop leaves the new file in place.
    result.created = result.status.ok() || result.status.error == WorkbookError::DesktopRefused;
    return result;
}
