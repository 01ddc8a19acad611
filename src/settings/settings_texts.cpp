#include "settings/settings_texts.h"

#include "ledger/ledger_commit.h"
#include "settings/start_month.h"
#include "settings/year_rollover.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/file_error.h"
#include "storage/io_result.h"

namespace {

// The reason of a failed write and the file it concerns, one line each.
QString failureLines(const IoResult& io)
{
    return joinLines({QStringLiteral(" ") + DescribeFileError(ClassifyFileError(io.errorCode, io.path)),
                      QStringLiteral("　") + io.path});
}

} // namespace

QString SettingsWindowTitle()
{
    return AppState::ProductName + QStringLiteral("　初期設定");
}

QString SettingsExplanation()
{
    return joinLines({
        QStringLiteral("TEV在庫台帳　"),
        QStringLiteral("①在庫台帳を編集する時のリストBoX関係の設定を行います。"),
        QStringLiteral("②データフォルダー場所設定"),
        QStringLiteral("③データバックアップの設定"),
        QStringLiteral("④在庫管理の対象年度の設定を行います。"),
    });
}

QString SwapQuestion(const QString& word)
{
    return word.trimmed() + QStringLiteral("と") + u'\r' + QStringLiteral(" 次に入れ替え対象項目をマウスクリックすると") + u'\r'
        + QStringLiteral(" 　項目を入れ替えます。入れ替えますか？");
}

QString BackupOnQuestion()
{
    return joinLines({
        QStringLiteral("クライアントパソコン毎の設定です。"),
        QStringLiteral(" DATA buckup の有り設定です。"),
        QStringLiteral("有でMa在庫台帳..dat のデータbuckup"),
        QStringLiteral("在庫品の登録時"),
        QStringLiteral("クライアントパソコンの　C:\\VORNv○在庫管理理\\原本Excel￥内に"),
        QStringLiteral("Buckupデータを配置　データ異常時はこのデータを"),
        QStringLiteral("データファイルにCopy貼り付けで復帰できます。"),
        QStringLiteral("※ネットワーク上エラー発生の報告が有ります。"),
        QStringLiteral(" その時は無しで設定してください。（ソフトの問題ではない）"),
    });
}

QString BackupOffQuestion()
{
    return joinLines({
        QStringLiteral("クライアントパソコン毎の設定です。"),
        QStringLiteral(" DATA buckup の無設定です。"),
        QStringLiteral(" ※ネットワーク上エラー発生の報告が有ります。"),
        QStringLiteral("　この時は無しでマニュアルで"),
        QStringLiteral("　Ma在庫台帳.datを任意にバックアップしてください。"),
    });
}

QString ClientSettingsFailureMessage(const IoResult& io)
{
    return QStringLiteral("クライアント設定を保存できませんでした。") + u'\r' + failureLines(io);
}

QString InsertWouldDropWordMessage()
{
    return joinLines({QStringLiteral("リストの最終行に項目があるため挿入できません。"),
                      QStringLiteral("項目数を増やすか、最終行を削除してから挿入してください。")});
}

QString ListsRegisteredMessage()
{
    return joinLines({QStringLiteral("リスト項目を登録しました。"),
                      QStringLiteral("台帳画面を開くと新しいリストが表示されます。")});
}

QString ListsNotRegisteredMessage(const IoResult& io)
{
    return QStringLiteral("リスト項目を登録できませんでした。") + u'\r' + failureLines(io);
}

QString StartMonthNotSavedMessage(const IoResult& io)
{
    return QStringLiteral("在庫管理開始年月を保存できませんでした。") + u'\r' + failureLines(io);
}

QString StartMonthRelabelQuestion(const QString& currentMonth, const QString& chosenMonth)
{
    const QString current = FieldText(currentMonth);
    QStringList lines{QStringLiteral("在庫管理開始年月を ") + (current.isEmpty() ? QStringLiteral("（未設定）") : current)
                      + QStringLiteral(" から ") + chosenMonth + QStringLiteral(" に変更します。"),
                      QStringLiteral("入力済みの月毎の入出庫数量はそのまま残り、新しい開始年月から数えた月に表示されます。")};
    constexpr int LastMonth = 11;
    if (const QString last = MonthAfter(current, LastMonth); !last.isEmpty()) {
        lines << QStringLiteral("　例：") + current + QStringLiteral(" の入出庫は ") + chosenMonth + QStringLiteral(" の入出庫、")
              << QStringLiteral("　　　") + last + QStringLiteral(" の入出庫は ") + MonthAfter(chosenMonth, LastMonth)
                + QStringLiteral(" の入出庫として表示されます。");
    }
    lines << QStringLiteral("※サーバー接続の全てのクライアントの台帳が対象です。")
          << QStringLiteral("変更しますか？");
    return lines.join(u'\r');
}

