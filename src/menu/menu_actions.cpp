#include "menu/menu_actions.h"

#include "menu/login_password.h"
#include "menu/menu_rules.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/folder_check.h"
#include "storage/settings_files.h"
#include "storage/shared_settings_change.h"

namespace {

const QString Confirm = QStringLiteral("登録確認");
const QString Administration = QStringLiteral("管理確認");

bool yes(AppState& state, const QString& text)
{
    return state.dialogs.ask(Confirm, text) == Dialogs::Answer::Yes;
}

// Stores the stop flag and who set it; the other lines stay as other clients left them.
void storeStop(AppState& state, bool stopped)
{
    ChangeSharedSettings(state, {{SharedLine::StopAll, stopped ? QStringLiteral("1") : QStringLiteral("0")},
                                 {SharedLine::StopSetBy, stopped ? state.PcName : QString()}});
}

// Rights are switched on only by someone who knows the login password, when the folder has one:
// otherwise anyone at a menu could make this client an administrator and switch the password off
// or release the stop of all clients. The switch is read from the file, as another client may
// have set it since this menu loaded.
bool mayBecomeAdministrator(AppState& state)
{
    ReadSharedSettings(state);
    if (!IsSwitchOn(state, OptionSwitch::LoginPassword))
        return true;
    switch (ConfirmLoginPassword(state, QStringLiteral("管理者権限を設定するには、ログインパスワードを入力してください。"))) {
    case PasswordConfirmation::Accepted:
        return true;
    case PasswordConfirmation::Cancelled:
        return false;
    case PasswordConfirmation::Refused:
        state.dialogs.inform(Administration,
                             joinLines({QStringLiteral("パスワードが") + QString::number(LoginPasswordAttempts)
                                            + QStringLiteral("回違いました。"),
                                        QStringLiteral("管理者権限は設定されません。")}));
        return false;
    }
    return false;
}

void setAdministratorRights(AppState& state, bool on)
{
    state.ClientSettings[ClientLine::Administrator] = on ? QStringLiteral("1") : QStringLiteral("0");
    if (on)
        state.ClientSettings[ClientLine::ViewOnly] = QStringLiteral("0");
    WriteClientSettings(state);
}

} // namespace

bool MayOpenFromMenu(AppState& state, MenuTarget target)
{
    if (target != MenuTarget::CommonDocuments) {
        ReadSharedSettings(state);
        if (target == MenuTarget::Import && ReadNumber(state.ClientSettings[ClientLine::ViewOnly]) != 0) {
            state.dialogs.inform(Confirm, QStringLiteral("当クライアントはインポート操作は出来ません。"));
            return false;
        }
        if (ReadFlag(state.SharedSettings[SharedLine::StopAll])
            && !ReadFlag(state.ClientSettings[ClientLine::Administrator])) {
            state.dialogs.inform(Administration, QStringLiteral(" 管理者権限で全クライアントサーバ使用禁止中です。"));
            return false;
        }
    }
    if (RefuseUntilLoggedIn(state))
        return false;
    // The screens that work on the data need a data folder they can use; the settings screen
    // opens all the same, since that is where the folder is set.
    if (target == MenuTarget::Ledger || target == MenuTarget::Import) {
        if (const QString problem = DataFolderProblemMessage(state, false); !problem.isEmpty()) {
            state.dialogs.inform(QStringLiteral("異常確認"), problem);
            return false;
        }
    }
    return true;
}

bool IsStopSetHere(const AppState& state)
{
    const QString& setBy = state.SharedSettings[SharedLine::StopSetBy];
    return ReadFlag(state.SharedSettings[SharedLine::StopAll]) && !setBy.isEmpty() && setBy == state.PcName;
}

AdministratorChange ToggleAdministrator(AppState& state)
{
    const QString question = QStringLiteral("管理者権限設定　　　はい＝有(ピンク）　　いいえ＝無（白）　　") + u'\r'
        + QStringLiteral("　はいで初期設定・項目リスト数の設定の機能SWを表示　");
    if (yes(state, question)) {
        ReadClientSettings(state);
        if (HasAdministratorRights(state)) {
            // Nothing to prove, but a Yes also switches view-only off: an administrator's setting.
            if (RefuseUntilLoggedIn(state))
                return AdministratorChange::Unchanged;
        } else if (!mayBecomeAdministrator(state)) {
            return AdministratorChange::Refused;
        }
        setAdministratorRights(state, true);
        return AdministratorChange::On;
    }

    ReadSharedSettings(state); // the stop may have been released elsewhere meanwhile
    if (!IsStopSetHere(state)) {
        ReadClientSettings(state);
        setAdministratorRights(state, false);
        return AdministratorChange::Off;
    }
    if (RefuseUntilLoggedIn(state))
        return AdministratorChange::Unchanged;
    const QString release = QStringLiteral("当クライアントで、サーバー停止の設定を行ってます。　") + u'\r'
        + QStringLiteral("　サーバー停止を解除し管理権限を無しにしますか？　");
    if (!yes(state, release))
        return AdministratorChange::Unchanged;
    setAdministratorRights(state, false);
    storeStop(state, false);
    return AdministratorChange::OffAndRelease;
}

std::optional<bool> ToggleStopAll(AppState& state)
{
    if (!HasAdministratorRights(state)) {
        state.dialogs.inform(QStringLiteral("確認"),
                             QStringLiteral("管理者権限有りパソコンしかクライアント中止・解除の設定はできません。"));
        return std::nullopt;
    }
    if (RefuseUntilLoggedIn(state))
        return std::nullopt;
    const bool stop = yes(state, joinLines({QStringLiteral("管理者権限で全クライアントのデータサーバ―使用停止設定"),
                                            QStringLiteral("はい（ピンク）で全クライアントサーバー使用停止"),
                                            QStringLiteral("　※但し当管理者権限パソコンのみ通常通り使えます。"),
                                            QStringLiteral("いいえ（白）で制限解除、使用可能状態になります。"),
                                            QStringLiteral("　※解除設定は管理者権限設定パソコンで使用禁止にした"),
                                            QStringLiteral("　　パソコンでしか解除できません。"),
                                            QStringLiteral("　　他の管理者権限設定パソコンも解除できません。")}));
    storeStop(state, stop);
    WriteClientSettings(state);
    return stop;
}

bool ReleaseStopAll(AppState& state)
{
    if (!HasAdministratorRights(state) || RefuseUntilLoggedIn(state))
        return false;
    if (!yes(state, QStringLiteral("隠しコマンド：管理者権限で全クライアント停止解除設定") + u'\r'
                        + QStringLiteral("全クライアント停止を解除します。")))
        return false;
    storeStop(state, false);
    return true;
}
