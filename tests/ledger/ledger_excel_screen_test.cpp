// The workbook buttons of the ledger screen, offscreen: "在庫品Excel" with its question,
// "個別仕様Excel" of the edit frame and the filter bar's "Excel出力"; each tells where its file is.
#include "excel_output/item_spec_workbook.h"
#include "excel_output/ledger_workbook.h"
#include "excel_output/output_paths.h"
#include "excel_output/workbook_output_notice.h"
#include "ledger/filter_panel.h"
#include "ledger/ledger_list_panel.h"
#include "ledger/ledger_screen_fixture.h"
#include "workbook/workbook_operations.h"

#include <QDir>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {
class LedgerExcelScreenTest : public LedgerScreenTest {
protected:
    void SetUp() override
    {
        LedgerScreenTest::SetUp();
        QDir().mkpath(client.clientFolder() + QStringLiteral("原本Excel"));
        QFile::copy(QStringLiteral(TEV_RESOURCES_DIR "/原本Excel/在庫出力台帳.xlsx"), TemplateWorkbookPath(state()));
        QDir().mkpath(OutputFolderPath(state()));
        QDir().mkpath(DocumentsFolderPath(state()));
        QList<ItemRecord> items;
        for (int n = 1; n <= 3; ++n) {
            ItemRecord item;
            item.setText(ItemField::Number, QStringLiteral("K%1").arg(n));
            item.setText(ItemField::Name, QStringLiteral("品%1").arg(n));
            item.setText(ItemField::UnitPrice, QStringLiteral("1200"));
            items.append(item);
        }
        writeItems(items);
        screen = openLedger();
    }
    void click(const char* name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
    QStringList outputs() { return QDir(OutputFolderPath(state())).entryList(QDir::Files); }
    QString shownText(qsizetype i = -1)
    {
        const auto& shown = client.dialogs.shown();
        return shown.isEmpty() ? QString() : shown[i < 0 ? shown.size() - 1 : i].text;
    }

    LedgerScreen* screen = nullptr;
};
} // namespace

TEST_F(LedgerExcelScreenTest, LedgerExcelAsksThenWritesAndHandsOver)
{
    click("ledgerExcelButton"); // answered No
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_TRUE(client.dialogs.shown()[0].question);
    EXPECT_EQ(client.dialogs.shown()[0].title, QStringLiteral("登録確認"));
    EXPECT_EQ(shownText(), QStringLiteral("在庫品台帳Excelを出力しますか？　"));
    EXPECT_TRUE(outputs().isEmpty());
    EXPECT_TRUE(desktop.opened.isEmpty());

    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    click("ledgerExcelButton");
    const QString path = LedgerWorkbookPath(state(), QDate::currentDate());
    EXPECT_EQ(desktop.opened, QStringList{path});
    ASSERT_EQ(client.dialogs.shown().size(), 3); // the question, and where the workbook is
    EXPECT_FALSE(client.dialogs.shown()[2].question);
    EXPECT_EQ(client.dialogs.shown()[2].title, QStringLiteral("Excel出力完了"));
    EXPECT_EQ(shownText(), QStringLiteral("　Excelファイルを出力しました。\r　") + QDir::toNativeSeparators(path));
    EXPECT_FALSE(control("Picture5")->isVisible());
    std::unique_ptr<Workbook> book;
    ASSERT_TRUE(OpenForReading(path, book).ok());
    EXPECT_EQ(book->sheet().text(3, 3), QStringLiteral("3"));
}

TEST_F(LedgerExcelScreenTest, LedgerExcelWithoutTemplateShowsThe53MessageAndWritesNothing)
{
    QFile::remove(TemplateWorkbookPath(state()));
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    click("ledgerExcelButton");
    ASSERT_EQ(client.dialogs.shown().size(), 2);
    EXPECT_EQ(client.dialogs.shown()[1].title, QStringLiteral("Excel出力異常"));
    EXPECT_EQ(shownText(), QStringLiteral("原本Excelフォルダー内のExcelファイル\r　在庫出力台帳.xlsx\r　　が見つかりません。"));
    EXPECT_TRUE(outputs().isEmpty());
    EXPECT_TRUE(desktop.opened.isEmpty());
}

TEST_F(LedgerExcelScreenTest, ItemSpecificationNeedsACurrentItem)
{
    click("newButton"); // a new item is not in the ledger yet
    client.dialogs.clear();
    click("itemSpecificationButton");
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].title, QStringLiteral("設備台帳確認"));
    EXPECT_EQ(shownText(), QStringLiteral("　　  在庫仕様Excelを出力できません。　　　　"));
    EXPECT_TRUE(QDir(DocumentsFolderPath(state())).isEmpty());
    EXPECT_TRUE(desktop.opened.isEmpty());
}

