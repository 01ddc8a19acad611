#include "excel_import/daily_inout_workbook.h"

#include "excel_import/import_workbook_path.h"
#include "excel_output/output_paths.h"
#include "storage/app_state.h"
#include "storage/file_error.h"
#include "storage/paths.h"
#include "storage/safe_file.h"
#include "workbook/workbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString BlankFormName = QStringLiteral("Mb入出庫月報.xlsx");
constexpr int CaptionRow = 3;
constexpr int FirstPairRow = 4;
constexpr int PairCount = 50;
}

QString DailyInOutBlankFormPath(const AppState& state)
{
    return state.ClientFolder + QStringLiteral("原本INP") + PathSeparator + BlankFormName;
}

DailyWorkbookForEditing PrepareDailyInOutWorkbook(const AppState& state)
{
    DailyWorkbookForEditing result;
    result.path = DailyInOutWorkbookPath(state);
    if (QFileInfo(result.path).isFile())
        return result;

    const QString folder = DocumentsFolderPath(state);
    if (!QDir(folder).exists()) {
        result.problem = QStringLiteral("　M在庫資料フォルダーが見つかりません。") + u'\r' + QStringLiteral("　") + folder;
        return result;
    }
    const QString form = DailyInOutBlankFormPath(state);
    QFile source(form);
    if (!source.open(QIODevice::ReadOnly)) {
        result.problem = QStringLiteral("　日毎入出庫数量の原本Excelファイルが見つかりません。") + u'\r' + QStringLiteral("　")
            + form;
        return result;
    }
    const QByteArray bytes = source.readAll();
    // Written whole or not at all: a half-copied form would later be taken for the workbook.
    result.path = folder + BlankFormName;
    const IoResult written = WriteFileAtomically(result.path, bytes);
    if (!written) {
        result.problem = QStringLiteral("　日毎入出庫数量のExcelファイルを作成できません。") + u'\r' + QStringLiteral("　")
            + DescribeFileError(ClassifyFileError(written.errorCode, result.path)) + u'\r' + QStringLiteral("　")
            + result.path;
        return result;
    }
    result.created = true;
    return result;
}

WorkbookStatus WriteDailyInOutBlankForm(const QString& path)
{
    auto book = Workbook::createBlank(path);
    int column = 2;
    for (const char16_t* caption : {u"年月", u"在庫品No", u"品名", u"仕様", u"入出庫", u"月合計"}) {
        book->sheet().setText(CaptionRow, column, QString::fromUtf16(caption));
        book->Cells(CaptionRow, column).setFontBold(true);
        ++column;
    }
    for (int day = 1; day <= 31; ++day)
        book->sheet().setNumber(CaptionRow, 7 + day, day);
    const int lastRow = FirstPairRow + 2 * PairCount - 1;
    for (int row = FirstPairRow; row <= lastRow; ++row) {
        book->sheet().setText(row, 6, QString::fromUtf16(row % 2 == 0 ? u"入庫" : u"出庫"));
        const std::string sum = "SUM(H" + std::to_string(row) + ":AL" + std::to_string(row) + ")";
        book->sheet().setFormula(row, 7, sum, 0);
    }
    // A spreadsheet program takes "2026/04" typed into a General cell for a date.
    book->Range(book->Cells(FirstPairRow, 2), book->Cells(lastRow, 3)).setTextNumberFormat();
    return book->save();
}
