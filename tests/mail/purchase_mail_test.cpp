// The purchase mail against a real SMTP server on 127.0.0.1: who receives it, what arrives
// (subject, body, attachment), the messages in their order, and failures that end in
// MailErrorReport while the program goes on.
#include "mail/mail_error_report.h"
#include "mail/mail_server_settings.h"
#include "mail/purchase_mail.h"

#include "support/smtp_sink_support.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

const QString A = QStringLiteral("a@example.jp");
const QString B = QStringLiteral("b@example.jp");
const QString C = QStringLiteral("c@example.jp");
const QString Sender = QStringLiteral("stock@example.jp");

class PurchaseMailTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString problem = sink.start({QStringLiteral("rejected@example.jp")});
        ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
        useServer(sink.url());
        QDir().mkpath(client.dataFolder() + QStringLiteral("M在庫台帳"));
        workbookPath = client.dataFolder() + QStringLiteral("M在庫台帳/在庫品台帳2025年01月.xlsx");
        for (int i = 0; i < 70000; ++i)
            workbook.append(char(i * 7 % 256));
        TempClient::writeBytes(workbookPath, workbook);
    }

    void useServer(const QString& url)
    {
        ASSERT_TRUE(WriteMailServerSettings(client.clientFolder(), {url, Sender, {}, {}}));
    }
    void setRecipients(const QString& first, const QString& second, const QString& third)
    {
        client.state.MailAddressTable[1] = first;
        client.state.MailAddressTable[2] = second;
        client.state.MailAddressTable[3] = third;
    }
    PurchaseMailResult send()
    {
        return SendPurchaseMail(client.state, OutputMailRequest(client.state, workbookPath, QDate(2025, 1, 15)));
    }
    QStringList shownTexts() const { return client.dialogs.texts(); }

    SmtpEnvironmentGuard environment;
    SmtpSink sink;
    TempClient client{true};
    QString workbookPath;
    QByteArray workbook;
};

} // namespace

TEST_F(PurchaseMailTest, ToListJoinsTheSetRecipientsInOrder)
{
    const struct {
        QString first, second, third, to;
    } cases[] = {
        {{}, B, {}, B},
        {A, {}, C, A + u';' + C},
        {A, B, C, A + u';' + B + u';' + C},
        {QStringLiteral(" "), {}, {}, {}},
        {{}, {}, {}, {}},
    };
    for (const auto& c : cases) {
        std::array<QString, 16> table;
        table[1] = c.first;
        table[2] = c.second;
        table[3] = c.third;
        table[4] = QStringLiteral("ordering@example.jp"); // not a purchase-mail recipient
        EXPECT_EQ(PurchaseMailToList(table), c.to);
    }
}

TEST_F(PurchaseMailTest, SendsTheWorkbookWithJapaneseSubjectAndBodyToTheRecipients)
{
    setRecipients(A, {}, C);
    const PurchaseMailResult result = send();
    ASSERT_EQ(result.outcome, PurchaseMailOutcome::Sent) << result.detail.toStdString();
    EXPECT_EQ(result.recipients, 2);
    const QString name = QDir::toNativeSeparators(QStringLiteral("M在庫台帳/在庫品台帳2025年01月.xlsx"));
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("在庫品データ   \r\n") + name +
                                        QStringLiteral("\r\n             メールを送信完了しました。　")});
    EXPECT_EQ(client.dialogs.shown().at(0).title, QStringLiteral("登録確認"));

    const QList<ReceivedMail> mails = sink.received();
    ASSERT_EQ(mails.size(), 1);
    const ReceivedMail& mail = mails[0];
    EXPECT_EQ(mail.mailFrom, Sender);
    EXPECT_EQ(mail.rcptTos, (QStringList{A, C}));
    EXPECT_EQ(mail.toAddresses, (QStringList{A, C}));
    EXPECT_EQ(mail.from, Sender);
    EXPECT_EQ(mail.subject, QStringLiteral("2025年01月15日在庫品購入　"));
    EXPECT_EQ(mail.body, QStringLiteral("2025年01月15日在庫品購入  "));
    EXPECT_FALSE(mail.date.isEmpty());
    EXPECT_TRUE(mail.messageId.endsWith(QStringLiteral("@example.jp>"))) << mail.messageId.toStdString();
    ASSERT_EQ(mail.attachments.size(), 1);
    EXPECT_EQ(mail.attachments[0].fileName, QStringLiteral("在庫品台帳2025年01月.xlsx"));
    EXPECT_EQ(mail.attachments[0].contentType,
              QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"));
    EXPECT_EQ(mail.attachments[0].data, workbook);
    // Only ASCII on the wire: every Japanese text went out encoded.
    for (const char byte : mail.raw)
        ASSERT_LT(static_cast<unsigned char>(byte), 0x80);
}

TEST_F(PurchaseMailTest, OnlyRecipientTwoGetsExactlyThatAddress)
{
    setRecipients({}, B, {});
    ASSERT_EQ(send().outcome, PurchaseMailOutcome::Sent);
    const QList<ReceivedMail> mails = sink.received();
    ASSERT_EQ(mails.size(), 1);
    EXPECT_EQ(mails[0].rcptTos, QStringList{B});
    EXPECT_EQ(mails[0].to, B);
}

