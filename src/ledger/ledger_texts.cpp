#include "ledger/ledger_texts.h"

#include "storage/app_state.h"
#include "storage/dialogs.h"

QString LedgerWindowTitle()
{
    return AppState::ProductName + QStringLiteral("　登録・訂正 ");
}

QString CountLabelText(int count)
{
    return QStringLiteral("総数 ") + QString::number(count);
}

QString RecordNoLabelText(int recordNo)
{
    return QStringLiteral(" No ") + QString::number(recordNo);
}

QString EditFrameExplanation()
{
    return joinLines({QStringLiteral("　この枠表を使ってデータの編集・登録を行います。"),
                      QStringLiteral("　この表の空いているスペースにマウスを合わせクリックドラックし"),
                      QStringLiteral("　色々な位置に移動できます。"),
                      QStringLiteral("　　▼　▲クリックで元の位置に戻ります。")});
}

QString CalculationExplanation()
{
    return joinLines({QStringLiteral("【 算出方法 】  "),
                      QStringLiteral("①前年度在庫 　期首に前年度の当期在庫数量からの移行値 "),
                      QStringLiteral("※任意数値入力も可能"),
                      QStringLiteral("②適正在庫　　健全な在庫数量値"),
                      QStringLiteral("③在庫数量　前年在庫・入庫・出庫から在庫数量の計算結果"),
                      QStringLiteral("④予定数量　年間入出庫の目標数量 "),
                      QStringLiteral("※計算方法　入出庫を入力すると、入出庫計が計算され "),
                      QStringLiteral("　在庫数量＝前年在庫＋入庫計ー出庫計が計算され"),
                      QStringLiteral("　在庫金額＝在庫数量×単価　計算されます。")});
}

QString ColourExplanation()
{
    return joinLines({QStringLiteral("①在庫数量が適正数量を下回った時は枠色が薄い青に着色"),
                      QStringLiteral("②出庫入力の時、計算在庫数がマイナスになった時"),
                      QStringLiteral("　出庫数が入庫数を超えてますのメッセージが表示され元の値に"),
                      QStringLiteral("　自動で以前値に戻ります。"),
                      QStringLiteral("　在庫数が０になった時は薄ピンクに着色されます。"),
                      QStringLiteral("　在庫品Excel出力時適正数量が下回った時は枠が網掛け文字"),
                      QStringLiteral("　在庫数ゼロ時枠が網掛けとなります。　")});
}

QString BackupMarkExplanation()
{
    return joinLines({QStringLiteral("データバックアップ設定有りで□が表示され"),
                      QStringLiteral("　　正常にデータがﾊﾞｯｸｱｯﾌﾟで赤色に変色")});
}

QString EntryPlaceChangedMessage()
{
    return QStringLiteral("入力先の品目・欄が変わったため、この入力は取り消しました。") + u'\r'
        + QStringLiteral("入力する欄をもう一度クリックしてください。");
}

QString NotANumberMessage(const QString& typed)
{
    return QStringLiteral("「") + typed + QStringLiteral("」は数値ではありません。") + u'\r'
        + QStringLiteral("半角の数字（小数点・マイナス可、桁区切りの「,」は不要）で入力してください。") + u'\r'
        + QStringLiteral("入力以前の数値に戻します。　");
}

QString UnsavedEntriesQuestion()
{
    return QStringLiteral("登録されていない変更があります。登録しますか？");
}

QString UnknownItemNumberMessage(const QString& number)
{
    return QStringLiteral("在庫品No「") + number + QStringLiteral("」の品目は台帳にありません。");
}
