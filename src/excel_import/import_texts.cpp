#include "excel_import/import_texts.h"

#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/file_error.h"
#include "storage/io_result.h"

QString ImportWindowTitle()
{
    return QStringLiteral("　インポート ") + AppState::ProductName;
}

QString ImportHelpText()
{
    return joinLines({
        QStringLiteral("本ソフトに添付されているインポート用ExceLファイルで編集すれば　"),
        QStringLiteral("ListBox表示文言と在庫管理台帳のインポート（取り込み）が可能です。　"),
        QStringLiteral(" インポート用のExcelファイル名は"),
        QStringLiteral("①List項目＝Mb在庫品項目INP.xls　②在庫品台帳＝Mb在庫品INP.xls"),
        QStringLiteral("　で,様式が決まっていますので,このExcelにデータを貼り付け"),
        QStringLiteral(" 　読み込みフォルダーにExcelを 配置してください。"),
        QStringLiteral("　フォルダー位置は任意"),
        QStringLiteral("※使用の方法　当ソフトで作成したデータをExcelに出力"),
        QStringLiteral("　確認修正→Excelファイル名を変更後インポートを行う方法もあります。"),
        QStringLiteral(" ※インポート用のExcelファイルは"),
        QStringLiteral("　C:\\VORN在庫管理\\原本INP\\内にあります。"),
    });
}

QString WorkbookListExplanation()
{
    return joinLines({
        QStringLiteral("インポートフォルダー設定"),
        QStringLiteral("※注意　ここでExcelファイルを選択しクリックする必要はありません。"),
        QStringLiteral("　指定フォルダーに対象Excelインポートファイルの有無確認のみです。"),
    });
}

QString NoImportFolderMessage()
{
    return QStringLiteral("インポート元のフォルダーが設定されてません。　");
}

QString ImportTimePrompt()
{
    return joinLines({QStringLiteral("自動取り込みの時刻を 時:分 で入力してください。"),
                      QStringLiteral("　例　09:05　（空欄で時刻設定を解除します）")});
}

QString InvalidImportTimeMessage(const QString& typed)
{
    return joinLines({QStringLiteral("「") + typed + QStringLiteral("」は時刻として読めません。"),
                      QStringLiteral("　時:分（例　09:05）で入力してください。")});
}

QString NoImportTimeMessage()
{
    return joinLines({QStringLiteral("取り込時刻が設定されていません。"),
                      QStringLiteral("　取り込時刻設定で時刻を設定してください。")});
}

QString SaveFailureMessage(const IoResult& io)
{
    return joinLines({QStringLiteral(" ") + DescribeFileError(ClassifyFileError(io.errorCode, io.path)),
                      QStringLiteral("　") + io.path});
}
