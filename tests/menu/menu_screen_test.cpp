#include "menu/menu_screen.h"

#include "menu/menu_buttons_panel.h"
#include "storage/desktop_handover.h"
#include "storage/settings_lines.h"
#include "support/temp_client_support.h"
#include "ui/switch_label.h"
#include "ui/screen_host.h"
#include "ui/twips.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

namespace {

using Lines = std::map<int, QString>;

const QString On = QStringLiteral("1");

class MenuScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("COMPUTERNAME", "TEV-PC-07");
        host.setMenuFactory([](ScreenHost& h) { return new MenuScreen(h); });
        host.registerScreen(ScreenKey::Ledger, [](ScreenHost&) { return new QWidget; });
    }
    void TearDown() override { qunsetenv("COMPUTERNAME"); }

    // Client settings with the client folder as data folder, plus `lines`.
    void writeClientSettings(const Lines& lines)
    {
        QStringList values(SettingsLineCount);
        values[ClientLine::DataFolder - 1] = client.clientFolder();
        values[ClientLine::PreviousDataFolder - 1] = client.clientFolder();
        for (const auto& [line, value] : lines)
            values[line - 1] = value;
        TempClient::writeSettings(client.clientFolder() + SettingsFileName::Client, values);
    }
    void writeSharedSettings(const Lines& lines)
    {
        QStringList values(SettingsLineCount);
        for (const auto& [line, value] : lines)
            values[line - 1] = value;
        TempClient::writeSettings(client.dataFolder() + SettingsFileName::Shared, values);
    }

    MenuScreen* loadMenu()
    {
        host.showMenu();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return qobject_cast<MenuScreen*>(host.current());
    }

    template <class T = QWidget>
    T* control(const char* name)
    {
        T* found = host.current()->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    quint32 colourOf(const char* name) { return control<SwitchLabel>(name)->colourValue(); }

    TempClient client;
    RecordingDesktopHandover desktop;
    ScreenHost host{client.state, desktop};
};

} // namespace

TEST_F(MenuScreenTest, ShowsVersionUserDateAndDataFolder)
{
    MenuScreen* menu = loadMenu();
    ASSERT_NE(menu, nullptr);

    EXPECT_EQ(menu->objectName(), QStringLiteral("MenuScreen"));
    EXPECT_EQ(menu->windowTitle(), QStringLiteral("TEV在庫管理Ver20231023"));
    EXPECT_EQ(control<QLabel>("versionLabel")->text(), QStringLiteral("Ver20231023"));
    EXPECT_EQ(control<QLabel>("userLabel")->text(), QStringLiteral("TEV-PC-07"));
    EXPECT_EQ(control<QLabel>("dateLabel")->text(), QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
    EXPECT_EQ(control<QLabel>("dataFolderLabel")->text(), client.dataFolder());
    EXPECT_TRUE(control("dataFolderLabel")->isHidden());
    EXPECT_TRUE(control("dataFolderCaption")->isHidden());
    EXPECT_TRUE(control("logoPicture")->isHidden());
    EXPECT_TRUE(control("examplesPanel")->isHidden());
    auto* passwordBox = control<QLineEdit>("passwordBox");
    EXPECT_EQ(passwordBox->echoMode(), QLineEdit::Password);
    EXPECT_EQ(passwordBox->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, passwordBox), int(u'*'));
    EXPECT_EQ(control<QPushButton>("ledgerButton")->text(), QStringLiteral("在庫品管理"));
    EXPECT_EQ(control<QPushButton>("importButton")->text(), QStringLiteral("在庫品インポート"));
    EXPECT_EQ(control<QPushButton>("settingsButton")->text(), QStringLiteral("初期設定"));
    EXPECT_EQ(control<QPushButton>("exitButton")->text(), QStringLiteral("終　　     了"));
    EXPECT_EQ(control<QLabel>("belowProperLabel")->text(), QStringLiteral("適正数量未満"));
    EXPECT_EQ(control<QLabel>("zeroStockLabel")->text(), QStringLiteral("在庫数ゼロ"));
    EXPECT_TRUE(client.dialogs.shown().isEmpty());
}

TEST_F(MenuScreenTest, IsCentredAndRaisedEvenWhenLargerThanTheScreen)
{
    MenuScreen* menu = loadMenu();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const TwipsPosition centre = centredPosition(pixelsToTwips(screen.width()), pixelsToTwips(screen.height()),
                                                 MenuScreen::WidthTwips, MenuScreen::HeightTwips);
    EXPECT_EQ(menu->size(), QSize(1280, 640));
    EXPECT_EQ(menu->pos(), QPoint(screen.x() + twipsToPixels(centre.left),
                                  screen.y() + twipsToPixels(centre.top - MenuScreen::RaiseTwips)));
}