QString UnregisteredChangesQuestion()
{
    return QStringLiteral("登録されていない変更があります。登録しますか？");
}

QString RolloverQuestion(const QString& currentMonth, const QString& chosenMonth)
{
    return joinLines({
        QStringLiteral("在庫管理開始年月を ") + currentMonth + QStringLiteral(" から ") + chosenMonth
            + QStringLiteral(" に変更します。"),
        QStringLiteral("新しい年度の台帳に切り替えますか？"),
        QStringLiteral("　はい：各在庫品の在庫数量を前年在庫に繰り越し、"),
        QStringLiteral("　　　　月毎の入出庫数量・入出庫計・達成率を消去します。"),
        QStringLiteral("　　　　（予定数量はそのまま残ります）"),
        QStringLiteral("　　　　実行前に現在の台帳を M在庫台帳 フォルダーに保存します。"),
        QStringLiteral("　いいえ：開始年月だけを変更します。"),
    });
}

QString StartMonthChangedElsewhereMessage(const QString& shown, const QString& current)
{
    return joinLines({QStringLiteral("在庫管理開始年月は、この画面を開いた後に他の端末で ") + shown + QStringLiteral(" から ")
                          + current + QStringLiteral(" に変更されています。"),
                      QStringLiteral("表示を新しくしました。必要なら、もう一度選んでください。")});
}

QString RolloverMessage(const RolloverResult& result, const QString& chosenMonth)
{
    switch (result.outcome) {
    case RolloverOutcome::Done: {
        QStringList lines{QStringLiteral("新しい年度（") + chosenMonth + QStringLiteral("～）に切り替えました。"),
                          QStringLiteral("在庫品 ") + QString::number(result.itemCount)
                              + QStringLiteral(" 件の在庫数量を前年在庫に繰り越しました。")};
        if (!result.backupPath.isEmpty())
            lines << QStringLiteral("切り替え前の台帳：") << QStringLiteral("　") + result.backupPath;
        return lines.join(u'\r');
    }
    case RolloverOutcome::Stopped:
        return joinLines({QStringLiteral("管理者権限で全クライアントサーバ使用禁止中のため、年度の切り替えはできません。"),
                          QStringLiteral("全クライアント停止を解除してから、もう一度選んでください。"),
                          QStringLiteral("台帳と在庫管理開始年月は変更されていません。")});
    case RolloverOutcome::AlreadyDone:
        return joinLines({QStringLiteral("在庫管理開始年月は他の端末で既に ") + result.fileMonth + QStringLiteral(" に変更されています。"),
                          QStringLiteral("年度の切り替えは済んでいるため、もう一度は行いません。"),
                          QStringLiteral("台帳は変更されていません。")});
    case RolloverOutcome::MonthChanged:
    case RolloverOutcome::NotNextYear:
        return joinLines({QStringLiteral("在庫管理開始年月は他の端末で ") + result.fileMonth + QStringLiteral(" に変更されています。"),
                          QStringLiteral("年度の切り替えを中止しました。台帳は変更されていません。"),
                          QStringLiteral("開始年月を確かめて、もう一度選んでください。")});
    case RolloverOutcome::BackupFailed:
        return QStringLiteral("台帳の控えを作成できませんでした。年度の切り替えを中止します。") + u'\r'
            + failureLines(result.io);
    case RolloverOutcome::CommitFailed:
        return QStringLiteral("年度の切り替えを中止しました。台帳は変更されていません。") + u'\r'
            + CommitFailureMessage(result.io);
    case RolloverOutcome::SettingsFailed:
        return joinLines({QStringLiteral("在庫数量は前年在庫に繰り越しましたが、"),
                          QStringLiteral("在庫管理開始年月をまだ ") + chosenMonth + QStringLiteral(" に保存できていません。"),
                          QStringLiteral("次に台帳へ登録するとき（または次の起動時）に自動で保存します。")})
            + u'\r' + failureLines(result.io);
    }
    return {};
}
