// The option switches, the administrator switch, the stop of all clients and the login
// password switch, clicked on an offscreen menu.
#include "menu_screen_fixture.h"

#include "menu/login_password.h"
#include "menu/menu_alert_panel.h"
#include "menu/option_switches.h"
#include "storage/shared_checks.h"
#include "ui/twips.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>

namespace {

const QString On = QStringLiteral("1");
const QString Off = QStringLiteral("0");
using Answer = Dialogs::Answer;

} // namespace

// Each switch: the question it asks, the file and line it writes, pink after Yes and white
// after No (also when it was off already).
TEST(MenuSwitches, EachSwitchWritesItsLineAndTurnsPinkOrWhite)
{
    const struct {
        const char* name;
        OptionSwitch id;
        bool shared;
        int line;
    } switches[] = {
        {"logoSwitch", OptionSwitch::Logo, false, 6},
        {"hideExplanationsSwitch", OptionSwitch::HideExplanations, false, 14},
        {"viewOnlySwitch", OptionSwitch::ViewOnly, false, 19},
        {"monthlyImportSwitch", OptionSwitch::MonthlyImport, true, 20},
        {"decimalsSwitch", OptionSwitch::Decimals, true, 21},
        {"startOfUseSwitch", OptionSwitch::StartOfUse, true, 11},
        {"commonDocumentsSwitch", OptionSwitch::CommonDocuments, true, 12},
    };
    MenuClient m(QStringLiteral("PC-1"));
    m.writeClientSettings({{ClientLine::Administrator, On}});
    m.writeSharedSettings({});
    m.loadMenu();
    for (const auto& s : switches) {
        for (const Answer answer : {Answer::No, Answer::Yes, Answer::No}) {
            m.client.dialogs.clear();
            m.client.dialogs.queueAnswer(answer);
            m.click(s.name);
            const bool yes = answer == Answer::Yes;
            const SettingsLines file = s.shared ? m.sharedFile() : m.clientFile();
            EXPECT_EQ(file[s.line], yes ? On : Off) << s.name;
            EXPECT_EQ(m.colourOf(s.name), yes ? WindowsColour::SwitchOn : WindowsColour::SwitchOff) << s.name;
            ASSERT_FALSE(m.client.dialogs.shown().isEmpty()) << s.name;
            EXPECT_TRUE(m.client.dialogs.shown()[0].question);
            EXPECT_EQ(m.client.dialogs.shown()[0].title, QStringLiteral("登録確認"));
            EXPECT_EQ(m.client.dialogs.shown()[0].text, OptionSwitchQuestion(m.client.state, s.id)) << s.name;
        }
    }

    // The template placement is switched from the lamp caption, which keeps its look at load.
    auto* alerts = m.control<MenuAlertPanel>("alertPanel");
    EXPECT_EQ(alerts->placementColour(), 0u);
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        m.client.dialogs.queueAnswer(answer);
        m.click("belowProperLabel");
        EXPECT_EQ(m.clientFile()[ClientLine::TemplatePlacement], answer == Answer::Yes ? On : Off);
        EXPECT_EQ(alerts->placementColour(), answer == Answer::Yes ? WindowsColour::SwitchOn : WindowsColour::SwitchOff);
    }
    m.loadMenu();
    EXPECT_EQ(m.control<MenuAlertPanel>("alertPanel")->placementColour(), 0u);
}

