#include "menu/option_switches.h"

#include "menu/login_password.h"
#include "storage/settings_files.h"
#include "support/temp_client_support.h"

#include <gtest/gtest.h>

namespace {

const QString On = QStringLiteral("1");
const QString Off = QStringLiteral("0");

SettingsLines fileLines(const QString& path)
{
    SettingsLines lines;
    ReadSettingsFile(path, lines);
    return lines;
}

} // namespace

// Every switch but the login password (which needs a password first): Yes writes "1" and No
// writes "0" into its own line of its own file, also when the switch is already in that state,
// and the lines another client wrote meanwhile survive.
TEST(OptionSwitches, AnswerIsWrittenToTheSwitchLine)
{
    for (const OptionSwitchLine& line : OptionSwitchLines()) {
        if (line.id == OptionSwitch::LoginPassword)
            continue;
        TempClient client(true);
        WriteClientSettings(client.state);
        WriteSharedSettings(client.state);
        const QString path = line.shared ? SharedSettingsPath(client.state)
                                         : client.clientFolder() + SettingsFileName::Client;
        for (const auto answer : {Dialogs::Answer::Yes, Dialogs::Answer::No, Dialogs::Answer::No}) {
            // Another writer changed a neighbouring line of the same file.
            SettingsLines other = fileLines(path);
            other[40] = QStringLiteral("kept");
            WriteSettingsFile(path, other);

            client.dialogs.queueAnswer(answer);
            const bool yes = answer == Dialogs::Answer::Yes;
            EXPECT_EQ(ToggleOptionSwitch(client.state, line.id), yes) << line.line;
            const SettingsLines written = fileLines(path);
            EXPECT_EQ(written[line.line], yes ? On : Off) << line.line;
            EXPECT_EQ(written[40], QStringLiteral("kept")) << line.line;
            EXPECT_EQ(IsSwitchOn(client.state, line.id), yes) << line.line;
            EXPECT_EQ(client.dialogs.shown().last().title, QStringLiteral("登録確認"));
            EXPECT_EQ(client.dialogs.shown().last().text, OptionSwitchQuestion(client.state, line.id));
        }
    }
}

TEST(OptionSwitches, QuestionsAreTheSwitchTexts)
{
    TempClient client;
    const struct {
        OptionSwitch id;
        QString text;
    } cases[] = {
        {OptionSwitch::CommonDocuments,
         QStringLiteral("在庫共通資料機能を追加します。\r　はい（ピンク）で機能追加　　いいえ（白）機能無し")},
        {OptionSwitch::Decimals, QStringLiteral("在庫の小数点以下対応機能\r"
                                                "　在庫品小数点以下の入力、画面表示を可能とします。\r"
                                                "　はい（ピンク）で機能追加　　いいえ（白）機能無し")},
        {OptionSwitch::LoginPassword, QStringLiteral("ログインパスワード機能　スタート時ログインパスワードが必要です。\r"
                                                     "　　　　有効＝はい（ピンク）\r"
                                                     "　　　　無し＝いいえ（白）\r"
                                                     "　　※サーバー接続全クライアント対象")},
        {OptionSwitch::HideExplanations, QStringLiteral("画面の説明コマンドの表示、非表示設定\r"
                                                        "ソフト内の説明コマンドが全て表示　いいえ（白）\r"
                                                        "はい（ピンク）で全て非表示になります。 \r"
                                                        "※当クライアントのみ有効　機能はクライアント個別")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OptionSwitchQuestion(client.state, c.id), c.text);

    // The template placement shows the client folder, followed by an empty line.
    const QStringList placement = OptionSwitchQuestion(client.state, OptionSwitch::TemplatePlacement).split(u'\r');
    ASSERT_EQ(placement.size(), 11);
    EXPECT_EQ(placement[3], QStringLiteral("※現在のExcel原本ホルダー配置は以下の通りです。"));
    EXPECT_EQ(placement[4], client.clientFolder());
    EXPECT_EQ(placement[5], QString());
    EXPECT_EQ(placement[10], QStringLiteral("　Microsoft Office設定参照 "));
    EXPECT_EQ(OptionSwitchQuestion(client.state, OptionSwitch::Logo).split(u'\r').at(2),
              QStringLiteral("ｃ：\\VORN設備管理\\設備画像フォルダに"));
}

TEST(OptionSwitches, LoginPasswordGoesOnOnlyWithANewPassword)
{
    TempClient client;
    client.state.MenuShownBefore = true;
    client.state.EditPending = true;
    WriteSharedSettings(client.state);

    // Cancelled or refused passwords leave the switch as it was.
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    client.dialogs.queueText(QStringLiteral("new-pass"));
    client.dialogs.queueText(QStringLiteral("other"));
    EXPECT_EQ(ToggleOptionSwitch(client.state, OptionSwitch::LoginPassword), std::nullopt);
    EXPECT_NE(fileLines(SharedSettingsPath(client.state))[SharedLine::LoginPassword], On);
    EXPECT_FALSE(QFile::exists(LoginPasswordPath(client.state)));
    EXPECT_TRUE(client.state.EditPending);

    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    client.dialogs.queueText(QStringLiteral("new-pass"));
    client.dialogs.queueText(QStringLiteral("new-pass"));
    EXPECT_EQ(ToggleOptionSwitch(client.state, OptionSwitch::LoginPassword), true);
    EXPECT_EQ(fileLines(SharedSettingsPath(client.state))[SharedLine::LoginPassword], On);
    EXPECT_TRUE(client.state.PasswordRequired);
    EXPECT_FALSE(client.state.MenuShownBefore);
    EXPECT_FALSE(client.state.EditPending);
    EXPECT_TRUE(CheckLoginPassword(client.state, QStringLiteral("new-pass")));

    // Off only once the password has been typed on this client.
    client.state.EditPending = true;
    client.dialogs.clear();
    client.dialogs.queueAnswer(Dialogs::Answer::No);
    EXPECT_EQ(ToggleOptionSwitch(client.state, OptionSwitch::LoginPassword), std::nullopt);
    EXPECT_EQ(client.dialogs.texts(), QStringList{QStringLiteral(" パスワード認証が必要です。")});
    EXPECT_EQ(fileLines(SharedSettingsPath(client.state))[SharedLine::LoginPassword], On);
    client.dialogs.dropQueued();

    ASSERT_TRUE(SubmitLoginPassword(client.state, QStringLiteral("new-pass")));
    client.dialogs.queueAnswer(Dialogs::Answer::No);
    EXPECT_EQ(ToggleOptionSwitch(client.state, OptionSwitch::LoginPassword), false);
    EXPECT_EQ(fileLines(SharedSettingsPath(client.state))[SharedLine::LoginPassword], Off);
    EXPECT_FALSE(client.state.PasswordRequired);
    EXPECT_FALSE(client.state.EditPending);
}

TEST(OptionSwitches, LogoOffsetIsStoredAtOnce)
{
    TempClient client;
    SetLogoOffset(client.state, QStringLiteral("1600"));
    EXPECT_EQ(fileLines(client.clientFolder() + SettingsFileName::Client)[ClientLine::LogoOffset],
              QStringLiteral("1600"));
    EXPECT_TRUE(client.dialogs.shown().isEmpty());
}
