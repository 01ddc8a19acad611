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
