#include "excel_output/item_spec_workbook.h"

#include "excel_output/output_paths.h"
#include "ledger/edit_frame_cells.h"
#include "storage/app_state.h"
#include "storage/item_record.h"
#include "storage/settings_lines.h"
#include "storage/field_text.h"
#include "workbook/workbook.h"
#include "workbook/workbook_operations.h"

#include <QFileInfo>

namespace {
constexpr long long CaptionColour = 16777184; // RGB 224, 255, 255
enum : int { ColA = 1, ColB = 2, ColC = 3, ColD = 4, ColE = 5, ColF = 6 };

// Characters a file name may not hold on any of the systems the data folder is shared with.
bool usableInFileName(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || QStringView(u"\\/:*?\"<>|").contains(c))
            return false;
    }
    return text != QStringLiteral(".") && text != QStringLiteral("..");
}
} // namespace

QString NoCurrentItemMessage()
{
    return QStringLiteral("　　  在庫仕様Excelを出力できません。　　　　");
}

QString NoCurrentItemTitle()
{
    return QStringLiteral("設備台帳確認");
}

ItemSpecContent ItemSpecContentOf(const AppState& state, const ItemRecord& record)
{
    const FrameCells cells = FilledCells(record, ReadFlag(state.SharedSettings[SharedLine::Decimals]));
    ItemSpecContent content;
    content.itemNumber = record.text(ItemField::Number).trimmed();
    content.captions = {state.ColumnCaptions[3], state.ColumnCaptions[4], state.ColumnCaptions[5],
                        state.ColumnCaptions[6], QStringLiteral("単　価　 ")};
    for (int column = ItemColumn::Name; column <= ItemColumn::UnitPrice; ++column)
        content.values[size_t(column)] = cells.item[size_t(column)].trimmed();
    return content;
}

QString ItemSpecWorkbookPath(const AppState& state, const QString& itemNumber)
{
    return DocumentsFolderPath(state) + QStringLiteral("在庫品仕様") + itemNumber + QStringLiteral(".xlsx");
}

void WriteItemSpecSheet(Workbook& book, const ItemSpecContent& content)
{
    auto range = [&book](int row1, int column1, int row2, int column2) {
        return book.Range(book.Cells(row1, column1), book.Cells(row2, column2));
    };
    book.Cells(2, ColB).setValue(QStringLiteral("在庫品仕様"));
    book.Cells(2, ColB).setFontSize(16);
    book.Cells(2, ColB).setFontBold(true);
    book.Cells(4, ColB).setValue(QStringLiteral("在庫品番号"));
    book.Cells(4, ColC).setValue(content.itemNumber.trimmed());
    book.Cells(6, ColB).setValue(QStringLiteral("　　在庫品台帳項目"));
    book.Cells(6, ColD).setValue(QStringLiteral("　　在庫品仕様項目"));
    book.Cells(6, ColE).setValue(QStringLiteral("　　在庫品仕様内容"));
    for (int i = 0; i < 5; ++i)
        book.Cells(7 + i, ColB).setValue(content.captions[size_t(i)]);
    // An emptied value clears the cell that an earlier output filled.
    for (int i = 0; i < 5; ++i)
        book.Cells(7 + i, ColC).setValue(content.values[size_t(i)].trimmed());

    const double widths[] = {4, 20, 30, 30, 40};
    for (int column = ColA; column <= ColE; ++column)
        book.Cells(1, column).setColumnWidth(widths[column - 1]);
    range(4, ColB, 4, ColC).setFontSize(12);
    range(4, ColB, 4, ColC).setFontBold(true);
    for (int row = 6; row <= 37; ++row)
        range(row, ColB, row, ColE).setBorderLineStyle(BorderIndex::EdgeTop, LineStyle::Continuous);
    range(4, ColB, 4, ColC).setBorderLineStyle(BorderIndex::EdgeTop, LineStyle::Continuous);
    range(5, ColB, 5, ColC).setBorderLineStyle(BorderIndex::EdgeTop, LineStyle::Continuous);
    for (int column : {ColB, ColC, ColD})
        book.Cells(4, column).setBorderLineStyle(BorderIndex::EdgeLeft, LineStyle::Continuous);
    book.Cells(4, ColB).setInteriorColor(CaptionColour);
    range(6, ColB, 6, ColE).setInteriorColor(CaptionColour);
    range(6, ColB, 36, ColB).setInteriorColor(CaptionColour);
    range(6, ColD, 36, ColD).setInteriorColor(CaptionColour);
    range(6, ColB, 36, ColB).setBorderLineStyle(BorderIndex::EdgeLeft, LineStyle::Continuous);
    range(7, ColC, 36, ColC).setBorderLineStyle(BorderIndex::EdgeLeft, LineStyle::Continuous);
    for (int column : {ColD, ColE, ColF})
        range(6, column, 36, column).setBorderLineStyle(BorderIndex::EdgeLeft, LineStyle::Continuous);
    range(6, ColB, 36, ColF).setRowHeight(20);
}

ItemSpecResult ExportItemSpecWorkbook(AppState& state, DesktopHandover* desktop, const ItemSpecContent& content)
{
    ItemSpecResult result;
    const QString number = content.itemNumber.trimmed();
    // A name that would leave the documents folder or that the file system refuses is the
    // "wrong file name" case, reported before anything is written.
    if (!usableInFileName(number)) {
        result.status = WorkbookStatus::failure(WorkbookError::NotAWorkbook, QStringLiteral("item number unusable in a file name"));
        return result;
    }
    result.path = ItemSpecWorkbookPath(state, number);
    result.created = !QFileInfo::exists(result.path);
    std::unique_ptr<Workbook> book;
    result.status = OpenReusableOutput(TemplateWorkbookPath(state), result.path, book);
    if (!result.status)
        return result;
    book->ScreenUpdating = false;
    book->EnableEvents = false;
    WriteItemSpecSheet(*book, content);
    book->ScreenUpdating = true;
    book->EnableEvents = true;
    result.status = desktop ? FinishForUser(book, *desktop) : book->save();
    return result;
}
