#include "menu/menu_actions.h"

#include "storage/settings_files.h"
#include "storage/shared_checks.h"
#include "support/temp_client_support.h"

#include <gtest/gtest.h>

namespace {

const QString On = QStringLiteral("1");
const QString Off = QStringLiteral("0");
const QString StoppedText = QStringLiteral(" 管理者権限で全クライアントサーバ使用禁止中です。");
const QString PasswordText = QStringLiteral(" パスワード認証が必要です。");
const QString ViewOnlyText = QStringLiteral("当クライアントはインポート操作は出来ません。");

// A client of a data folder outside its client folder, with both settings files written.
struct Client {
    explicit Client(const QString& pcName, const QString& dataFolder = QString())
    {
        if (!dataFolder.isEmpty()) {
            temp.state.DataFolder = dataFolder;
            temp.state.ClientSettings[ClientLine::DataFolder] = dataFolder;
        }
        temp.state.PcName = pcName;
        WriteClientSettings(temp.state);
        if (!QFile::exists(SharedSettingsPath(temp.state)))
            WriteSharedSettings(temp.state);
        ReadSharedSettings(temp.state);
    }
    AppState& state() { return temp.state; }
    ScriptedDialogs& dialogs() { return temp.dialogs; }
    SettingsLines sharedFile() const
    {
        SettingsLines lines;
        ReadSettingsFile(SharedSettingsPath(temp.state), lines);
        return lines;
    }
    SettingsLines clientFile() const
    {
        SettingsLines lines;
        ReadSettingsFile(temp.state.ClientFolder + SettingsFileName::Client, lines);
        return lines;
    }
    TempClient temp{true};
};

} // namespace

TEST(MenuActions, OpenChecksComeInTheirOrder)
{
    const struct {
        MenuTarget target;
        bool viewOnly;
        bool stopped;
        bool administrator;
        bool passwordRequired;
        QString refusal; // empty: the target opens
    } cases[] = {
        {MenuTarget::Ledger, false, false, false, false, {}},
        {MenuTarget::Ledger, true, false, false, false, {}},
        {MenuTarget::Import, true, false, false, false, ViewOnlyText},
        {MenuTarget::Import, true, true, false, true, ViewOnlyText},
        {MenuTarget::Settings, false, true, false, true, StoppedText},
        {MenuTarget::Ledger, false, true, true, false, {}},
        {MenuTarget::Import, false, true, true, true, PasswordText},
        {MenuTarget::Settings, false, false, false, true, PasswordText},
        {MenuTarget::CommonDocuments, true, true, false, false, {}},
        {MenuTarget::CommonDocuments, false, false, true, true, PasswordText},
    };
    for (const auto& c : cases) {
        Client client(QStringLiteral("PC-1"));
        // The stop is set in the file by another client; the check reads it again.
        client.state().SharedSettings[SharedLine::StopAll] = c.stopped ? On : Off;
        WriteSharedSettings(client.state());
        client.state().SharedSettings[SharedLine::StopAll].clear();
        client.state().ClientSettings[ClientLine::ViewOnly] = c.viewOnly ? On : Off;
        client.state().ClientSettings[ClientLine::Administrator] = c.administrator ? On : Off;
        client.state().PasswordRequired = c.passwordRequired;

        const bool opens = MayOpenFromMenu(client.state(), c.target);
        const int row = static_cast<int>(&c - cases);
        EXPECT_EQ(opens, c.refusal.isEmpty()) << row;
        if (c.refusal.isEmpty()) {
            EXPECT_TRUE(client.dialogs().shown().isEmpty()) << row;
            continue;
        }
        ASSERT_EQ(client.dialogs().shown().size(), 1) << row;
        EXPECT_EQ(client.dialogs().shown()[0].text, c.refusal) << row;
        EXPECT_EQ(client.dialogs().shown()[0].title,
                  c.refusal == ViewOnlyText ? QStringLiteral("登録確認") : QStringLiteral("管理確認"))
            << row;
    }
}

