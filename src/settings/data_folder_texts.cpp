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

QString CopyQuestion(const QString& source, const QString& target)
{
    return joinLines({QStringLiteral("※フォルダー変更位置にデータ転送"), QStringLiteral("※移動元"), source,
                      QStringLiteral("※移動先"), target, QString(),
                      QStringLiteral("　　リスト項目データを転送します？　")});
}

QString CopyFailedMessage(const QString& name, const QString& reason)
{
    const QString text = name + QStringLiteral("のファイル転送が出来ません。");
    return reason.isEmpty() ? text : joinLines({text, QStringLiteral("　") + reason});
}

QString CopyDiffersReason()
{
    return QStringLiteral("転送先に書いた内容が元のファイルと一致しません。");
}

QString TransferNotDoneMessage(const QString& source, bool copiesPending)
{
    QString text = joinLines({QStringLiteral("※データ転送を完了できませんでした。"),
                              QStringLiteral("　データフォルダーは転送元の"), QStringLiteral("　") + source,
                              QStringLiteral("　のままです。転送元のデータは変わっていません。"),
                              QStringLiteral("　原因を取り除いてから、もう一度データ転送を行ってください。")});
    if (copiesPending)
        text = joinLines({text, QStringLiteral("　※転送先には転送途中のファイルがあります。次回の起動時"),
                          QStringLiteral("　　（またはデータフォルダー設定を開いたとき）に、転送をやり直すか"),
                          QStringLiteral("　　転送元に戻すかを確認します。")});
    return text;
}

QString TransferBusyMessage(const QString& source)
{
    return joinLines({QStringLiteral("※他のクライアントが在庫台帳を使用中のため、データ転送を始められません。"),
                      QStringLiteral("　何もコピーしていません。データフォルダーは"), QStringLiteral("　") + source,
                      QStringLiteral("　のままです。しばらくしてからもう一度データ転送を行ってください。")});
}

QString TransferNotStartedMessage(const QString& source, const QString& reason, const QString& path)
{
    return joinLines({QStringLiteral("※データ転送を始められません。"), QStringLiteral("　") + reason,
                      QStringLiteral("　") + path, QStringLiteral("　何もコピーしていません。データフォルダーは"),
                      QStringLiteral("　") + source + QStringLiteral("　のままです。")});
}

QString TransferCompleteMessage()
{
    return joinLines({QStringLiteral("※新規フォルダーにデータ転送が完了しました。"),
                      QStringLiteral("　①リスト項目 Mb在庫品02.dat～ Mb在庫品07.dat転送"),
                      QStringLiteral("　②Ma在庫品.dat転送"), QStringLiteral("　③Excel出力フォルダー作成完了"),
                      QStringLiteral("　※フォルダーを新データフォルダーに登録変更完了　"),
                      QStringLiteral("　　登録コマンドを押す必要はありません。")});
}

namespace {

QString ledgerLine(const QString& caption, const QString& folder, const LedgerFacts& ledger)
{
    if (!ledger.exists)
        return caption + folder + QStringLiteral("　在庫台帳なし");
    return caption + folder + QStringLiteral("　%1件　更新 ").arg(ledger.items)
        + ledger.modified.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"));
}

} // namespace

QString TargetHoldsDataQuestion(const QString& source, const LedgerFacts& sourceLedger, const QString& target,
                                const LedgerFacts& targetLedger)
{
    QString newer;
    if (!sourceLedger.exists || targetLedger.modified > sourceLedger.modified)
        newer = QStringLiteral("　→ 転送先のデータのほうが新しく更新されています。");
    else if (targetLedger.modified < sourceLedger.modified)
        newer = QStringLiteral("　→ 転送元のデータのほうが新しく更新されています。");
    else
        newer = QStringLiteral("　→ 両方とも同じ時刻に更新されています。");
    return joinLines({QStringLiteral("※転送先のフォルダーには既に在庫台帳（Ma在庫品.dat）があります。"),
                      ledgerLine(QStringLiteral("　転送先 "), target, targetLedger),
                      ledgerLine(QStringLiteral("　転送元 "), source, sourceLedger), newer, QString(),
                      QStringLiteral("「はい」：データを転送せず、転送先のデータをそのまま使う"),
                      QStringLiteral("　　　　　データフォルダーとして登録します。（通常はこちら）"),
                      QStringLiteral("「いいえ」：転送先のデータを転送元のデータで置き換えるかを確認します。")});
}