TEST_F(LedgerExcelScreenTest, ItemSpecificationWritesTheItemShown)
{
    list()->setCurrentCell(3, 1); // item 2
    click("correctButton");
    client.dialogs.clear();
    click("itemSpecificationButton");
    const QString path = ItemSpecWorkbookPath(state(), QStringLiteral("K2"));
    EXPECT_EQ(desktop.opened, QStringList{path});
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(shownText(), WorkbookWrittenNotice(path).text);
    std::unique_ptr<Workbook> book;
    ASSERT_TRUE(OpenForReading(path, book).ok());
    EXPECT_EQ(book->sheet().text(4, 3), QStringLiteral("K2"));
    EXPECT_EQ(book->sheet().text(7, 3), QStringLiteral("品2"));
    EXPECT_EQ(book->sheet().text(11, 3), QStringLiteral("1,200"));
}

TEST_F(LedgerExcelScreenTest, FilterBarExcelWritesTheHitList)
{
    screen->view().HitList = {3, 1};
    screen->listPanel()->filterBar()->excelButton()->click();
    ASSERT_EQ(desktop.opened.size(), 1);
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(shownText(), WorkbookWrittenNotice(desktop.opened[0]).text);
    std::unique_ptr<Workbook> book;
    ASSERT_TRUE(OpenForReading(desktop.opened[0], book).ok());
    EXPECT_EQ(book->sheet().text(3, 3), QStringLiteral("2"));
    EXPECT_EQ(book->sheet().text(5, 3), QStringLiteral("K3"));
    EXPECT_EQ(book->sheet().text(7, 3), QStringLiteral("K1"));
}

// When no program takes the workbook (none registered, or the desktop refused), each output says
// so with the path of the file it has written.
TEST_F(LedgerExcelScreenTest, EveryOutputThatNoProgramTookSaysSoWithThePath)
{
    desktop.result = false;
    const struct {
        const char* what;
        std::function<void()> run;
    } outputs[] = {
        {"在庫品Excel",
         [&] {
             client.dialogs.queueAnswer(Dialogs::Answer::Yes);
             click("ledgerExcelButton");
         }},
        {"Excel出力",
         [&] {
             screen->view().HitList = {2};
             screen->listPanel()->filterBar()->excelButton()->click();
         }},
        {"個別仕様Excel",
         [&] {
             list()->setCurrentCell(3, 1);
             click("correctButton");
             click("itemSpecificationButton");
         }},
    };
    for (const auto& output : outputs) {
        SCOPED_TRACE(output.what);
        desktop.opened.clear();
        client.dialogs.clear();
        output.run();
        ASSERT_EQ(desktop.opened.size(), 1);
        const QString path = desktop.opened[0];
        EXPECT_TRUE(QFile::exists(path));
        const auto& last = client.dialogs.shown().last();
        EXPECT_FALSE(last.question);
        EXPECT_EQ(last.title, QStringLiteral("Excel出力確認"));
        EXPECT_EQ(last.text, WorkbookNotOpenedNotice(path, true).text);
        EXPECT_TRUE(last.text.contains(QDir::toNativeSeparators(path)));
    }
}

// A large ledger is written under a progress dialog that counts the items; the window is kept
// painted by it, and it is gone once the workbook is handed over.
TEST_F(LedgerExcelScreenTest, ALargeLedgerShowsItsProgressWithTheCount)
{
    QList<ItemRecord> items;
    for (int n = 1; n <= 5000; ++n) {
        ItemRecord item;
        item.setText(ItemField::Number, QStringLiteral("N%1").arg(n));
        item.setText(ItemField::Name, QStringLiteral("品"));
        items.append(item);
    }
    writeItems(items);
    QStringList labels;
    // setValue of the modal dialog runs the event loop: the timer fires while the output works.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* progress = screen->findChild<QProgressDialog*>(QStringLiteral("ledgerWorkbookProgress")))
            labels.append(progress->labelText());
    });
    watch.start(0);
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    click("ledgerExcelButton");
    watch.stop();

    ASSERT_FALSE(labels.isEmpty());
    EXPECT_TRUE(labels.first().startsWith(QStringLiteral("在庫品台帳Excelを出力しています。\n")));
    EXPECT_TRUE(labels.last().endsWith(QStringLiteral(" / 5,000 件"))) << labels.last().toStdString();
    EXPECT_EQ(screen->findChild<QProgressDialog*>(QStringLiteral("ledgerWorkbookProgress")), nullptr);
    EXPECT_EQ(client.dialogs.shown().last().title, QStringLiteral("Excel出力完了"));
    EXPECT_EQ(desktop.opened.size(), 1);
}
