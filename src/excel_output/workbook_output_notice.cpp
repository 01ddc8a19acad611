#include "excel_output/workbook_output_notice.h"

#include "excel_output/excel_error_report.h"
#include "storage/dialogs.h"

#include <QDir>

namespace {
QString shownPath(const QString& path)
{
    return QStringLiteral("　") + QDir::toNativeSeparators(path);
}
} // namespace

WorkbookOutputNotice WorkbookWrittenNotice(const QString& path)
{
    return {QStringLiteral("Excel出力完了"), joinLines({QStringLiteral("　Excelファイルを出力しました。"), shownPath(path)})};
}

WorkbookOutputNotice WorkbookNotOpenedNotice(const QString& path, bool written)
{
    const QString first = written ? QStringLiteral("　Excelファイルを出力しましたが、開くソフトが見つからないため開けませんでした。")
                                  : QStringLiteral("　開くソフトが見つからないため、Excelファイルを開けませんでした。");
    return {QStringLiteral("Excel出力確認"),
            joinLines({first, shownPath(path), QStringLiteral("　このファイルを表計算ソフトで開いてください。")})};
}

bool ReportWorkbookOutput(Dialogs& dialogs, const WorkbookStatus& status, const QString& path, bool written)
{
    if (status.ok()) {
        if (written) {
            const WorkbookOutputNotice notice = WorkbookWrittenNotice(path);
            dialogs.inform(notice.title, notice.text);
        }
        return true;
    }
    if (status.error == WorkbookError::DesktopRefused) {
        const WorkbookOutputNotice notice = WorkbookNotOpenedNotice(path, written);
        dialogs.inform(notice.title, notice.text);
        return true;
    }
    ExcelErrorReport(dialogs, status.error);
    return false;
}
