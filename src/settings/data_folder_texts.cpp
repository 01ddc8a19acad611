#include "settings/data_folder_texts.h"

#include "storage/dialogs.h"

QString RegisterQuestion(const QString& dataFolder)
{
    return joinLines({dataFolder, QStringLiteral(" 設定位置をデータフォルダーとして確定登録しますか？")});
}

QString SameFolderMessage(const QString& dataFolder, const QString& oldFolder)
{
    return joinLines({QStringLiteral(" ※フォルダー位置が同じです。　"), dataFolder, oldFolder,
                      QStringLiteral("　確認してください。")});
}

QString EmptyPathMessage()
{
    return joinLines({QStringLiteral(" ※データフォルダー位置が指定されていません。"),
                      QStringLiteral("　フォルダーを指定してください。")});
}

QString UnstorablePathMessage(const QString& path)
{
    return joinLines({QStringLiteral(" ※このフォルダー名は設定ファイルに登録できません。"), path,
                      QStringLiteral("　ダブルクォート(\")や登録できない文字を含まないフォルダーを指定してください。")});
}

QString TargetIsProgramFolderMessage(const QString& target)
{
    return joinLines({QStringLiteral("※新規作成フォルダー　"), target,
                      QStringLiteral("　はデータフォルダ―位置として指定できません。（※基本フォルダー）")});
}

QString TargetIsSourceMessage(const QString& source, const QString& target)
{
    return joinLines({QStringLiteral("※新旧フォルダーの位置が同じです。　"), source, target,
                      QStringLiteral("　新規作成データフォルダ―位置を確認してください。")});
}

QString TargetMissingMessage(const QString& target)
{
    return joinLines({QStringLiteral("※新規作成フォルダー　"), target,
                      QStringLiteral("　が見つかりません。フォルダーを作成してから転送してください。")});
}

QString TransferQuestion(const QString& source, const QString& target)
{
    return joinLines({target, QStringLiteral("　の新規フォルダーにExce出力フォルダーを作成"), source,
                      QStringLiteral(" からリスト項目転送・在庫管理データを転送"),
                      QStringLiteral("　※データを転送し新規データフォルダー位置として確定登録します。"), QString(),
                      QStringLiteral("※注意：共通サーバー運用時（数台のｸﾗｲｱﾝﾄﾊﾟｿｺﾝ運用）のデータ転送は"),
                      QStringLiteral("　メインクライアントで1回行えばその他のクライアントパソコンは"),
                      QStringLiteral("　データフォルダー位置設定のみでデータ転送は必要ありません。　")});
}

QString SubFolderExistsMessage()
{
    return QStringLiteral("　データーフォルダーは既に存在します。");
}

QString CopyQuestion(const QString& source, const QString& target)
{
    return joinLines({QStringLiteral("※フォルダー変更位置にデータ転送"), QStringLiteral("※移動元"), source,
                      QStringLiteral("※移動先"), target, QString(),
                      QStringLiteral("　　リスト項目データを転送します？　")});
}

QString CopyFailedMessage(const QString& name)
{
    return name + QStringLiteral("のファイル転送が出来ません。");
}

QString DailyWorkbookCopyFailedMessage()
{
    return QStringLiteral("M在庫資料\\Mb入出庫月報.xlsファイル転送が出来ません。");
}

QString TransferIncompleteMessage()
{
    return joinLines({QStringLiteral("新データフォルダー位置は確定しましたが、正常にデータの"),
                      QStringLiteral("　転送が完了できません。"),
                      QStringLiteral("　※転送先フォルダー内のデータを確認し　"),
                      QStringLiteral("　　転送が正常にできない時は、手動で転送元フォルダーから"),
                      QStringLiteral("　　不足ファイルをコピーし転送先フォルダーに貼り付けでください。　")});
}

QString TransferCompleteMessage()
{
    return joinLines({QStringLiteral("※新規フォルダーにデータ転送が完了しました。"),
                      QStringLiteral("　①リスト項目 Mb在庫品02.dat～ Mb在庫品07.dat転送"),
                      QStringLiteral("　②Ma在庫品.dat転送"), QStringLiteral("　③Excel出力フォルダー作成完了"),
                      QStringLiteral("　※フォルダーを新データフォルダーに登録変更完了　"),
                      QStringLiteral("　　登録コマンドを押す必要はありません。")});
}

QString PanelRecoveryQuestion(const QString& dataFolder)
{
    return joinLines({dataFolder,
                      QStringLiteral(" データフォルダー位置がおかしいです。   ※リスト項目データがありません。"),
                      QStringLiteral(" 一旦クライアントフォルダー設定に戻します。")});
}

QString ReturnToProgramFolderQuestion(const QString& dataFolder, const QString& clientFolder)
{
    return joinLines({QStringLiteral("※データフォルダー配置位置変更"),
                      QStringLiteral("　Ma在庫品基礎.dat・リスト項目・在庫品.dat・・Excel"),
                      QStringLiteral("　出力フォルダーの現在の配置は"), QStringLiteral(" ") + dataFolder,
                      QStringLiteral("　です。"), clientFolder, QStringLiteral("Setup時の初期状態に戻します。"),
                      QStringLiteral("　変更しますか？")});
}

QString PlacementExplanation(const QString& clientFolder)
{
    return joinLines({QStringLiteral("※データフォルダ配置変更"), QStringLiteral("　ソフトのSetUp時データフォルダー配置は"),
                      clientFolder, QStringLiteral("　に配置されてます。　"),
                      QStringLiteral("　右枠でデータフォルダ―  "), clientFolder,
                      QStringLiteral("　以外のフォルダーに変更した時点にDF枠色がピンクに"),
                      QStringLiteral("　自動で変更されます。"),
                      QStringLiteral("　※Ma在庫品基礎.dat・Ma在庫品.dat・リスト項目"),
                      QStringLiteral("　Excel出力のフォルダー位置が変わります。"),
                      QStringLiteral("　ProgramFile枠クリックで、ソフトのSetUp時のデータフォルダー配置"),
                      QStringLiteral("　に戻り枠色がピンクになります。")});
}

QString DataFolderPanelExplanation()
{
    return joinLines({QStringLiteral("※データフォルダー設定"), QStringLiteral("　①データフォルダーをexplorer等で新規に作成"),
                      QStringLiteral("　②フォルダー設定画面で対象フォルダーを指定"),
                      QStringLiteral("　③【新フォルダーファイル転送】コマンドを使って"),
                      QStringLiteral("　　リスト項目データーの転送。"), QStringLiteral("　　在庫台帳データー転送"),
                      QStringLiteral("　　Excel出力フォルダ作成まで"),
                      QStringLiteral("　　自動転送実行、データーフォルダー確定登録"),
                      QStringLiteral("　　これで新データフォルダー管理可能状態となります。"),
                      QStringLiteral("※多数クライアントサーバー運用時は,MAINクライアント"),
                      QStringLiteral("　　で設定し他クライアントはデーター位置設定のみで完了"),
                      QStringLiteral("　※履歴データフォルダの年毎管理を推奨します。")});
}