TEST_F(MenuScreenTest, EachOptionSwitchIsPaintedFromItsOwnLine)
{
    const struct {
        bool shared;
        int line;
        const char* name;
    } switches[] = {
        {false, ClientLine::ShowLogo, "logoSwitch"},
        {false, ClientLine::HideExplanations, "hideExplanationsSwitch"},
        {false, ClientLine::ViewOnly, "viewOnlySwitch"},
        {true, SharedLine::MonthlyImport, "monthlyImportSwitch"},
        {true, SharedLine::Decimals, "decimalsSwitch"},
        {true, SharedLine::StartOfUse, "startOfUseSwitch"},
        {true, SharedLine::CommonDocuments, "commonDocumentsSwitch"},
        {true, SharedLine::LoginPassword, "loginPasswordSwitch"},
    };
    for (const auto& on : switches) {
        writeClientSettings(on.shared ? Lines{} : Lines{{on.line, On}});
        writeSharedSettings(on.shared ? Lines{{on.line, On}} : Lines{});
        loadMenu();
        for (const auto& s : switches)
            EXPECT_EQ(colourOf(s.name), &s == &on ? WindowsColour::SwitchOn : WindowsColour::SwitchOff)
                << s.name << " with line " << on.line << " on";
    }
    client.dialogs.clear(); // the logo switch reported its missing picture
}

TEST_F(MenuScreenTest, AdministratorLabelsFollowTheAdministratorRights)
{
    const char* administratorOnly[] = {"stopAllCaption", "stopAllSwitch", "loginPasswordCaption",
                                       "loginPasswordSwitch", "viewOnlyCaption", "viewOnlySwitch"};
    for (const bool administrator : {true, false}) {
        writeClientSettings({{ClientLine::Administrator, administrator ? On : QStringLiteral("0")}});
        writeSharedSettings({{SharedLine::StopAll, On}});
        loadMenu();
        EXPECT_EQ(colourOf("administratorSwitch"), administrator ? WindowsColour::SwitchOn : WindowsColour::SwitchOff);
        EXPECT_FALSE(control("administratorCaption")->isHidden());
        for (const char* name : administratorOnly)
            EXPECT_EQ(control(name)->isHidden(), !administrator) << name;
        EXPECT_EQ(colourOf("stopAllSwitch"), WindowsColour::SwitchOn);
    }
    writeSharedSettings({{SharedLine::StopAll, QStringLiteral("0")}});
    loadMenu();
    EXPECT_EQ(colourOf("stopAllSwitch"), WindowsColour::ButtonFace);
}

TEST_F(MenuScreenTest, ExitTakesThePlaceOfAHiddenCommonDocumentsButton)
{
    writeSharedSettings({{SharedLine::CommonDocuments, On}});
    loadMenu();
    auto* commonDocuments = control<QPushButton>("commonDocumentsButton");
    EXPECT_FALSE(commonDocuments->isHidden());
    EXPECT_EQ(commonDocuments->text(), QStringLiteral("在庫品共通資料"));
    EXPECT_GT(control("exitButton")->y(), commonDocuments->geometry().bottom());
    const QRect commonDocumentsPlace = commonDocuments->geometry();

    writeSharedSettings({});
    loadMenu();
    EXPECT_TRUE(control("commonDocumentsButton")->isHidden());
    EXPECT_EQ(control("exitButton")->geometry(), commonDocumentsPlace);
}

TEST_F(MenuScreenTest, PasswordPanelOnFirstLoadOnlyAndNotOnAReturn)
{
    writeSharedSettings({{SharedLine::LoginPassword, On}});
    MenuScreen* menu = loadMenu();
    EXPECT_FALSE(control("passwordPanel")->isHidden());
    EXPECT_TRUE(client.state.PasswordRequired);

    ASSERT_TRUE(menu->openScreen(ScreenKey::Ledger));
    EXPECT_TRUE(client.state.MenuShownBefore);
    host.closeScreen();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(control("passwordPanel")->isHidden());
    EXPECT_TRUE(client.state.PasswordRequired); // still to be typed
    EXPECT_EQ(colourOf("loginPasswordSwitch"), WindowsColour::SwitchOn);

    writeSharedSettings({});
    client.state.MenuShownBefore = false;
    loadMenu();
    EXPECT_TRUE(control("passwordPanel")->isHidden());
    EXPECT_FALSE(client.state.PasswordRequired);
}