TEST(MenuSwitches, LogoFollowsItsSwitchAndItsPosition)
{
    MenuClient m(QStringLiteral("PC-1"));
    m.writeClientSettings({{ClientLine::LogoOffset, QStringLiteral("20")}});
    m.writeSharedSettings({});
    m.loadMenu();
    EXPECT_TRUE(m.control("logoPicture")->isHidden());

    // Yes without a picture: the failure message, no logo.
    m.client.dialogs.queueAnswer(Answer::Yes);
    m.click("logoSwitch");
    EXPECT_EQ(m.client.dialogs.shown().size(), 2);
    EXPECT_TRUE(m.lastText().endsWith(QStringLiteral("yuuza.jpg\r　画像が登録されてません。。")));
    EXPECT_TRUE(m.control("logoPicture")->isHidden());

    QDir().mkpath(m.client.clientFolder() + QStringLiteral("設備画像"));
    QImage logo(80, 56, QImage::Format_RGB32);
    logo.fill(Qt::darkGreen);
    ASSERT_TRUE(logo.save(m.client.clientFolder() + QStringLiteral("設備画像/yuuza.jpg"), "JPG"));
    m.client.dialogs.queueAnswer(Answer::Yes);
    m.click("logoSwitch");
    EXPECT_FALSE(m.control("logoPicture")->isHidden());
    EXPECT_FALSE(m.control<QLabel>("logoPicture")->pixmap().isNull());

    // Choosing 1600 stores it and puts the logo at 17600 twips at once.
    auto* chooser = m.control<QComboBox>("logoOffsetChooser");
    chooser->setCurrentIndex(79);
    emit chooser->activated(79);
    EXPECT_EQ(m.clientFile()[ClientLine::LogoOffset], QStringLiteral("1600"));
    EXPECT_EQ(m.control("logoPicture")->x(), twipsToPixels(17600));

    m.client.dialogs.queueAnswer(Answer::No);
    m.click("logoSwitch");
    EXPECT_TRUE(m.control("logoPicture")->isHidden());
}

TEST(MenuSwitches, AdministratorSwitchShowsItsLabelsAndClearsViewOnly)
{
    const char* administratorOnly[] = {"stopAllCaption", "stopAllSwitch", "loginPasswordCaption",
                                       "loginPasswordSwitch", "viewOnlyCaption", "viewOnlySwitch"};
    MenuClient m(QStringLiteral("PC-1"));
    m.writeClientSettings({{ClientLine::ViewOnly, On}});
    m.writeSharedSettings({});
    m.loadMenu();
    for (const char* name : administratorOnly)
        EXPECT_TRUE(m.control(name)->isHidden()) << name;

    m.client.dialogs.queueAnswer(Answer::Yes);
    m.click("administratorSwitch");
    EXPECT_EQ(m.colourOf("administratorSwitch"), WindowsColour::SwitchOn);
    for (const char* name : administratorOnly)
        EXPECT_FALSE(m.control(name)->isHidden()) << name;
    EXPECT_EQ(m.colourOf("viewOnlySwitch"), WindowsColour::SwitchOff);
    EXPECT_EQ(m.clientFile()[ClientLine::ViewOnly], Off);
    m.click("importButton");
    EXPECT_EQ(m.host.currentKey(), ScreenKey::Import);
    m.host.closeScreen();
    MenuClient::settle();

    m.client.dialogs.queueAnswer(Answer::No);
    m.click("administratorSwitch");
    EXPECT_EQ(m.colourOf("administratorSwitch"), WindowsColour::SwitchOff);
    EXPECT_EQ(m.clientFile()[ClientLine::Administrator], Off);
    for (const char* name : administratorOnly)
        EXPECT_TRUE(m.control(name)->isHidden()) << name;
}

