#include "menu/startup.h"

#include "storage/settings_files.h"
#include "support/temp_client_support.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(Startup, ResolvesTheDataFolderAndReadsBothSettingsFiles)
{
    TempClient client(true);
    qputenv("COMPUTERNAME", "PC-07");
    TempClient::writeSettings(client.clientFolder() + QStringLiteral("MbVORN在庫品基礎.dat"),
                              {client.dataFolder() + QStringLiteral("//"), client.dataFolder(), QStringLiteral("0")});
    TempClient::writeSettings(client.dataFolder() + QStringLiteral("Ma在庫品基礎.dat"),
                              {QStringLiteral("0"), QString(), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"),
                               QStringLiteral("1"), QStringLiteral("1"), QString(), QStringLiteral("2026/04")});
    for (int list = 2; list <= 6; ++list)
        TempClient::writeBytes(client.dataFolder() + QStringLiteral("Mb在庫品0%1.dat").arg(list), QByteArray("\"\",\"\"\r\n"));
    client.state.DataFolder.clear();
    client.state.ClientSettings = {};
    client.state.EntryPadMode = 103;

    RunStartupSequence(client.state);

    EXPECT_EQ(client.state.VersionText, QStringLiteral("Ver20231023"));
    EXPECT_EQ(client.state.PcName, QStringLiteral("PC-07"));
    EXPECT_EQ(client.state.DataFolder, client.dataFolder());
    EXPECT_EQ(client.state.SharedSettings[9], QStringLiteral("2026/04"));
    EXPECT_EQ(client.state.EntryPadMode, 0);
    EXPECT_FALSE(client.state.PasswordRequired);
    EXPECT_TRUE(client.dialogs.shown().isEmpty());
    qunsetenv("COMPUTERNAME");
}

TEST(Startup, PcNameFallsBackToTheHostName)
{
    qunsetenv("COMPUTERNAME");
    EXPECT_FALSE(ReadPcName().isEmpty());
}

TEST(Startup, LoginPasswordIsAskedOncePerRun)
{
    struct Case {
        QString passwordSwitch;
        bool shownBefore;
        bool requiredBefore;
        bool panel;
        bool requiredAfter;
    };
    const Case cases[] = {
        {QStringLiteral("1"), false, false, true, true},
        {QStringLiteral("1"), true, false, false, false}, // a return keeps what was decided
        {QStringLiteral("1"), true, true, false, true},
        {QStringLiteral("0"), false, true, false, false},
        {QStringLiteral("1 "), false, false, false, false}, // only the exact "1" asks
    };
    for (const Case& c : cases) {
        TempClient client;
        client.state.SharedSettings[8] = c.passwordSwitch;
        client.state.MenuShownBefore = c.shownBefore;
        client.state.PasswordRequired = c.requiredBefore;
        EXPECT_EQ(ApplyLoginPasswordRule(client.state), c.panel);
        EXPECT_EQ(client.state.PasswordRequired, c.requiredAfter);
    }
}

TEST(Startup, FirstStartWithoutSettingsFilesOnlyOffersTheClientFolder)
{
    TempClient client;
    client.state.ClientSettings = {};
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);

    RunStartupSequence(client.state);

    // The empty data folder cannot be read: the only question is the recovery, and Yes settles
    // on the client folder with every switch off.
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_TRUE(client.dialogs.shown()[0].text.contains(QStringLiteral("データフォルダー位置がおかしいです。")));
    EXPECT_EQ(client.state.DataFolder, client.clientFolder());
    for (int i = 1; i <= 50; ++i)
        EXPECT_TRUE(client.state.SharedSettings[i].isEmpty());
}

TEST(Startup, ADataFolderWithoutItsFilesIsPrepared)
{
    TempClient client(true);
    TempClient::writeSettings(client.clientFolder() + QStringLiteral("MbVORN在庫品基礎.dat"),
                              {client.dataFolder(), client.dataFolder(), QStringLiteral("0")});
    TempClient::writeSettings(client.dataFolder() + QStringLiteral("Ma在庫品基礎.dat"), {QStringLiteral("0")});

    RunStartupSequence(client.state);

    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_TRUE(client.dialogs.shown()[0].text.contains(QStringLiteral("データ環境が未整備です")));
    EXPECT_TRUE(QFile::exists(client.dataFolder() + QStringLiteral("Mb在庫品02.dat")));
}