QString ReplaceTargetQuestion(const QString& target, const QString& backupFolder)
{
    return joinLines({QStringLiteral("※転送先のデータを転送元のデータで置き換えます。"), QStringLiteral("　") + target,
                      QStringLiteral("　の在庫台帳・変更履歴・設定・リスト項目は、置き換える前に"),
                      QStringLiteral("　") + backupFolder,
                      QStringLiteral("　へ「_置換前_日付_時刻」を付けた名前で保存します。"), QString(),
                      QStringLiteral("　転送先で他のクライアントが登録したデータは使われなくなります。"),
                      QStringLiteral("　本当に置き換えますか？")});
}

QString RegisteredWithoutCopyMessage(const QString& target)
{
    return joinLines({QStringLiteral("※データは転送していません。"), QStringLiteral("　") + target,
                      QStringLiteral("　をデータフォルダーとして登録しました。")});
}

QString ReplacedDataKeptMessage(const QString& backupFolder)
{
    return joinLines({QStringLiteral("　※置き換える前の転送先のデータは"), QStringLiteral("　　") + backupFolder,
                      QStringLiteral("　　に保存しました。")});
}

QString HalfDoneTransferQuestion(const QString& source, const QString& target)
{
    return joinLines({QStringLiteral("※前回のデータ転送が途中で終わっています。"), QStringLiteral("　転送元 ") + source,
                      QStringLiteral("　転送先 ") + target, QString(),
                      QStringLiteral("「はい」：転送をやめて、転送元のフォルダーでそのまま使います。"),
                      QStringLiteral("　　　　　（転送元のデータは変わっていません）"),
                      QStringLiteral("「いいえ」：転送を最後まで行うかを確認します。")});
}

QString FinishTransferQuestion(const QString& source, const QString& target)
{
    return joinLines({QStringLiteral("※転送元のデータをもう一度転送先へコピーし、転送先に切り替えますか？"),
                      QStringLiteral("　転送元 ") + source, QStringLiteral("　転送先 ") + target, QString(),
                      QStringLiteral("　「いいえ」では何も変えません（次回も確認します）。"),
                      QStringLiteral("　それまで他のクライアントは停止したままです。")});
}

QString TransferGivenUpMessage(const QString& source)
{
    return joinLines({QStringLiteral("※データ転送を取りやめました。データフォルダーは"), QStringLiteral("　") + source,
                      QStringLiteral("　のままです。")});
}

QString TransferCompletedLaterMessage(const QString& target)
{
    return joinLines({QStringLiteral("※前回のデータ転送は転送先への書き込みまで終わっていました。"),
                      QStringLiteral("　データフォルダーを"), QStringLiteral("　") + target,
                      QStringLiteral("　に切り替えました。")});
}

QString NoDataYetQuestion(const QString& dataFolder, const QString& previous)
{
    return joinLines({dataFolder, QStringLiteral(" のデータフォルダーにはまだデータがありません。（データ転送前）"),
                      QStringLiteral(" 前のデータフォルダー"), QStringLiteral(" ") + previous,
                      QStringLiteral(" に戻しますか？")});
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

QString UseMovedProgramFolderQuestion(const QString& clientFolder, const QString& movedTo)
{
    return joinLines({QStringLiteral("　") + clientFolder, QStringLiteral("　のデータは ") + movedTo + QStringLiteral(" に転送済みで、"),
                      QStringLiteral("　転送した時のままです（その後の登録は入っていません）。"),
                      QStringLiteral("　このフォルダーのデータを、再び書き込むデータとして使いますか？"),
                      QStringLiteral("　※以後、転送先のデータとは別々になります。")});
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

