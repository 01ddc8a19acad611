#include "storage/client_folder.h"

#include "storage/app_state.h"
#include "storage/settings_files.h"
#include "storage/vocabulary.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(ClientFolder, FiscalYearStartsInApril)
{
    EXPECT_EQ(FiscalYearStartMonth(QDate(2026, 12, 10)), QStringLiteral("2026/04"));
    EXPECT_EQ(FiscalYearStartMonth(QDate(2027, 3, 31)), QStringLiteral("2026/04"));
    EXPECT_EQ(FiscalYearStartMonth(QDate(2027, 4, 1)), QStringLiteral("2027/04"));
}

TEST(ClientFolder, ResolvesOverrideThenPortableFolder)
{
    TempClient client;
    EXPECT_EQ(ResolveClientFolder(client.root() + QStringLiteral("/x//"), QString()), client.root() + QStringLiteral("/x/"));
    // A folder holding the client settings file is a portable install.
    TempClient::writeBytes(client.clientFolder() + QStringLiteral("MbVORN在庫品基礎.dat"), QByteArray("\"\"\r\n"));
    EXPECT_EQ(ResolveClientFolder(QString(), client.clientFolder()), client.clientFolder());
}

TEST(ClientFolder, FirstStartSeedsAUsableClientFolder)
{
    TempClient client;
    const QString folder = client.root() + QStringLiteral("/new/");
    ASSERT_TRUE(SeedClientFolder(folder, QStringLiteral(TEV_RESOURCES_DIR), QDate(2026, 12, 10)));

    ScriptedDialogs dialogs;
    AppState state(dialogs);
    state.ClientFolder = folder;
    ASSERT_TRUE(ReadClientSettings(state));
    EXPECT_EQ(state.ClientSettings[1], folder);
    EXPECT_EQ(state.ClientSettings[2], folder);
    EXPECT_EQ(state.ClientSettings[3], QStringLiteral("0"));
    state.DataFolder = NormaliseFolder(state.ClientSettings[1]);
    ASSERT_TRUE(ReadSharedSettings(state));
    EXPECT_EQ(state.SharedSettings[9], QStringLiteral("2026/04"));
    const QStringList captions = {QStringLiteral("在庫品No"), QStringLiteral("品　名"), QStringLiteral("仕　様"),
                                  QStringLiteral("メーカー名"), QStringLiteral("保管場所"), QStringLiteral("単位")};
    for (int k = 0; k < captions.size(); ++k)
        EXPECT_EQ(state.SharedSettings[14 + k], captions[k]);
    for (int line = 3; line <= 7; ++line)
        EXPECT_EQ(state.SharedSettings[line], QStringLiteral("1"));
    EXPECT_EQ(state.SharedSettings[22], QStringLiteral("100"));
    EXPECT_TRUE(ReadVocabularyLists(state));
    EXPECT_TRUE(QDir(folder + QStringLiteral("原本Excel")).exists());
    // The output folders are there, so the first workbook output of a new install has its place.
    EXPECT_TRUE(QDir(folder + QStringLiteral("M在庫台帳")).exists());
    EXPECT_TRUE(QDir(folder + QStringLiteral("M在庫資料")).exists());
    // The status pictures of the timed import.
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("設備画像/torikomi00.jpg")));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("設備画像/torikomi01.jpg")));
    EXPECT_TRUE(dialogs.shown().isEmpty());

    // Seeding again keeps what the user has changed.
    state.SharedSettings[9] = QStringLiteral("2025/10");
    ASSERT_TRUE(WriteSharedSettings(state));
    ASSERT_TRUE(SeedClientFolder(folder, QStringLiteral(TEV_RESOURCES_DIR), QDate(2027, 5, 1)));
    ASSERT_TRUE(ReadSharedSettings(state));
    EXPECT_EQ(state.SharedSettings[9], QStringLiteral("2025/10"));
}
