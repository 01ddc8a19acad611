// The monthly in/out import on the ledger screen, offscreen: the monthly panel, the first-click
// questions of "入出庫記載" and "入出庫転記", the hand-over of the daily workbook (made from the
// blank form when missing) and the import with its messages and the list shown again.
#include "excel_import/monthly_import.h"
#include "ledger/ledger_screen_fixture.h"
#include "storage/paths.h"

#include <QDir>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString EditQuestion = u"日毎予備品入出庫編集\r日毎入出庫数量Excelシートの編集を行います。（編集Excelを開きます）\r"
                             u"　※編集後は上書き保存\r　※編集Excelの日毎入出庫数量の入力（編集）により月毎合計値を\r"
                             u"　　入出庫転記により当ソフトデーターとしてインポートします。　"_s;
const QString ImportQuestion = u"日毎予備品入出庫数量取り込み\r入出庫転記→M在庫資料フォルダーの\r"
                               u"日毎入出庫数量入力後l、月合計数量を集計\r月毎合計値データを当システムデーターとしてインポートします。"_s;
const QString DoneMessage = u"　　月毎在庫入出庫数量のインポートを完了しました。　　　　"_s;

class LedgerMonthlyScreenTest : public LedgerScreenTest {
protected:
    void SetUp() override
    {
        LedgerScreenTest::SetUp();
        writeSettings({}, {{SharedLine::MonthlyImport, On}});
        documents = client.dataFolder() + u"M在庫資料/"_s;
        QDir().mkpath(documents);
        QList<ItemRecord> items;
        for (const QString& number : {u"A-001"_s, u"B-010"_s, u"C-100"_s}) {
            ItemRecord item;
            item.setText(ItemField::Number, number);
            item.setText(ItemField::Name, u"品"_s + number);
            item.setText(ItemField::PreviousStock, u"10"_s);
            item.setText(ItemField::Stock, u"10"_s);
            items.append(item);
        }
        writeItems(items);
        openLedger();
    }
    void click(const char* name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
    void openPanelAndClick(const char* name)
    {
        click("monthlyInOutButton");
        click(name);
    }
    void placeFixture(const QString& name)
    {
        ASSERT_TRUE(QFile::copy(QStringLiteral(TEV_TEST_DATA_DIR "/workbook/") + name, documents + name));
    }
    const QList<ScriptedDialogs::Shown>& shown() { return client.dialogs.shown(); }

    QString documents;
};

TEST_F(LedgerMonthlyScreenTest, TheMonthlyButtonOpensThePanelAndCloseHidesIt)
{
    QWidget* panel = control("Picture24");
    EXPECT_FALSE(panel->isVisible());
    click("monthlyInOutButton");
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->pos(), pixels(8760, 720));
    EXPECT_TRUE(control("monthlyEditButton")->isVisible());
    EXPECT_TRUE(control("monthlyImportButton")->isVisible());
    click("monthlyCloseButton");
    EXPECT_FALSE(panel->isVisible());
}

// Each button asks at its first click only; No does nothing more, yet from the first click on
// the data folder recovery stays quiet until the screen is opened again.
TEST_F(LedgerMonthlyScreenTest, FirstClicksAskOnceAndSuppressTheRecoveryUntilTheScreenOpensAgain)
{
    placeFixture(u"Mb入出庫月報.xlsx"_s);
    const QByteArray ledger = TempClient::readBytes(client.ledgerPath());
    struct Case {
        const char* button;
        QString question;
        bool handsOver; // "入出庫記載" opens the workbook, "入出庫転記" imports it
    } cases[] = {{"monthlyEditButton", EditQuestion, true}, {"monthlyImportButton", ImportQuestion, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        openLedger();
        client.dialogs.clear();
        EXPECT_FALSE(state().suppressRecovery);

        openPanelAndClick(c.button); // answered No
        ASSERT_EQ(shown().size(), 1);
        EXPECT_TRUE(shown()[0].question);
        EXPECT_EQ(shown()[0].title, u"登録確認"_s);
        EXPECT_EQ(shown()[0].text, c.question);
        EXPECT_TRUE(state().suppressRecovery);
        EXPECT_TRUE(desktop.opened.isEmpty());
        EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), ledger);
        EXPECT_TRUE(control("Picture24")->isVisible());

        client.dialogs.clear();
        click(c.button); // no question this time
        for (const auto& message : shown())
            EXPECT_FALSE(message.question);
        if (c.handsOver)
            EXPECT_EQ(desktop.opened, QStringList{documents + u"Mb入出庫月報.xlsx"_s});
        else
            EXPECT_EQ(shown().value(0).text, DoneMessage);
        EXPECT_FALSE(control("Picture24")->isVisible());
        desktop.opened.clear();
    }
    openLedger();
    EXPECT_FALSE(state().suppressRecovery);
}

