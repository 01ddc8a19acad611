// The mail server fields of the settings screen's mail panel: loaded from the client folder,
// registered there (never in the data folder), refused when they cannot send.
#include "mail/mail_server_settings.h"
#include "settings/mail_panel.h"

#include "support/smtp_sink_support.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class MailServerWidgetTest : public ::testing::Test {
protected:
    void build()
    {
        panel = new MailPanel(client.state, &parent);
        panel->open();
    }
    QLineEdit* field(const char* name)
    {
        auto* found = panel->findChild<QLineEdit*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void fill(const QString& url, const QString& sender, const QString& user, const QString& password)
    {
        field("mailServerUrlEdit")->setText(url);
        field("mailSenderEdit")->setText(sender);
        field("mailUserEdit")->setText(user);
        field("mailPasswordEdit")->setText(password);
    }
    void registerServer()
    {
        QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("mailServerRegisterButton")), Qt::LeftButton);
    }

    SmtpEnvironmentGuard environment;
    TempClient client{true};
    QWidget parent;
    MailPanel* panel = nullptr;
};

} // namespace

TEST_F(MailServerWidgetTest, ShowsTheStoredServerAndRegistersChangesInTheClientFolder)
{
    ASSERT_TRUE(WriteMailServerSettings(client.clientFolder(), {QStringLiteral("smtp://mail.example.jp:587"),
                                                                QStringLiteral("stock@example.jp"),
                                                                QStringLiteral("stock"), QStringLiteral("old")}));
    build();
    EXPECT_EQ(field("mailServerUrlEdit")->text(), QStringLiteral("smtp://mail.example.jp:587"));
    EXPECT_EQ(field("mailSenderEdit")->text(), QStringLiteral("stock@example.jp"));
    EXPECT_EQ(field("mailUserEdit")->text(), QStringLiteral("stock"));
    EXPECT_EQ(field("mailPasswordEdit")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(field("mailPasswordEdit")->text(), QStringLiteral("old"));

    fill(QStringLiteral(" smtps://smtp.example.jp:465 "), QStringLiteral("在庫管理 <stock@example.jp>"), QString(),
         QStringLiteral("新しい pass"));
    registerServer();
    EXPECT_EQ(client.dialogs.texts(), QStringList{QStringLiteral(" メールサーバーを登録しました。")});
    const MailServerSettings stored = ReadMailServerSettings(client.clientFolder());
    EXPECT_EQ(stored.url, QStringLiteral("smtps://smtp.example.jp:465"));
    EXPECT_EQ(stored.sender, QStringLiteral("在庫管理 <stock@example.jp>"));
    EXPECT_TRUE(stored.user.isEmpty());
    EXPECT_EQ(stored.password, QStringLiteral("新しい pass"));
    EXPECT_TRUE(QDir(client.dataFolder()).entryList(QDir::Files).isEmpty());
}

TEST_F(MailServerWidgetTest, UnusableSettingsAreRefusedAndNothingIsWritten)
{
    build();
    const struct {
        const char* url;
        const char* sender;
        const char16_t* message;
    } cases[] = {
        {"http://mail.example.jp", "stock@example.jp",
         u"　SMTPサーバーは smtp://サーバー名:587 または smtps://サーバー名:465 の形で入力してください。"},
        {"smtp://mail.example.jp:587", "stock", u"　送信元メールアドレスが正しくありません。"},
    };
    for (const auto& c : cases) {
        client.dialogs.clear();
        fill(QString::fromLatin1(c.url), QString::fromLatin1(c.sender), QString(), QString());
        registerServer();
        EXPECT_EQ(client.dialogs.texts(), QStringList{QString::fromUtf16(c.message)}) << c.url;
    }
    EXPECT_FALSE(QFile::exists(client.clientFolder() + MailServerFile::Settings));

    // All fields empty: no server, which is stored as such.
    client.dialogs.clear();
    fill({}, {}, {}, {});
    registerServer();
    EXPECT_EQ(client.dialogs.texts(), QStringList{QStringLiteral(" メールサーバーを登録しました。")});
    EXPECT_FALSE(ReadMailServerSettings(client.clientFolder()).configured());
}
