// Two clients on one data folder: each settings write changes only its own lines, on the file as
// the other client left it; a folder whose data moved is not written.
#include "storage/shared_settings_change.h"

#include "menu/login_password.h"
#include "settings/mail_address_file.h"
#include "storage/app_state.h"
#include "storage/moved_folder.h"
#include "storage/settings_files.h"
#include "storage/vocabulary.h"
#include "support/temp_client_support.h"

#include <QDateTime>
#include <QFile>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

namespace {

class SharedSettingsChangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        client.state.PcName = QStringLiteral("PC-A");
        client.state.SharedSettings[SharedLine::StartMonth] = QStringLiteral("2026/04");
        client.state.SharedSettings[SharedLine::FirstListCount] = QStringLiteral("5");
        ASSERT_TRUE(WriteSharedSettings(client.state));
    }
    SettingsLines onDisk() const
    {
        SettingsLines lines;
        ReadSettingsFile(SharedSettingsPath(client.state), lines);
        return lines;
    }
    TempClient client{true};
};

TEST_F(SharedSettingsChangeTest, AWriterWithAStaleCopyKeepsTheOtherClientsLines)
{
    OtherPc other(client.state);
    // A stops all clients; B, which read the settings before, then switches the login password on.
    ASSERT_TRUE(ChangeSharedSettings(client.state, {{SharedLine::StopAll, QStringLiteral("1")},
                                                    {SharedLine::StopSetBy, QStringLiteral("PC-A")}}));
    other.state.SharedSettings[SharedLine::FirstListCount] = QStringLiteral("9"); // unregistered edit in memory
    ASSERT_TRUE(ChangeSharedSettings(other.state, {{SharedLine::LoginPassword, QStringLiteral("1")}}));

    const SettingsLines lines = onDisk();
    EXPECT_EQ(lines[SharedLine::StopAll], QStringLiteral("1"));
    EXPECT_EQ(lines[SharedLine::StopSetBy], QStringLiteral("PC-A"));
    EXPECT_EQ(lines[SharedLine::LoginPassword], QStringLiteral("1"));
    EXPECT_EQ(lines[SharedLine::FirstListCount], QStringLiteral("5"));
    EXPECT_EQ(lines[SharedLine::StartMonth], QStringLiteral("2026/04"));
    // B's memory now holds the file as it is, A's stop included.
    EXPECT_EQ(other.state.SharedSettings[SharedLine::StopAll], QStringLiteral("1"));
}

// Two clients writing their own lines at the same time, many times: each ends with its own last
// value; neither write carries back the other's older one.
TEST_F(SharedSettingsChangeTest, TwoWritersAtOnceKeepEachOthersLines)
{
    constexpr int Writes = 60;
    OtherPc a(client.state, QStringLiteral("PC-A"));
    OtherPc b(client.state, QStringLiteral("PC-B"));
    std::atomic<int> failures{0};
    auto writer = [&failures](AppState& state, int line) {
        for (int n = 1; n <= Writes; ++n)
            if (!ChangeSharedSettings(state, {{line, QString::number(n)}}))
                ++failures;
    };
    std::thread first(writer, std::ref(a.state), SharedLine::ImportFolder);
    std::thread second(writer, std::ref(b.state), SharedLine::CommonDocuments);
    first.join();
    second.join();
    EXPECT_EQ(failures, 0);
    const SettingsLines lines = onDisk();
    EXPECT_EQ(lines[SharedLine::ImportFolder], QString::number(Writes));
    EXPECT_EQ(lines[SharedLine::CommonDocuments], QString::number(Writes));
    EXPECT_EQ(lines[SharedLine::StartMonth], QStringLiteral("2026/04"));
}

TEST_F(SharedSettingsChangeTest, AFailedWriteLeavesMemoryAndFileAsTheyWere)
{
    const SettingsLines before = onDisk();
    const QString path = SharedSettingsPath(client.state);
    QFile::remove(path);
    ASSERT_TRUE(QFile::link(client.root() + QStringLiteral("/elsewhere.dat"), path));
    const IoResult written = ChangeSharedSettings(client.state, {{SharedLine::StartMonth, QStringLiteral("2030/01")}});
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.errorCode, ELOOP);
    EXPECT_EQ(client.state.SharedSettings[SharedLine::StartMonth], QStringLiteral("2026/04"));
    EXPECT_FALSE(QFile::exists(client.root() + QStringLiteral("/elsewhere.dat")));
}

TEST_F(SharedSettingsChangeTest, NothingIsWrittenToAFolderWhoseDataMoved)
{
    ASSERT_TRUE(WriteMovedMark(client.dataFolder(), QStringLiteral("/srv/new/"), QStringLiteral("PC-B"),
                               QDateTime::currentDateTime()));
    const QByteArray settings = TempClient::readBytes(SharedSettingsPath(client.state));
    const QByteArray list = TempClient::readBytes(VocabularyPath(client.state, 2));

    const IoResult changed = ChangeSharedSettings(client.state, {{SharedLine::StartMonth, QStringLiteral("2027/04")}});
    EXPECT_EQ(changed.errorCode, EREMCHG);
    EXPECT_EQ(changed.path, QStringLiteral("/srv/new/"));
    client.state.Vocabulary.setEntry(2, 1, VocabularyEntry{QString(), QStringLiteral("歯車")});
    EXPECT_EQ(StoreVocabularyLists(client.state).errorCode, EREMCHG);
    client.state.MailAddressTable[1] = QStringLiteral("a@example.jp");
    EXPECT_EQ(WriteMailAddressTable(client.state).errorCode, EREMCHG);
    EXPECT_EQ(StoreLoginPassword(client.state, QStringLiteral("secret"), 1).errorCode, EREMCHG);
    EXPECT_FALSE(QFile::exists(MailAddressPath(client.state)));
    EXPECT_FALSE(QFile::exists(LoginPasswordPath(client.state)));

    EXPECT_EQ(TempClient::readBytes(SharedSettingsPath(client.state)), settings);
    EXPECT_EQ(TempClient::readBytes(VocabularyPath(client.state, 2)), list);
    EXPECT_TRUE(MovedFolderMessage(QStringLiteral("/srv/new/")).contains(QStringLiteral("データは /srv/new/ に移動しました。")));
}

} // namespace
