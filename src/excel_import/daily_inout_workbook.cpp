#include "excel_import/daily_inout_workbook.h"

#include "excel_import/import_workbook_path.h"
#include "excel_output/output_paths.h"
#include "storage/app_state.h"
#include "storage/file_error.h"
#include "storage/paths.h"
#include "storage/safe_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString BlankFormName = QStringLiteral("Mb入出庫月報.xlsx");
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
