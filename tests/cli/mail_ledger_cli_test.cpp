// tev-cli mail-ledger, run as a binary against the test SMTP server: the ledger workbook is
// written and mailed to the registered recipients; without recipients or server it fails.
#include "cli_process_helper.h"
#include "mail/mail_server_settings.h"
#include "settings/mail_address_file.h"
#include "storage/item_record.h"
#include "storage/paths.h"
#include "support/smtp_sink_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class MailLedgerCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString problem = sink.start();
        ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
        folder = m_dir.filePath(u"client"_s) + u'/';
        PrepareCliClientFolder(folder, u"2023/04"_s);
        QDir().mkpath(folder + u"M在庫台帳"_s);
        QFile file(folder + DataFileName::Ledger);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ItemRecord record;
        record.setText(ItemField::Number, u"B1"_s);
        record.setText(ItemField::Name, u"ボルト"_s);
        file.write(record.data(), ItemRecord::Length);
        file.close();
        ASSERT_TRUE(WriteMailServerSettings(folder, {sink.url(), u"stock@example.jp"_s, {}, {}}));
    }
    void setRecipients(const QStringList& recipients)
    {
        MailAddresses addresses;
        for (qsizetype i = 0; i < recipients.size(); ++i)
            addresses[size_t(i + 1)] = recipients[i];
        ASSERT_TRUE(WriteMailAddressFile(folder + MailAddressFile::Name, addresses));
    }
    QStringList outputs() const { return QDir(folder + u"M在庫台帳"_s).entryList(QDir::Files); }

    SmtpEnvironmentGuard environment;
    SmtpSink sink;
    QTemporaryDir m_dir;
    QString folder;
};

} // namespace

TEST_F(MailLedgerCliTest, WritesTheLedgerWorkbookAndMailsItToTheRecipients)
{
    setRecipients({u"a@example.jp"_s, {}, u"c@example.jp"_s});
    const CliRun run = RunCliIn(folder, {u"mail-ledger"_s});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.outLines();
    ASSERT_EQ(lines.size(), 2) << run.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(folder + u"M在庫台帳/在庫品台帳"_s)) << lines[0].toStdString();
    EXPECT_EQ(lines[1], u"sent: 2 recipients"_s);

    const QList<ReceivedMail> mails = sink.received();
    ASSERT_EQ(mails.size(), 1);
    EXPECT_EQ(mails[0].rcptTos, (QStringList{u"a@example.jp"_s, u"c@example.jp"_s}));
    EXPECT_TRUE(mails[0].subject.endsWith(u"在庫品購入　"_s));
    ASSERT_EQ(mails[0].attachments.size(), 1);
    QFile written(lines[0]);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(mails[0].attachments[0].data, written.readAll());
}

TEST_F(MailLedgerCliTest, WithoutRecipientsNothingIsWrittenOrSent)
{
    const CliRun run = RunCliIn(folder, {u"mail-ledger"_s});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains(u"　在庫品送付メールアドレス未登録です。"_s)) << run.err.toStdString();
    EXPECT_TRUE(outputs().isEmpty());
    EXPECT_TRUE(sink.received().isEmpty());
}

TEST_F(MailLedgerCliTest, AServerThatRefusesEndsWithTheMailErrorMessage)
{
    setRecipients({u"a@example.jp"_s});
    ASSERT_TRUE(WriteMailServerSettings(folder, {u"smtp://127.0.0.1:%1"_s.arg(ClosedLocalPort()), u"stock@example.jp"_s,
                                                 {}, {}}));
    const CliRun run = RunCliIn(folder, {u"mail-ledger"_s});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(u"メール送信機能異常です。"_s)) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(u"tev-cli mail-ledger: "_s));
    // The workbook stays as written.
    EXPECT_EQ(outputs().size(), 1);
    EXPECT_EQ(run.outLines().size(), 1);
}