TEST_F(MenuScreenTest, LogoIsPlacedByItsOffsetAndReportedWhenMissing)
{
    const QString logoPath = client.clientFolder() + QStringLiteral("設備画像/yuuza.jpg");
    for (const char* offset : {"20", "1600"}) {
        writeClientSettings({{ClientLine::ShowLogo, On}, {ClientLine::LogoOffset, QString::fromLatin1(offset)}});
        client.dialogs.clear();
        loadMenu();
        EXPECT_EQ(control("logoPicture")->x(), twipsToPixels(16000 + QString::fromLatin1(offset).toInt())) << offset;
        EXPECT_EQ(control<QComboBox>("logoOffsetChooser")->currentText(), QString::fromLatin1(offset));
        EXPECT_EQ(control<QComboBox>("logoOffsetChooser")->count(), 80);
        ASSERT_EQ(client.dialogs.shown().size(), 1);
        EXPECT_EQ(client.dialogs.shown().at(0).title, QStringLiteral("登録確認"));
        EXPECT_EQ(QDir::fromNativeSeparators(client.dialogs.shown().at(0).text),
                  logoPath + QStringLiteral("\r　画像が登録されてません。。"));
    }

    QDir().mkpath(client.clientFolder() + QStringLiteral("設備画像"));
    QImage logo(80, 56, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    ASSERT_TRUE(logo.save(logoPath, "JPG"));
    client.dialogs.clear();
    loadMenu();
    EXPECT_TRUE(client.dialogs.shown().isEmpty());
    EXPECT_FALSE(control("logoPicture")->isHidden());
    EXPECT_FALSE(control<QLabel>("logoPicture")->pixmap().isNull());
}

TEST_F(MenuScreenTest, FirstStartWithoutSettingsFilesShowsEverythingOff)
{
    client.state.ClientSettings = {};
    client.state.SharedSettings = {};
    client.state.DataFolder.clear();
    loadMenu();

    for (const char* name : {"logoSwitch", "hideExplanationsSwitch", "monthlyImportSwitch", "decimalsSwitch",
                             "startOfUseSwitch", "commonDocumentsSwitch", "administratorSwitch"})
        EXPECT_EQ(colourOf(name), WindowsColour::SwitchOff) << name;
    for (const char* name : {"stopAllSwitch", "loginPasswordSwitch", "viewOnlySwitch", "stopAllCaption"})
        EXPECT_TRUE(control(name)->isHidden()) << name;
    EXPECT_TRUE(control("passwordPanel")->isHidden());
    EXPECT_TRUE(control("commonDocumentsButton")->isHidden());
    // Only the data folder recovery may ask something.
    for (const auto& shown : client.dialogs.shown())
        EXPECT_TRUE(shown.text.contains(QStringLiteral("データフォルダー位置がおかしいです。"))) << qPrintable(shown.text);
}

TEST_F(MenuScreenTest, ReturningFromAScreenRunsTheStartUpAgain)
{
    QPointer<MenuScreen> first = loadMenu();
    ASSERT_TRUE(first->openScreen(ScreenKey::Ledger));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first);

    // Another client switched decimals on meanwhile; the version text is fixed again.
    writeSharedSettings({{SharedLine::Decimals, On}});
    client.state.VersionText.clear();
    host.closeScreen();
    ASSERT_NE(qobject_cast<MenuScreen*>(host.current()), nullptr);
    EXPECT_EQ(colourOf("decimalsSwitch"), WindowsColour::SwitchOn);
    EXPECT_EQ(host.current()->windowTitle(), QStringLiteral("TEV在庫管理Ver20231023"));
}

TEST_F(MenuScreenTest, ExitClosesTheFilesAndEndsTheProgram)
{
    loadMenu();
    client.state.ledgerFile = std::make_unique<QFile>(client.dataFolder() + QStringLiteral("Ma在庫品.dat"));
    ASSERT_TRUE(client.state.ledgerFile->open(QIODevice::WriteOnly));
    QTest::mouseClick(control<QPushButton>("exitButton"), Qt::LeftButton);
    EXPECT_EQ(client.endRequests, 1);
    EXPECT_EQ(client.state.ledgerFile, nullptr);
    EXPECT_TRUE(client.dialogs.shown().isEmpty());
}
