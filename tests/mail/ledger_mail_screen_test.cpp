// The purchase-mail offer after the ledger screen's "在庫品Excel", offscreen, against the test
// SMTP server: asked only with recipients, No sends nothing, Yes mails the workbook just written.
#include "excel_output/ledger_workbook.h"
#include "excel_output/output_paths.h"
#include "ledger/ledger_screen_fixture.h"
#include "mail/mail_error_report.h"
#include "mail/mail_server_settings.h"
#include "support/smtp_sink_support.h"

#include <QDir>
#include <QPushButton>
#include <QTest>

namespace {

const QString Offer = QStringLiteral("  メール送信しますか？。　");

class LedgerMailScreenTest : public LedgerScreenTest {
protected:
    void SetUp() override
    {
        LedgerScreenTest::SetUp();
        const QString problem = sink.start();
        ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
        ASSERT_TRUE(WriteMailServerSettings(client.clientFolder(), {sink.url(), QStringLiteral("stock@example.jp"), {}, {}}));
        QDir().mkpath(client.clientFolder() + QStringLiteral("原本Excel"));
        QFile::copy(QStringLiteral(TEV_RESOURCES_DIR "/原本Excel/在庫出力台帳.xlsx"), TemplateWorkbookPath(state()));
        QDir().mkpath(OutputFolderPath(state()));
        ItemRecord item;
        item.setText(ItemField::Number, QStringLiteral("K1"));
        item.setText(ItemField::Name, QStringLiteral("品1"));
        writeItems({item});
        openLedger();
    }
    // "在庫品Excel" answered Yes, then `mail` for the offer.
    void exportLedger(Dialogs::Answer mail)
    {
        client.dialogs.queueAnswer(Dialogs::Answer::Yes);
        client.dialogs.queueAnswer(mail);
        QTest::mouseClick(control<QPushButton>("ledgerExcelButton"), Qt::LeftButton);
    }
    QString workbookPath() { return LedgerWorkbookPath(state(), QDate::currentDate()); }

    SmtpEnvironmentGuard environment;
    SmtpSink sink;
};

} // namespace

TEST_F(LedgerMailScreenTest, NoRecipientsNoQuestion)
{
    exportLedger(Dialogs::Answer::Yes);
    EXPECT_EQ(desktop.opened, QStringList{workbookPath()});
    EXPECT_EQ(client.dialogs.shown().size(), 2); // the output question and where the workbook is
    EXPECT_TRUE(sink.received().isEmpty());
}

TEST_F(LedgerMailScreenTest, NoToTheOfferSendsNothing)
{
    state().MailAddressTable[2] = QStringLiteral("b@example.jp");
    exportLedger(Dialogs::Answer::No);
    ASSERT_EQ(client.dialogs.shown().size(), 3); // after the question and where the workbook is
    EXPECT_TRUE(client.dialogs.shown()[2].question);
    EXPECT_EQ(client.dialogs.shown()[2].title, QStringLiteral("登録確認"));
    EXPECT_EQ(client.dialogs.shown()[2].text, Offer);
    EXPECT_TRUE(sink.received().isEmpty());
}

TEST_F(LedgerMailScreenTest, YesMailsTheWrittenWorkbookWithTheOutputDate)
{
    state().MailAddressTable[2] = QStringLiteral("b@example.jp");
    exportLedger(Dialogs::Answer::Yes);
    const auto& shown = client.dialogs.shown();
    ASSERT_EQ(shown.size(), 4);
    const QString name = QDir::toNativeSeparators(QDir(client.dataFolder()).relativeFilePath(workbookPath()));
    EXPECT_EQ(shown[3].text, QStringLiteral("在庫品データ   \r\n") + name +
                                 QStringLiteral("\r\n             メールを送信完了しました。　"));
    const QList<ReceivedMail> mails = sink.received();
    ASSERT_EQ(mails.size(), 1);
    EXPECT_EQ(mails[0].rcptTos, QStringList{QStringLiteral("b@example.jp")});
    EXPECT_EQ(mails[0].subject, QDate::currentDate().toString(QStringLiteral("yyyy年MM月dd日")) + QStringLiteral("在庫品購入　"));
    ASSERT_EQ(mails[0].attachments.size(), 1);
    EXPECT_EQ(mails[0].attachments[0].data, TempClient::readBytes(workbookPath()));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr); // the busy pointer is gone
}

// No program took the workbook, but it is written: it can still be mailed.
TEST_F(LedgerMailScreenTest, AWorkbookNoProgramTookIsStillOffered)
{
    state().MailAddressTable[2] = QStringLiteral("b@example.jp");
    desktop.result = false;
    exportLedger(Dialogs::Answer::No);
    ASSERT_EQ(client.dialogs.shown().size(), 3);
    EXPECT_EQ(client.dialogs.shown()[1].title, QStringLiteral("Excel出力確認"));
    EXPECT_EQ(client.dialogs.shown()[2].text, Offer);
}

TEST_F(LedgerMailScreenTest, ARefusingServerShowsTheMailErrorAndTheScreenStays)
{
    state().MailAddressTable[1] = QStringLiteral("a@example.jp");
    ASSERT_TRUE(WriteMailServerSettings(client.clientFolder(), {QStringLiteral("smtp://127.0.0.1:%1").arg(ClosedLocalPort()),
                                                                QStringLiteral("stock@example.jp"), {}, {}}));
    LedgerScreen* screen = qobject_cast<LedgerScreen*>(host.current());
    exportLedger(Dialogs::Answer::Yes);
    ASSERT_EQ(client.dialogs.shown().size(), 4);
    EXPECT_EQ(client.dialogs.shown()[3].text, MailErrorText());
    EXPECT_EQ(host.current(), screen);
    EXPECT_TRUE(QFile::exists(workbookPath()));
}
