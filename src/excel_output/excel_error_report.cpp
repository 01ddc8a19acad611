#include "excel_output/excel_error_report.h"

#include "storage/dialogs.h"

ExcelErrorMessage ExcelErrorText(int errorNumber)
{
    const QString outputTitle = QStringLiteral("Excel出力異常");
    switch (errorNumber) {
    case 0:
    case 9:
    case 70:
        return {outputTitle, QStringLiteral("既にExcelが開かれてます、Excelを閉じて再出力して下さい。　")};
    case 51:
        return {outputTitle, QStringLiteral("Excel自体のエラーです、Excel（Office)を確認してください。　")};
    case 53:
        return {outputTitle, joinLines({QStringLiteral("原本Excelフォルダー内のExcelファイル"),
                                        QStringLiteral("　在庫出力台帳.xlsx"), QStringLiteral("　　が見つかりません。")})};
    case 61:
        return {outputTitle, QStringLiteral("ディスクの空き容量が不足しているため、Excelファイルを出力できません。　")};
    case 71:
        return {outputTitle, QStringLiteral("ディスクが準備されていません。　")};
    case 75:
        return {outputTitle,
                joinLines({QStringLiteral("出力Excelフォルダーに書き込みできません。"),
                           QStringLiteral("フォルダーとファイルの書き込み権限を確認してください。　")})};
    case 76:
        return {outputTitle,
                joinLines({QStringLiteral("原本Excelフォルダーか"), QStringLiteral("出力Excelフォルダーが見つかりません。"),
                           QStringLiteral("原本Excelフォルダー位置及び出力Excelフォルダー位置"),
                           QStringLiteral("　を確認してください。")})};
    case 432:
        return {QStringLiteral("Excel異常"), QStringLiteral("Excelファイル名称が違います。　")};
    default:
        return {outputTitle,
                QStringLiteral("Excel出力設定の問題です、マニュアルでパソコンの設定を確認してください。　")};
    }
}

void ExcelErrorReport(Dialogs& dialogs, int errorNumber)
{
    const ExcelErrorMessage message = ExcelErrorText(errorNumber);
    dialogs.inform(message.title, message.text);
}