TEST(MenuActions, TheScreensOfTheDataNeedAUsableDataFolderTheSettingsScreenDoesNot)
{
    Client client(QStringLiteral("PC-1"));
    // Unreadable client settings leave no data folder; a relative one would land in the working folder.
    for (const QString& folder : {QString(), QStringLiteral("data/")}) {
        client.state().DataFolder = folder;
        client.dialogs().clear();
        // The recovery question comes first (answered No); then the refusal says what is wrong.
        for (const MenuTarget target : {MenuTarget::Ledger, MenuTarget::Import}) {
            EXPECT_FALSE(MayOpenFromMenu(client.state(), target));
            const auto& last = client.dialogs().shown().last();
            EXPECT_EQ(last.title, QStringLiteral("異常確認"));
            EXPECT_TRUE(last.text.startsWith(QStringLiteral("　データフォルダーが使用できません。")));
            EXPECT_TRUE(last.text.contains(QStringLiteral("初期設定でデータフォルダーを設定してください。")));
        }
        EXPECT_TRUE(MayOpenFromMenu(client.state(), MenuTarget::Settings));
    }
}

TEST(MenuActions, AdministratorOnClearsViewOnlyAndOffKeepsIt)
{
    Client client(QStringLiteral("PC-1"));
    client.state().ClientSettings[ClientLine::ViewOnly] = On;
    WriteClientSettings(client.state());

    client.dialogs().queueAnswer(Dialogs::Answer::Yes);
    EXPECT_EQ(ToggleAdministrator(client.state()), AdministratorChange::On);
    EXPECT_EQ(client.clientFile()[ClientLine::Administrator], On);
    EXPECT_EQ(client.clientFile()[ClientLine::ViewOnly], Off);
    EXPECT_EQ(client.dialogs().shown()[0].text,
              QStringLiteral("管理者権限設定　　　はい＝有(ピンク）　　いいえ＝無（白）　　\r"
                             "　はいで初期設定・項目リスト数の設定の機能SWを表示　"));

    client.state().ClientSettings[ClientLine::ViewOnly] = On;
    WriteClientSettings(client.state());
    client.dialogs().queueAnswer(Dialogs::Answer::No);
    EXPECT_EQ(ToggleAdministrator(client.state()), AdministratorChange::Off);
    EXPECT_EQ(client.clientFile()[ClientLine::Administrator], Off);
    EXPECT_EQ(client.clientFile()[ClientLine::ViewOnly], On);
    EXPECT_EQ(client.dialogs().shown().size(), 2);
}

TEST(MenuActions, StopSwitchIsForAdministratorsAndRecordsWhoStopped)
{
    Client client(QStringLiteral("PC-ADMIN"));
    EXPECT_EQ(ToggleStopAll(client.state()), std::nullopt);
    ASSERT_EQ(client.dialogs().shown().size(), 1);
    EXPECT_EQ(client.dialogs().shown()[0].title, QStringLiteral("確認"));
    EXPECT_EQ(client.dialogs().shown()[0].text,
              QStringLiteral("管理者権限有りパソコンしかクライアント中止・解除の設定はできません。"));
    EXPECT_NE(client.sharedFile()[SharedLine::StopAll], On);

    client.state().ClientSettings[ClientLine::Administrator] = On;
    client.dialogs().queueAnswer(Dialogs::Answer::Yes);
    EXPECT_EQ(ToggleStopAll(client.state()), true);
    EXPECT_EQ(client.sharedFile()[SharedLine::StopAll], On);
    EXPECT_EQ(client.sharedFile()[SharedLine::StopSetBy], QStringLiteral("PC-ADMIN"));
    EXPECT_EQ(client.clientFile()[ClientLine::Administrator], On);
    EXPECT_TRUE(IsStopSetHere(client.state()));
    const QString question = client.dialogs().shown().last().text;
    EXPECT_TRUE(question.startsWith(QStringLiteral("管理者権限で全クライアントのデータサーバ―使用停止設定\r")));
    EXPECT_EQ(question.count(u'\r'), 6);

    client.dialogs().queueAnswer(Dialogs::Answer::No);
    EXPECT_EQ(ToggleStopAll(client.state()), false);
    EXPECT_EQ(client.sharedFile()[SharedLine::StopAll], Off);
    EXPECT_EQ(client.sharedFile()[SharedLine::StopSetBy], QString());
}