TEST_F(PurchaseMailTest, WithoutRecipientsOrWorkbookItSaysSoAndContactsNoServer)
{
    // A server that cannot be reached: a connection attempt would show the error report.
    useServer(QStringLiteral("smtp://127.0.0.1:%1").arg(ClosedLocalPort()));
    EXPECT_EQ(send().outcome, PurchaseMailOutcome::NoRecipients);
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("　在庫品送付メールアドレス未登録です。")});

    client.dialogs.clear();
    setRecipients(A, {}, {});
    EXPECT_EQ(SendPurchaseMail(client.state, {QStringLiteral("2025年01月15日"), {}, {}}).outcome,
              PurchaseMailOutcome::NoAttachment);
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("　在庫品Excel未登録です。")});
    EXPECT_EQ(client.dialogs.shown().at(0).title, QStringLiteral("登録確認"));
    EXPECT_TRUE(sink.received().isEmpty());
}

TEST_F(PurchaseMailTest, FailuresShowTheMailErrorReportAndTheNextSendWorks)
{
    setRecipients(A, {}, {});
    const struct {
        const char* what;
        std::function<void()> arrange;
    } failures[] = {
        {"refused connection", [&] { useServer(QStringLiteral("smtp://127.0.0.1:%1").arg(ClosedLocalPort())); }},
        {"no server", [&] { useServer({}); }},
        {"rejected recipient",
         [&] {
             useServer(sink.url());
             setRecipients(A, QStringLiteral("rejected@example.jp"), {});
         }},
        {"not an address",
         [&] {
             useServer(sink.url());
             setRecipients(A, QStringLiteral("購買係"), {});
         }},
        {"workbook gone",
         [&] {
             setRecipients(A, {}, {});
             QFile::rename(workbookPath, workbookPath + QStringLiteral(".moved"));
         }},
    };
    for (const auto& failure : failures) {
        client.dialogs.clear();
        failure.arrange();
        const PurchaseMailResult result = send();
        EXPECT_EQ(result.outcome, PurchaseMailOutcome::Failed) << failure.what;
        EXPECT_FALSE(result.detail.isEmpty()) << failure.what;
        ASSERT_EQ(client.dialogs.shown().size(), 1) << failure.what;
        EXPECT_EQ(client.dialogs.shown()[0].title, QStringLiteral("登録確認"));
        EXPECT_EQ(shownTexts()[0], MailErrorText()) << failure.what;
    }
    EXPECT_TRUE(sink.received().isEmpty());
    EXPECT_EQ(MailErrorText(),
              QStringLiteral("メール送信機能異常です。\r　①当ソフトはMicrosoft製OutLookアカウント設定が必須です。 \r"
                             "　　Microsoft製OutLookを確認してください.。\r　②ソフト使用中の発生はメールアドレス間違い有無含め確認 　"));

    QFile::rename(workbookPath + QStringLiteral(".moved"), workbookPath);
    client.dialogs.clear();
    EXPECT_EQ(send().outcome, PurchaseMailOutcome::Sent);
    EXPECT_EQ(sink.received().size(), 1);
}

TEST_F(PurchaseMailTest, EnvironmentServerTakesThePlaceOfTheStoredOne)
{
    useServer(QStringLiteral("smtp://127.0.0.1:%1").arg(ClosedLocalPort()));
    qputenv("TEV_SMTP_URL", sink.url().toUtf8());
    qputenv("TEV_SMTP_FROM", "job@example.jp");
    setRecipients({}, {}, C);
    ASSERT_EQ(send().outcome, PurchaseMailOutcome::Sent);
    ASSERT_EQ(sink.received().size(), 1);
    EXPECT_EQ(sink.received()[0].mailFrom, QStringLiteral("job@example.jp"));
}

TEST_F(PurchaseMailTest, OfferIsAskedOnlyWithRecipients)
{
    EXPECT_FALSE(PurchaseMailWanted(client.state));
    EXPECT_TRUE(client.dialogs.shown().isEmpty());

    setRecipients({}, B, {});
    EXPECT_FALSE(PurchaseMailWanted(client.state)); // answered No
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    EXPECT_TRUE(PurchaseMailWanted(client.state));
    ASSERT_EQ(client.dialogs.shown().size(), 2);
    EXPECT_TRUE(client.dialogs.shown()[1].question);
    EXPECT_EQ(client.dialogs.shown()[1].title, QStringLiteral("登録確認"));
    EXPECT_EQ(client.dialogs.shown()[1].text, QStringLiteral("  メール送信しますか？。　"));

    const PurchaseMailRequest request = OutputMailRequest(client.state, workbookPath, QDate(2025, 3, 9));
    EXPECT_EQ(request.titlePrefix, QStringLiteral("2025年03月09日"));
    EXPECT_EQ(request.attachmentPath, workbookPath);
    EXPECT_EQ(request.attachmentName, QDir::toNativeSeparators(QStringLiteral("M在庫台帳/在庫品台帳2025年01月.xlsx")));
}
