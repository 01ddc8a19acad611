// The one box after a workbook output: where the file is, that no program took it, or the error.
#include "excel_output/excel_error_report.h"
#include "excel_output/workbook_output_notice.h"
#include "storage/scripted_dialogs.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(WorkbookOutputNotice, EachOutcomeShowsOneInformationBoxWithThePath)
{
    const QString path = QStringLiteral("/data/M在庫台帳/在庫品台帳2026年05月.xlsx");
    const QString shown = QStringLiteral("　") + QDir::toNativeSeparators(path);
    const QString refused = QStringLiteral("　このファイルを表計算ソフトで開いてください。");
    const WorkbookStatus ok = WorkbookStatus::success();
    const WorkbookStatus notTaken = WorkbookStatus::failure(WorkbookError::DesktopRefused, QStringLiteral("none"));
    const WorkbookStatus missing = WorkbookStatus::failure(WorkbookError::FileNotFound, QStringLiteral("template"));
    const struct {
        const char* what;
        WorkbookStatus status;
        bool written;
        bool there;
        QString title; // empty: no box
        QString text;
    } cases[] = {
        {"written and opened", ok, true, true, QStringLiteral("Excel出力完了"),
         QStringLiteral("　Excelファイルを出力しました。\r") + shown},
        {"user's own list opened", ok, false, true, QString(), QString()},
        {"written, no program", notTaken, true, true, QStringLiteral("Excel出力確認"),
         QStringLiteral("　Excelファイルを出力しましたが、開くソフトが見つからないため開けませんでした。\r") + shown + u'\r'
             + refused},
        {"user's own list, no program", notTaken, false, true, QStringLiteral("Excel出力確認"),
         QStringLiteral("　開くソフトが見つからないため、Excelファイルを開けませんでした。\r") + shown + u'\r' + refused},
        {"failed before writing", missing, true, false, ExcelErrorText(53).title, ExcelErrorText(53).text},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedDialogs dialogs;
        EXPECT_EQ(ReportWorkbookOutput(dialogs, c.status, path, c.written), c.there);
        if (c.title.isEmpty()) {
            EXPECT_TRUE(dialogs.shown().isEmpty());
            continue;
        }
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_FALSE(dialogs.shown()[0].question);
        EXPECT_EQ(dialogs.shown()[0].title, c.title);
        EXPECT_EQ(dialogs.shown()[0].text, c.text);
    }
}
