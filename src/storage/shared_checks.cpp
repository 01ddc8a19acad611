#include "storage/shared_checks.h"

#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/settings_files.h"

bool CheckStopAll(AppState& state)
{
    ReadSharedSettings(state);
    if (ReadFlag(state.SharedSettings[SharedLine::StopAll])
        && !ReadFlag(state.ClientSettings[ClientLine::Administrator])) {
        state.dialogs.inform(QStringLiteral("管理確認"),
                             QStringLiteral(" 管理者権限で全クライアントサーバが停止設定されました。 ") + u'\r'
                                 + QStringLiteral(" ソフトを停止します。 "));
        state.requestEnd();
        return false;
    }
    return true;
}

void NoItemDataMessage(AppState& state)
{
    state.dialogs.inform(QStringLiteral("確認"), QStringLiteral(" 項目データがありません。"));
}

QString ViewOnlyRefusalMessage()
{
    return QStringLiteral("当クライアントは確認のみの設定です。") + u'\r' + QStringLiteral("登録・訂正は出来ません。");
}

bool RefuseWhenViewOnly(AppState& state)
{
    if (!ReadFlag(state.ClientSettings[ClientLine::ViewOnly]))
        return false;
    state.dialogs.inform(QStringLiteral("登録確認"), ViewOnlyRefusalMessage());
    return true;
}
