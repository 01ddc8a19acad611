#include "menu/option_switches.h"

#include "menu/login_password.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/settings_files.h"
#include "storage/shared_settings_change.h"

namespace {

const QString YesAddsNoRemoves = QStringLiteral("　はい（ピンク）で機能追加　　いいえ（白）機能無し");

void readSettingsOf(AppState& state, const OptionSwitchLine& line)
{
    if (line.shared)
        ReadSharedSettings(state);
    else
        ReadClientSettings(state);
}

void storeSwitch(AppState& state, const OptionSwitchLine& line, bool on)
{
    const QString value = on ? QStringLiteral("1") : QStringLiteral("0");
    if (line.shared) {
        ChangeSharedSettings(state, {{line.line, value}});
    } else {
        state.ClientSettings[line.line] = value;
        WriteClientSettings(state);
    }
}

// Yes: the administrator sets the password first; the switch goes on only once it is stored.
bool setLoginPasswordOn(AppState& state)
{
    const std::optional<QString> password = AskNewLoginPassword(state);
    if (!password)
        return false;
    if (const IoResult stored = StoreLoginPassword(state, *password); !stored) {
        state.dialogs.inform(QStringLiteral("異常確認"),
                             joinLines({stored.path, QStringLiteral("ログインパスワードを保存できませんでした。")}));
        return false;
    }
    return true;
}

} // namespace

QString OptionSwitchQuestion(const AppState& state, OptionSwitch id)
{
    switch (id) {
    case OptionSwitch::Logo:
        return joinLines({QStringLiteral("ユーザーロゴをメニュー画面右上隅に表示"),
                          QStringLiteral("　はい（ピンク）で表示　　いいえ（白）非表示"),
                          QStringLiteral("ｃ：\\VORN設備管理\\設備画像フォルダに"),
                          QStringLiteral("　ロゴ画像があることが必要です。　"),
                          QStringLiteral("　画像サイズはピクセル　横80Pixel 　縦が56Pixel程度で"),
                          QStringLiteral("　ファイル名は　yuuza.jpg　で登録してください。")});
    case OptionSwitch::TemplatePlacement:
        return joinLines({QStringLiteral("※原本Excelフォルダー配置　"),
                          QStringLiteral("　クライアントパソコン側　はい（ピンク）　※標準"),
                          QStringLiteral("　データフォルダー側　　　いいえ（白）　"),
                          QStringLiteral("※現在のExcel原本ホルダー配置は以下の通りです。"), state.ClientFolder, QString(),
                          QStringLiteral("※注意　"),
                          QStringLiteral("　いいえ（白）を選択した場合、複数のクライアントパソコンから"),
                          QStringLiteral("　一斉にExcel出力するとExcel上のエラーが　生じます。"),
                          QStringLiteral("　この場合、Excel設定で「共通ブック」にすると解消できることもあります。"),
                          QStringLiteral("　Microsoft Office設定参照 ")});
    case OptionSwitch::HideExplanations:
        return joinLines({QStringLiteral("画面の説明コマンドの表示、非表示設定"),
                          QStringLiteral("ソフト内の説明コマンドが全て表示　いいえ（白）"),
                          QStringLiteral("はい（ピンク）で全て非表示になります。 "),
                          QStringLiteral("※当クライアントのみ有効　機能はクライアント個別")});
    case OptionSwitch::ViewOnly:
        return joinLines({QStringLiteral(" ユーザー特殊機能"), QStringLiteral("　情報履歴の登録・訂正が出来ない機能設定　"),
                          QStringLiteral("　データ確認とExce出力のみでデータ登録・修正が出来ません。　"),
                          QStringLiteral("　機能有り＝はい（ピンク）　"), QStringLiteral("　機能無し＝いいえ（白）　"),
                          QStringLiteral("　　※当クライアント個別設定")});
    case OptionSwitch::MonthlyImport:
        return joinLines({QStringLiteral("在庫品月毎Excelインポート機能を追加します。"),
                          QStringLiteral("日毎入出庫Execlに書き込まれた月毎合計入出庫値をインポートします。"),
                          YesAddsNoRemoves});
    case OptionSwitch::Decimals:
        return joinLines({QStringLiteral("在庫の小数点以下対応機能"),
                          QStringLiteral("　在庫品小数点以下の入力、画面表示を可能とします。"), YesAddsNoRemoves});
    case OptionSwitch::StartOfUse:
        return joinLines({QStringLiteral("在庫品使用開始年月枠を追加表示"), QStringLiteral("　循環在庫等の使用開始機能を追加します。"),
                          QStringLiteral("　在庫管理の循環在庫品の開始年月設定機能"), YesAddsNoRemoves});
    case OptionSwitch::CommonDocuments:
        return joinLines({QStringLiteral("在庫共通資料機能を追加します。"), YesAddsNoRemoves});
    case OptionSwitch::LoginPassword:
        return joinLines({QStringLiteral("ログインパスワード機能　スタート時ログインパスワードが必要です。"),
                          QStringLiteral("　　　　有効＝はい（ピンク）"), QStringLiteral("　　　　無し＝いいえ（白）"),
                          QStringLiteral("　　※サーバー接続全クライアント対象")});
    }
    Q_UNREACHABLE();
}

std::optional<bool> ToggleOptionSwitch(AppState& state, OptionSwitch id)
{
    // The switches only an administrator sees wait for the login password like the main buttons:
    // an administrator's menu left at the password panel must not let anyone switch it off.
    if ((id == OptionSwitch::LoginPassword || id == OptionSwitch::ViewOnly) && RefuseUntilLoggedIn(state))
        return std::nullopt;
    const bool on = state.dialogs.ask(QStringLiteral("登録確認"), OptionSwitchQuestion(state, id)) == Dialogs::Answer::Yes;
    if (id == OptionSwitch::LoginPassword && on && !setLoginPasswordOn(state))
        return std::nullopt;

    const OptionSwitchLine line = LineOf(id);
    readSettingsOf(state, line);
    storeSwitch(state, line, on);

    if (id == OptionSwitch::LoginPassword) {
        if (on)
            state.MenuShownBefore = false;
        state.PasswordRequired = on;
        state.EditPending = false;
    }
    return on;
}

void SetLogoOffset(AppState& state, const QString& offset)
{
    state.ClientSettings[ClientLine::LogoOffset] = offset;
    WriteClientSettings(state);
}