// Two clients of one data folder, each with its own menu.
TEST(MenuSwitches, StopSetOnOneMenuStopsTheOtherClientUntilTheStopperReleasesIt)
{
    MenuClient admin(QStringLiteral("PC-ADMIN"));
    admin.writeClientSettings({{ClientLine::Administrator, On}});
    admin.writeSharedSettings({});
    MenuClient other(QStringLiteral("PC-OTHER"), admin.client.dataFolder());
    other.writeClientSettings({});
    other.loadMenu();
    admin.loadMenu();

    // The stop switch refuses a client without rights even when its label is clicked.
    other.click("stopAllSwitch");
    EXPECT_EQ(other.lastText(), QStringLiteral("管理者権限有りパソコンしかクライアント中止・解除の設定はできません。"));

    admin.client.dialogs.queueAnswer(Answer::Yes);
    admin.click("stopAllSwitch");
    EXPECT_EQ(admin.colourOf("stopAllSwitch"), WindowsColour::SwitchOn);
    EXPECT_EQ(admin.sharedFile()[SharedLine::StopSetBy], QStringLiteral("PC-ADMIN"));

    other.client.dialogs.clear();
    other.click("ledgerButton");
    EXPECT_NE(other.menu(), nullptr);
    EXPECT_EQ(other.lastText(), QStringLiteral(" 管理者権限で全クライアントサーバ使用禁止中です。"));
    EXPECT_FALSE(CheckStopAll(other.client.state)); // its next data action ends it
    EXPECT_EQ(other.client.endRequests, 1);
    admin.click("ledgerButton");
    EXPECT_EQ(admin.host.currentKey(), ScreenKey::Ledger);
    admin.host.closeScreen();
    MenuClient::settle();

    // Another administrator's No does not offer the release.
    other.client.dialogs.clear();
    other.client.dialogs.queueAnswer(Answer::Yes);
    other.click("administratorSwitch");
    other.client.dialogs.queueAnswer(Answer::No);
    other.click("administratorSwitch");
    EXPECT_EQ(other.client.dialogs.shown().size(), 2);
    EXPECT_EQ(other.sharedFile()[SharedLine::StopAll], On);

    // The stopper's No does; Yes releases the stop with the rights.
    admin.client.dialogs.clear();
    admin.client.dialogs.queueAnswer(Answer::No);
    admin.client.dialogs.queueAnswer(Answer::Yes);
    admin.click("administratorSwitch");
    ASSERT_EQ(admin.client.dialogs.shown().size(), 2);
    EXPECT_TRUE(admin.lastText().startsWith(QStringLiteral("当クライアントで、サーバー停止の設定を行ってます。")));
    EXPECT_EQ(admin.colourOf("administratorSwitch"), WindowsColour::SwitchOff);
    EXPECT_EQ(admin.colourOf("stopAllSwitch"), WindowsColour::ButtonFace);
    EXPECT_TRUE(admin.control("stopAllSwitch")->isHidden());
    EXPECT_EQ(admin.sharedFile()[SharedLine::StopAll], Off);
    EXPECT_TRUE(CheckStopAll(other.client.state));
}

TEST(MenuSwitches, HiddenReleaseCommandClearsAStopSetElsewhere)
{
    MenuClient m(QStringLiteral("PC-2"));
    m.writeClientSettings({{ClientLine::Administrator, On}});
    m.writeSharedSettings({{SharedLine::StopAll, On}, {SharedLine::StopSetBy, QStringLiteral("PC-1")}});
    m.loadMenu();
    EXPECT_EQ(m.colourOf("stopAllSwitch"), WindowsColour::SwitchOn);
    m.client.dialogs.queueAnswer(Answer::Yes);
    m.click("stopAllCaption");
    EXPECT_EQ(m.lastText(), QStringLiteral("隠しコマンド：管理者権限で全クライアント停止解除設定\r全クライアント停止を解除します。"));
    EXPECT_EQ(m.sharedFile()[SharedLine::StopAll], Off);
    EXPECT_EQ(m.colourOf("stopAllSwitch"), WindowsColour::ButtonFace);
}