TEST_F(LedgerMonthlyScreenTest, EditHandsOverTheWorkbookAndMakesItFromTheBlankFormWhenMissing)
{
    client.dialogs.setDefaultAnswer(Dialogs::Answer::Yes);
    openPanelAndClick("monthlyEditButton");
    ASSERT_EQ(shown().size(), 2);
    EXPECT_EQ(shown()[1].title, u"異常確認"_s);
    EXPECT_TRUE(shown()[1].text.startsWith(u"　日毎入出庫数量の原本Excelファイルが見つかりません。"_s)) << shown()[1].text.toStdString();
    EXPECT_TRUE(desktop.opened.isEmpty());
    EXPECT_TRUE(QDir(documents).isEmpty());

    const QString form = client.clientFolder() + u"原本INP/Mb入出庫月報.xlsx"_s;
    QDir().mkpath(client.clientFolder() + u"原本INP"_s);
    ASSERT_TRUE(QFile::copy(QStringLiteral(TEV_RESOURCES_DIR "/原本INP/Mb入出庫月報.xlsx"), form));
    client.dialogs.clear();
    openPanelAndClick("monthlyEditButton");
    EXPECT_TRUE(shown().isEmpty());
    const QString created = documents + u"Mb入出庫月報.xlsx"_s;
    EXPECT_EQ(desktop.opened, QStringList{created});
    EXPECT_EQ(TempClient::readBytes(created), TempClient::readBytes(form));

    // The user's own .xls is opened as it is, never replaced by the form.
    QFile::remove(created);
    placeFixture(u"Mb入出庫月報.xls"_s);
    openPanelAndClick("monthlyEditButton");
    EXPECT_EQ(desktop.opened.last(), documents + u"Mb入出庫月報.xls"_s);
    EXPECT_FALSE(QFile::exists(created));
}

TEST_F(LedgerMonthlyScreenTest, ImportShowsCompletionThenNotesAndTheListAgain)
{
    placeFixture(u"Mb入出庫月報.xlsx"_s);
    client.dialogs.setDefaultAnswer(Dialogs::Answer::Yes);
    EXPECT_EQ(list()->textMatrix(1, 14), QString());

    openPanelAndClick("monthlyImportButton");

    ASSERT_EQ(shown().size(), 3);
    EXPECT_EQ(shown()[0].text, ImportQuestion);
    EXPECT_EQ(shown()[1].title, u"確認"_s);
    EXPECT_EQ(shown()[1].text, DoneMessage);
    EXPECT_EQ(shown()[2].title, u"確認"_s);
    EXPECT_TRUE(shown()[2].text.contains(u"ZZ-999"_s)) << shown()[2].text.toStdString();
    EXPECT_TRUE(shown()[2].text.contains(u"No 2　B-010"_s)) << shown()[2].text.toStdString();

    auto* busy = control<QLabel>("Picture5");
    EXPECT_FALSE(busy->isVisible());
    EXPECT_EQ(busy->text(), u"Excel出力中"_s);
    EXPECT_FALSE(control("Picture24")->isVisible());
    EXPECT_EQ(labelText("pageLabel"), u" P 1"_s);
    EXPECT_EQ(labelText("countLabel"), u"総数 3"_s);
    EXPECT_EQ(list()->textMatrix(1, 1), u"A-001"_s);
    EXPECT_EQ(list()->textMatrix(1, 14), u"5"_s);
    EXPECT_EQ(list()->textMatrix(2, 15), u"5"_s);
}

TEST_F(LedgerMonthlyScreenTest, ImportWithoutWorkbookOrWithAFailedCommitShowsNoCompletion)
{
    client.dialogs.setDefaultAnswer(Dialogs::Answer::Yes);
    const QByteArray ledger = TempClient::readBytes(client.ledgerPath());
    openPanelAndClick("monthlyImportButton");
    ASSERT_EQ(shown().size(), 2);
    EXPECT_EQ(shown()[1].title, u"異常確認"_s);
    MonthlyImportResult missing;
    missing.workbook = WorkbookStatus::failure(WorkbookError::FileNotFound, QString());
    EXPECT_EQ(shown()[1].text, MonthlyImportRefusal(missing, documents + u"Mb入出庫月報.xls"_s));
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), ledger);
    EXPECT_FALSE(control("Picture5")->isVisible());

    // A ledger that cannot be read back for the commit: the commit's message, no completion.
    placeFixture(u"Mb入出庫月報.xlsx"_s);
    QFile::remove(client.ledgerPath());
    QDir().mkpath(client.ledgerPath());
    client.dialogs.clear();
    openPanelAndClick("monthlyImportButton");
    ASSERT_FALSE(shown().isEmpty());
    EXPECT_EQ(shown()[0].title, u"異常確認"_s);
    EXPECT_TRUE(shown()[0].text.startsWith(u"　台帳の登録ができませんでした。"_s)) << shown()[0].text.toStdString();
    for (const auto& message : shown())
        EXPECT_NE(message.text, DoneMessage);
}

} // namespace
