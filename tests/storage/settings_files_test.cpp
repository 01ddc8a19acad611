#include "storage/settings_files.h"

#include "storage/paths.h"
#include "support/temp_client_support.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(NormaliseFolder, KeepsExactlyOneTrailingSeparator)
{
    struct Case {
        QString path;
        QString normalised;
    };
    const Case cases[] = {
        {QStringLiteral("/srv/data///"), QStringLiteral("/srv/data/")},
        {QStringLiteral("/srv/data"), QStringLiteral("/srv/data/")},
        {QStringLiteral("/srv/data/"), QStringLiteral("/srv/data/")},
        {QStringLiteral("/"), QStringLiteral("/")},
        {QStringLiteral("a"), QStringLiteral("a")},
        {QString(), QString()},
        {QStringLiteral("//"), QStringLiteral("/")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormaliseFolder(c.path), c.normalised) << c.path.toStdString();
}

TEST(SettingsFiles, SharedSettingsLiveBesideTheClientSettingsWhenTheDataFolderIsTheClientFolder)
{
    TempClient client;
    client.state.SharedSettings[9] = QStringLiteral("2026/04");
    ASSERT_TRUE(WriteSharedSettings(client.state));
    ASSERT_TRUE(WriteClientSettings(client.state));
    EXPECT_TRUE(QFile::exists(client.clientFolder() + QStringLiteral("Ma在庫品基礎.dat")));
    EXPECT_TRUE(QFile::exists(client.clientFolder() + QStringLiteral("MbVORN在庫品基礎.dat")));

    TempClient separate(true);
    separate.state.SharedSettings[9] = QStringLiteral("2026/04");
    ASSERT_TRUE(WriteSharedSettings(separate.state));
    EXPECT_TRUE(QFile::exists(separate.dataFolder() + QStringLiteral("Ma在庫品基礎.dat")));
    EXPECT_FALSE(QFile::exists(separate.clientFolder() + QStringLiteral("Ma在庫品基礎.dat")));
}

TEST(SettingsFiles, WritesFiftyQuotedCp932LinesAndReadsThemBack)
{
    TempClient client;
    client.state.ClientSettings[1] = client.clientFolder();
    client.state.ClientSettings[15] = QStringLiteral("  1  ");
    client.state.ClientSettings[50] = QStringLiteral("最後");
    ASSERT_TRUE(WriteClientSettings(client.state));
    EXPECT_EQ(client.state.ClientSettings[15], QStringLiteral("1")); // trimmed in memory too

    const QByteArray bytes = TempClient::readBytes(client.clientFolder() + SettingsFileName::Client);
    EXPECT_EQ(bytes.count("\r\n"), 50);
    EXPECT_TRUE(bytes.contains(QByteArray("\r\n\"1\"\r\n")));
    EXPECT_TRUE(bytes.endsWith(QByteArray("\"\x8d\xc5\x8c\xe3\"\r\n")));

    client.state.ClientSettings = {};
    EXPECT_TRUE(ReadClientSettings(client.state));
    EXPECT_EQ(client.state.ClientSettings[15], QStringLiteral("1"));
    EXPECT_EQ(client.state.ClientSettings[50], QStringLiteral("最後"));
    EXPECT_EQ(client.state.ClientSettings[14], QString());
}

TEST(SettingsFiles, SharedValuesAreWrittenUpToTheirFirstNul)
{
    TempClient client;
    client.state.SharedSettings[14] = QStringLiteral("品番") + QChar(u'\0') + QStringLiteral("junk");
    ASSERT_TRUE(WriteSharedSettings(client.state));
    client.state.SharedSettings = {};
    ASSERT_TRUE(ReadSharedSettings(client.state));
    EXPECT_EQ(client.state.SharedSettings[14], QStringLiteral("品番"));
}

TEST(SettingsFiles, DamagedFilesReadAsFarAsTheyGo)
{
    TempClient client;
    const QString path = client.clientFolder() + SettingsFileName::Client;
    client.state.ClientSettings[3] = QStringLiteral("old3");
    client.state.ClientSettings[4] = QStringLiteral("old4");
    // Three lines, the third without its closing quote and with a comma inside.
    TempClient::writeBytes(path, QByteArray("\"a\"\r\n\"b\",\"extra\"\r\n\"c,d\r\n"));
    EXPECT_FALSE(ReadClientSettings(client.state));
    EXPECT_EQ(client.state.ClientSettings[1], QStringLiteral("a"));
    EXPECT_EQ(client.state.ClientSettings[2], QStringLiteral("b"));
    EXPECT_EQ(client.state.ClientSettings[3], QStringLiteral("c,d"));
    EXPECT_EQ(client.state.ClientSettings[4], QStringLiteral("old4")); // not read: kept

    // A missing file keeps every value and shows nothing.
    QFile::remove(path);
    EXPECT_FALSE(ReadClientSettings(client.state));
    EXPECT_EQ(client.state.ClientSettings[1], QStringLiteral("a"));
    EXPECT_TRUE(client.dialogs.shown().isEmpty());
}

TEST(SettingsFiles, AValueWithADoubleQuoteCannotBreakTheFileApart)
{
    TempClient client;
    client.state.SharedSettings[14] = QStringLiteral("12\"");
    client.state.SharedSettings[15] = QStringLiteral("next");
    ASSERT_TRUE(WriteSharedSettings(client.state));
    client.state.SharedSettings = {};
    ASSERT_TRUE(ReadSharedSettings(client.state));
    EXPECT_EQ(client.state.SharedSettings[14], QStringLiteral("12'"));
    EXPECT_EQ(client.state.SharedSettings[15], QStringLiteral("next"));
}

TEST(SettingsFiles, UnreadableDataFolderOffersRecovery)
{
    for (const bool agree : {true, false}) {
        TempClient client(true);
        client.state.DataFolder = client.root() + QStringLiteral("/gone/");
        client.state.ClientSettings[1] = client.state.DataFolder;
        client.state.ClientSettings[2] = client.state.DataFolder;
        client.state.ClientSettings[3] = QStringLiteral("1");
        client.state.EditPending = true;
        client.state.ItemTableLoaded = true;
        client.dialogs.queueAnswer(agree ? Dialogs::Answer::Yes : Dialogs::Answer::No);

        EXPECT_FALSE(ReadSharedSettings(client.state));

        ASSERT_EQ(client.dialogs.shown().size(), 1);
        EXPECT_EQ(client.dialogs.shown()[0].title, QStringLiteral("登録確認"));
        EXPECT_EQ(client.dialogs.shown()[0].text,
                  client.root() + QStringLiteral("/gone/\r データフォルダー位置がおかしいです。\r 一旦クライアントフォルダー設定に戻します。"));
        if (agree) {
            EXPECT_EQ(client.state.ClientSettings[1], client.clientFolder());
            EXPECT_EQ(client.state.ClientSettings[2], client.clientFolder());
            EXPECT_EQ(client.state.ClientSettings[3], QStringLiteral("0"));
            EXPECT_EQ(client.state.DataFolder, client.clientFolder());
            EXPECT_FALSE(client.state.EditPending);
            EXPECT_FALSE(client.state.ItemTableLoaded);
            EXPECT_EQ(SharedSettingsPath(client.state), client.clientFolder() + QStringLiteral("Ma在庫品基礎.dat"));
            SettingsLines onDisk;
            ASSERT_TRUE(ReadSettingsFile(client.clientFolder() + SettingsFileName::Client, onDisk));
            EXPECT_EQ(onDisk[1], client.clientFolder());
        } else {
            EXPECT_EQ(client.state.DataFolder, client.root() + QStringLiteral("/gone/"));
            EXPECT_EQ(client.state.ClientSettings[3], QStringLiteral("1"));
            EXPECT_TRUE(client.state.EditPending);
        }
    }
}

TEST(SettingsFiles, RecoveryIsNotOfferedForTheClientFolderOrWhileSuppressed)
{
    TempClient client; // data folder = client folder, no shared settings file
    EXPECT_FALSE(ReadSharedSettings(client.state));
    EXPECT_TRUE(client.dialogs.shown().isEmpty());

    TempClient separate(true);
    separate.state.suppressRecovery = true;
    EXPECT_FALSE(ReadSharedSettings(separate.state));
    EXPECT_TRUE(separate.dialogs.shown().isEmpty());
}
