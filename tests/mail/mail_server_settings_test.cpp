// The mail server settings of a client: stored in the client folder, the password owner-only,
// the environment above the files.
#include "mail/mail_server_settings.h"

#include "support/smtp_sink_support.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// Read and write for the owner, nothing for anyone else.
bool ownerOnly(const QString& path)
{
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    const QFileDevice::Permissions permissions = QFile::permissions(path);
    return (permissions & others) == 0 && permissions.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

const MailServerSettings Stored{QStringLiteral("smtps://mail.example.jp:465"), QStringLiteral("在庫 <stock@example.jp>"),
                                QStringLiteral("stock"), QStringLiteral("pä\"ss word")};

} // namespace

TEST(MailServerSettingsTest, StoredInTheClientFolderWithAnOwnerOnlyPasswordFile)
{
    SmtpEnvironmentGuard environment;
    TempClient client(true);
    ASSERT_TRUE(WriteMailServerSettings(client.clientFolder(), Stored));

    const MailServerSettings read = ReadMailServerSettings(client.clientFolder());
    EXPECT_EQ(read.url, Stored.url);
    EXPECT_EQ(read.sender, Stored.sender);
    EXPECT_EQ(read.user, Stored.user);
    EXPECT_EQ(read.password, Stored.password);

    const QString passwordPath = client.clientFolder() + MailServerFile::Password;
    EXPECT_TRUE(ownerOnly(passwordPath));
    EXPECT_FALSE(TempClient::readBytes(client.clientFolder() + MailServerFile::Settings).contains("ss word"));
    EXPECT_TRUE(QDir(client.dataFolder()).entryList(QDir::Files).isEmpty()); // nothing in the shared folder

    // A second write keeps the file owner-only; an empty password removes the file.
    ASSERT_TRUE(WriteMailServerSettings(client.clientFolder(), Stored));
    EXPECT_TRUE(ownerOnly(passwordPath));
    MailServerSettings withoutPassword = Stored;
    withoutPassword.password.clear();
    ASSERT_TRUE(WriteMailServerSettings(client.clientFolder(), withoutPassword));
    EXPECT_FALSE(QFile::exists(passwordPath));
    EXPECT_EQ(ReadMailServerSettings(client.clientFolder()).url, Stored.url);
}

TEST(MailServerSettingsTest, EnvironmentVariablesOverrideEachStoredValue)
{
    SmtpEnvironmentGuard environment;
    TempClient client;
    ASSERT_TRUE(WriteMailServerSettings(client.clientFolder(), Stored));
    qputenv("TEV_SMTP_URL", "smtp://127.0.0.1:2525");
    qputenv("TEV_SMTP_PASSWORD", "secret");
    const MailServerSettings effective = EffectiveMailServerSettings(client.clientFolder());
    EXPECT_EQ(effective.url, QStringLiteral("smtp://127.0.0.1:2525"));
    EXPECT_EQ(effective.sender, Stored.sender);
    EXPECT_EQ(effective.user, Stored.user);
    EXPECT_EQ(effective.password, QStringLiteral("secret"));

    TempClient empty;
    qputenv("TEV_SMTP_FROM", "job@example.jp");
    EXPECT_EQ(EffectiveMailServerSettings(empty.clientFolder()).sender, QStringLiteral("job@example.jp"));
}

TEST(MailServerSettingsTest, OnlySmtpUrlsWithAHostAndASenderAddressCanSend)
{
    const struct {
        const char* url;
        const char* sender;
        bool usable;
    } cases[] = {
        {"smtp://mail.example.jp:587", "stock@example.jp", true},
        {"smtps://mail.example.jp:465", "Stock <stock@example.jp>", true},
        {"SMTP://mail.example.jp", "stock@example.jp", true},
        {"", "stock@example.jp", false},
        {"http://mail.example.jp", "stock@example.jp", false},
        {"file:///etc/passwd", "stock@example.jp", false},
        {"mail.example.jp:587", "stock@example.jp", false},
        {"smtp://mail.example.jp:587", "", false},
        {"smtp://mail.example.jp:587", "stock", false},
    };
    for (const auto& c : cases) {
        const MailServerSettings settings{QString::fromLatin1(c.url), QString::fromLatin1(c.sender), {}, {}};
        EXPECT_EQ(!MailServerProblem(settings).has_value(), c.usable) << c.url << ' ' << c.sender;
    }
}
