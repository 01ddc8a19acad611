#include "settings/mail_address_file.h"

#include "menu/startup.h"
#include "storage/cp932_codec.h"
#include "storage/settings_files.h"
#include "support/temp_client_support.h"

#include <gtest/gtest.h>

namespace {

MailAddresses sampleAddresses()
{
    MailAddresses addresses;
    for (int i = 1; i <= 11; ++i)
        addresses[size_t(i)] = QStringLiteral("user%1@example.jp").arg(i);
    addresses[2] = QStringLiteral("保全係@example.jp");
    return addresses;
}

} // namespace

TEST(MailAddressFile, SixteenQuotedLinesEntryIOnLineIPlusOne)
{
    TempClient client;
    const QString path = client.dataFolder() + MailAddressFile::Name;
    ASSERT_TRUE(WriteMailAddressFile(path, sampleAddresses()));

    const QByteArray bytes = TempClient::readBytes(path);
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), 17); // 16 lines, each ended by CR LF
    EXPECT_TRUE(lines.last().isEmpty());
    EXPECT_EQ(lines[0], QByteArray("\"\"\r"));
    EXPECT_EQ(lines[1], QByteArray("\"user1@example.jp\"\r"));
    EXPECT_EQ(lines[2], QByteArray("\"") + Cp932::encode(QStringLiteral("保全係@example.jp")) + QByteArray("\"\r"));
    EXPECT_EQ(lines[11], QByteArray("\"user11@example.jp\"\r"));
    EXPECT_EQ(lines[15], QByteArray("\"\"\r"));

    EXPECT_EQ(ReadMailAddressFile(path), sampleAddresses());
}

TEST(MailAddressFile, MissingFileOrLinesGiveEmptyEntries)
{
    TempClient client;
    EXPECT_EQ(ReadMailAddressFile(client.dataFolder() + QStringLiteral("none.dat")), MailAddresses{});

    const QString path = client.dataFolder() + MailAddressFile::Name;
    TempClient::writeBytes(path, QByteArray("\"\"\r\n\" a@example.jp \"\r\n\"b@example.jp\""));
    const MailAddresses read = ReadMailAddressFile(path);
    EXPECT_EQ(read[1], QStringLiteral("a@example.jp"));
    EXPECT_EQ(read[2], QStringLiteral("b@example.jp"));
    for (size_t i = 3; i < read.size(); ++i)
        EXPECT_TRUE(read[i].isEmpty()) << i;
}

TEST(MailAddressFile, AddressWithADoubleQuoteIsRefused)
{
    EXPECT_FALSE(MailAddressProblem(QStringLiteral("a@example.jp")).has_value());
    EXPECT_TRUE(MailAddressProblem(QStringLiteral("\"Ito\" <ito@example.jp>")).has_value());
}

TEST(MailAddressFile, StartUpReadsTheTableFromTheDataFolder)
{
    TempClient client(true);
    TempClient::writeSettings(client.clientFolder() + SettingsFileName::Client,
                              {client.dataFolder(), client.dataFolder(), QStringLiteral("1")});
    TempClient::writeSettings(client.dataFolder() + SettingsFileName::Shared, {QStringLiteral("0")});
    client.state.DataFolder = client.dataFolder();
    ASSERT_TRUE(WriteMailAddressFile(MailAddressPath(client.state), sampleAddresses()));
    client.state.DataFolder.clear();
    client.state.MailAddressTable[12] = QStringLiteral("stale@example.jp");

    RunStartupSequence(client.state);

    EXPECT_EQ(client.state.MailAddressTable, sampleAddresses());
}
