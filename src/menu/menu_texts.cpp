#include "menu/menu_texts.h"

#include "storage/dialogs.h"

#include <QStringList>

QString AlertHelpText()
{
    // An empty first line and a CR at the end, as the box has always shown it.
    return joinLines({QString(), QStringLiteral("  登録全品の検索を行い"),
                      QStringLiteral("　　①在庫数ゼロ品目があれば、□枠が赤点灯"),
                      QStringLiteral("　　②適正数量不足品があれば、□枠が赤点灯　"), QString()});
}

QString SwitchesHelpText()
{
    return joinLines({QStringLiteral("各種オプション設定"), QStringLiteral("※特殊設定"), QStringLiteral("①設定文字色"),
                      QStringLiteral("　・薄いブルー文字・・クライアントのみ機能が変化"),
                      QStringLiteral("　・黄色文字・・・・・サーバー接続の全てのクライアントの機能が変化"),
                      QStringLiteral("②管理者権限　"),
                      QStringLiteral("　重要項目の変更等を当管理者権限でないと変更できない機能")});
}

QString UsageExamplesText()
{
    const QStringList examples = {
        QStringLiteral("【運用事例】"),
        QStringLiteral("１．パソコン１台で使う\n"
                       "　データフォルダーはプログラムのフォルダーのままにします。「在庫品管理」で品目を登録し、"
                       "毎月の入庫・出庫数を入力すると、在庫数と在庫金額が自動で計算されます。"),
        QStringLiteral("２．ファイルサーバーで複数のパソコンから使う\n"
                       "　「初期設定」でデータフォルダーをサーバー上の共有フォルダーに移し、各パソコンから同じ"
                       "フォルダーを指定します。台帳・リスト・共通設定は全パソコンで共有されます。"),
        QStringLiteral("３．棚卸しや保守の間、他のパソコンを止める\n"
                       "　管理者権限のパソコンで「全クライアント停止」をはい（ピンク）にすると、他のパソコンは"
                       "データを使えなくなります。終わったら同じパソコンで解除します。"),
        QStringLiteral("４．確認専用の端末を置く\n"
                       "　「登録・訂正機能無し・確認のみ」をはい（ピンク）にしたパソコンでは、データの確認と"
                       "Excel出力だけができ、登録・訂正・インポートはできません。"),
        QStringLiteral("５．起動時にパスワードを求める\n"
                       "　管理者が「ログインパスワード」をはい（ピンク）にしてパスワードを２回入力すると、"
                       "全てのパソコンで起動時にそのパスワードが必要になります。"),
        QStringLiteral("６．在庫切れを早く見つける\n"
                       "　メニューの「在庫数ゼロ」「適正数量未満」の枠が赤く点灯したら、「在庫品管理」で"
                       "該当品目を確認し、発注の手配をします。"),
    };
    return examples.join(QStringLiteral("\n\n"));
}