TEST(MenuSwitches, LoginPasswordIsSetByTheAdministratorAndRequiredAtOnce)
{
    MenuClient m(QStringLiteral("PC-1"));
    m.writeClientSettings({{ClientLine::Administrator, On}});
    m.writeSharedSettings({});
    m.loadMenu();
    m.client.state.EditPending = true;

    // An empty password cannot be set: the switch stays off.
    m.client.dialogs.queueAnswer(Answer::Yes);
    m.client.dialogs.queueText(QStringLiteral(" "));
    m.click("loginPasswordSwitch");
    EXPECT_EQ(m.colourOf("loginPasswordSwitch"), WindowsColour::SwitchOff);
    EXPECT_TRUE(m.control("passwordPanel")->isHidden());
    EXPECT_NE(m.sharedFile()[SharedLine::LoginPassword], On);
    EXPECT_TRUE(m.client.state.EditPending);

    const QString password = QStringLiteral("Tev-秘密-42");
    m.client.dialogs.queueAnswer(Answer::Yes);
    m.client.dialogs.queueText(password);
    m.client.dialogs.queueText(password);
    m.click("loginPasswordSwitch");
    EXPECT_EQ(m.colourOf("loginPasswordSwitch"), WindowsColour::SwitchOn);
    EXPECT_EQ(m.sharedFile()[SharedLine::LoginPassword], On);
    EXPECT_FALSE(m.control("passwordPanel")->isHidden());
    EXPECT_FALSE(m.client.state.EditPending);
    m.client.dialogs.clear();
    m.click("ledgerButton");
    EXPECT_EQ(m.lastText(), QStringLiteral(" パスワード認証が必要です。"));

    // The password itself is in no file of either folder.
    for (const QString& folder : {m.client.clientFolder(), m.client.dataFolder()})
        for (const QString& name : QDir(folder).entryList(QDir::Files))
            EXPECT_FALSE(TempClient::readBytes(folder + name).contains(password.toUtf8())) << qPrintable(name);

    auto* box = m.control<QLineEdit>("passwordBox");
    box->setText(password);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(m.control("passwordPanel")->isHidden());
    m.click("ledgerButton");
    EXPECT_EQ(m.host.currentKey(), ScreenKey::Ledger);
    m.host.closeScreen();
    MenuClient::settle();

    m.client.dialogs.queueAnswer(Answer::No);
    m.click("loginPasswordSwitch");
    EXPECT_EQ(m.colourOf("loginPasswordSwitch"), WindowsColour::SwitchOff);
    EXPECT_EQ(m.sharedFile()[SharedLine::LoginPassword], Off);
    EXPECT_FALSE(m.client.state.PasswordRequired);
}

// Before anyone has typed the login password, the administrator switch and then the login-password
// switch must not switch the password off: making this client an administrator asks for the
// password, and three wrong answers change nothing.
TEST(MenuSwitches, AdministratorRightsNeedTheLoginPassword)
{
    const QString password = QStringLiteral("棚卸2024");
    const QString wrong = QStringLiteral("棚卸2023");
    MenuClient m(QStringLiteral("PC-1"));
    m.writeClientSettings({});
    m.writeSharedSettings({{SharedLine::LoginPassword, On}});
    ASSERT_TRUE(StoreLoginPassword(m.client.state, password, 1000));
    m.loadMenu();
    ASSERT_FALSE(m.control("passwordPanel")->isHidden());
    const SettingsLines clientBefore = m.clientFile();

    // The two clicks: Yes to the administrator question (the password prompt is cancelled), then No
    // (the unscripted answer) to the login-password switch.
    m.client.dialogs.queueAnswer(Answer::Yes);
    m.click("administratorSwitch");
    m.click("loginPasswordSwitch");
    EXPECT_EQ(m.sharedFile()[SharedLine::LoginPassword], On);
    EXPECT_EQ(m.clientFile(), clientBefore);
    EXPECT_EQ(m.colourOf("administratorSwitch"), WindowsColour::SwitchOff);
    EXPECT_TRUE(m.control("loginPasswordSwitch")->isHidden());

    // Three wrong answers: told each time, then refused; no fourth prompt.
    m.client.dialogs.clear();
    m.client.dialogs.queueAnswer(Answer::Yes);
    for (int i = 0; i < 3; ++i)
        m.client.dialogs.queueText(wrong);
    m.click("administratorSwitch");
    int prompts = 0;
    for (const auto& shown : m.client.dialogs.shown())
        if (shown.textPrompt) {
            ++prompts;
            EXPECT_TRUE(shown.secret);
        }
    EXPECT_EQ(prompts, 3);
    EXPECT_EQ(m.lastText(), QStringLiteral("パスワードが3回違いました。\r管理者権限は設定されません。"));
    EXPECT_EQ(m.clientFile(), clientBefore);
    EXPECT_EQ(m.colourOf("administratorSwitch"), WindowsColour::SwitchOff);

    // The right password on the second try makes this client an administrator.
    m.client.dialogs.clear();
    m.client.dialogs.queueAnswer(Answer::Yes);
    m.client.dialogs.queueText(wrong);
    m.client.dialogs.queueText(QStringLiteral(" ") + password);
    m.click("administratorSwitch");
    EXPECT_EQ(m.clientFile()[ClientLine::Administrator], On);
    EXPECT_EQ(m.colourOf("administratorSwitch"), WindowsColour::SwitchOn);
    EXPECT_FALSE(m.control("loginPasswordSwitch")->isHidden());
}

