#include "excel_output/excel_error_report.h"
#include "storage/scripted_dialogs.h"

#include <gtest/gtest.h>

TEST(ExcelErrorReport, EachNumberShowsItsMessage)
{
    const QString output = QStringLiteral("Excel出力異常");
    const QString inUse = QStringLiteral("既にExcelが開かれてます、Excelを閉じて再出力して下さい。　");
    const QString settings = QStringLiteral("Excel出力設定の問題です、マニュアルでパソコンの設定を確認してください。　");
    const struct {
        int number;
        QString title;
        QString text;
    } cases[] = {
        {0, output, inUse},
        {9, output, inUse},
        {70, output, inUse},
        {51, output, QStringLiteral("Excel自体のエラーです、Excel（Office)を確認してください。　")},
        {53, output, QStringLiteral("原本Excelフォルダー内のExcelファイル\r　在庫出力台帳.xlsx\r　　が見つかりません。")},
        {61, output, QStringLiteral("ディスクの空き容量が不足しているため、Excelファイルを出力できません。　")},
        {71, output, QStringLiteral("ディスクが準備されていません。　")},
        {75, output, QStringLiteral("出力Excelフォルダーに書き込みできません。\rフォルダーとファイルの書き込み権限を確認してください。　")},
        {76, output,
         QStringLiteral("原本Excelフォルダーか\r出力Excelフォルダーが見つかりません。\r"
                        "原本Excelフォルダー位置及び出力Excelフォルダー位置\r　を確認してください。")},
        {432, QStringLiteral("Excel異常"), QStringLiteral("Excelファイル名称が違います。　")},
        {429, output, settings},
        {-1, output, settings},
    };
    for (const auto& c : cases) {
        ScriptedDialogs dialogs;
        ExcelErrorReport(dialogs, c.number);
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_FALSE(dialogs.shown()[0].question);
        EXPECT_EQ(dialogs.shown()[0].title, c.title) << c.number;
        EXPECT_EQ(dialogs.shown()[0].text, c.text) << c.number;
    }
}