TEST(MenuActions, HiddenReleaseWorksOnAnyAdministratorOnly)
{
    Client client(QStringLiteral("PC-2"));
    client.state().SharedSettings[SharedLine::StopAll] = On;
    client.state().SharedSettings[SharedLine::StopSetBy] = QStringLiteral("PC-1");
    WriteSharedSettings(client.state());

    client.dialogs().setDefaultAnswer(Dialogs::Answer::Yes);
    EXPECT_FALSE(ReleaseStopAll(client.state()));
    EXPECT_TRUE(client.dialogs().shown().isEmpty());

    client.state().ClientSettings[ClientLine::Administrator] = On;
    client.dialogs().queueAnswer(Dialogs::Answer::No);
    EXPECT_FALSE(ReleaseStopAll(client.state()));
    EXPECT_EQ(client.sharedFile()[SharedLine::StopAll], On);

    EXPECT_TRUE(ReleaseStopAll(client.state()));
    EXPECT_EQ(client.sharedFile()[SharedLine::StopAll], Off);
    EXPECT_EQ(client.dialogs().shown().last().text,
              QStringLiteral("隠しコマンド：管理者権限で全クライアント停止解除設定\r全クライアント停止を解除します。"));
}

// Two clients of one data folder: the administrator stops all clients; the other is refused by
// the main buttons and ended at its next data action; only the stopper's No on the
// administrator switch offers to release the stop.
TEST(MenuActions, StopSetByOneClientEndsTheOtherAndOnlyTheStopperReleasesIt)
{
    Client admin(QStringLiteral("PC-ADMIN"));
    Client other(QStringLiteral("PC-OTHER"), admin.state().DataFolder);
    admin.state().ClientSettings[ClientLine::Administrator] = On;
    admin.dialogs().queueAnswer(Dialogs::Answer::Yes);
    ASSERT_EQ(ToggleStopAll(admin.state()), true);

    EXPECT_FALSE(MayOpenFromMenu(other.state(), MenuTarget::Ledger));
    EXPECT_EQ(other.dialogs().shown().last().text, StoppedText);
    EXPECT_FALSE(CheckStopAll(other.state()));
    EXPECT_EQ(other.temp.endRequests, 1);
    EXPECT_TRUE(CheckStopAll(admin.state()));
    EXPECT_EQ(admin.temp.endRequests, 0);

    // Another administrator answering No only loses its own rights.
    other.state().ClientSettings[ClientLine::Administrator] = On;
    other.dialogs().clear();
    other.dialogs().queueAnswer(Dialogs::Answer::No);
    EXPECT_EQ(ToggleAdministrator(other.state()), AdministratorChange::Off);
    EXPECT_EQ(other.dialogs().shown().size(), 1);
    EXPECT_EQ(other.sharedFile()[SharedLine::StopAll], On);

    // The stopper declining the release keeps everything.
    admin.dialogs().clear();
    admin.dialogs().queueAnswer(Dialogs::Answer::No);
    admin.dialogs().queueAnswer(Dialogs::Answer::No);
    EXPECT_EQ(ToggleAdministrator(admin.state()), AdministratorChange::Unchanged);
    ASSERT_EQ(admin.dialogs().shown().size(), 2);
    EXPECT_EQ(admin.dialogs().shown()[1].text,
              QStringLiteral("当クライアントで、サーバー停止の設定を行ってます。　\r"
                             "　サーバー停止を解除し管理権限を無しにしますか？　"));
    EXPECT_EQ(admin.clientFile()[ClientLine::Administrator], On);
    EXPECT_EQ(admin.sharedFile()[SharedLine::StopAll], On);

    admin.dialogs().queueAnswer(Dialogs::Answer::No);
    admin.dialogs().queueAnswer(Dialogs::Answer::Yes);
    EXPECT_EQ(ToggleAdministrator(admin.state()), AdministratorChange::OffAndRelease);
    EXPECT_EQ(admin.clientFile()[ClientLine::Administrator], Off);
    EXPECT_EQ(admin.sharedFile()[SharedLine::StopAll], Off);
    EXPECT_EQ(admin.sharedFile()[SharedLine::StopSetBy], QString());

    other.state().ClientSettings[ClientLine::Administrator] = Off;
    EXPECT_TRUE(CheckStopAll(other.state()));
    EXPECT_TRUE(MayOpenFromMenu(other.state(), MenuTarget::Ledger));
}