// An administrator's menu left at the password panel: the administrator-only controls say that the
// password is needed and change nothing, the stopping client's release included.
TEST(MenuSwitches, AnAdministratorsMenuWaitingForThePasswordChangesNothing)
{
    MenuClient m(QStringLiteral("PC-ADMIN"));
    m.writeClientSettings({{ClientLine::Administrator, On}, {ClientLine::ViewOnly, On}});
    m.writeSharedSettings({{SharedLine::LoginPassword, On},
                           {SharedLine::StopAll, On},
                           {SharedLine::StopSetBy, QStringLiteral("PC-ADMIN")}});
    ASSERT_TRUE(StoreLoginPassword(m.client.state, QStringLiteral("棚卸2024"), 1000));
    m.loadMenu();
    ASSERT_TRUE(m.client.state.PasswordRequired);
    const SettingsLines clientBefore = m.clientFile();
    const SettingsLines sharedBefore = m.sharedFile();

    // The answers that would change something; only the administrator switch asks its own question
    // before the refusal.
    const struct {
        const char* control;
        std::vector<Answer> answers;
        int questions;
    } clicks[] = {
        {"loginPasswordSwitch", {Answer::No}, 0},
        {"viewOnlySwitch", {Answer::Yes}, 0},
        {"stopAllSwitch", {Answer::No}, 0},
        {"stopAllCaption", {Answer::Yes}, 0},
        {"administratorSwitch", {Answer::Yes}, 1},             // would switch view-only off
        {"administratorSwitch", {Answer::No, Answer::Yes}, 1}, // rights off and the stop released
    };
    for (const auto& c : clicks) {
        m.client.dialogs.clear();
        for (const Answer answer : c.answers)
            m.client.dialogs.queueAnswer(answer);
        m.click(c.control);
        EXPECT_EQ(m.client.dialogs.shown().size(), c.questions + 1) << c.control;
        m.client.dialogs.dropQueued();
        EXPECT_EQ(m.lastText(), QStringLiteral(" パスワード認証が必要です。")) << c.control;
        EXPECT_EQ(m.client.dialogs.shown().last().title, QStringLiteral("管理確認")) << c.control;
        EXPECT_EQ(m.clientFile(), clientBefore) << c.control;
        EXPECT_EQ(m.sharedFile(), sharedBefore) << c.control;
    }
    EXPECT_EQ(m.colourOf("stopAllSwitch"), WindowsColour::SwitchOn);
    EXPECT_EQ(m.colourOf("loginPasswordSwitch"), WindowsColour::SwitchOn);

    // Once the password is typed the switches work again.
    auto* box = m.control<QLineEdit>("passwordBox");
    box->setText(QStringLiteral("棚卸2024"));
    QTest::keyClick(box, Qt::Key_Return);
    m.client.dialogs.queueAnswer(Answer::No);
    m.click("loginPasswordSwitch");
    EXPECT_EQ(m.sharedFile()[SharedLine::LoginPassword], Off);
}
