// The import screen on a temporary client, opened through the screen host: its buttons in each
// mode, the item and vocabulary imports from real workbooks, the folder panel and the timed
// import with a clock the test sets.
#include "excel_import/import_folder_panel.h"
#include "excel_import/import_problems.h"
#include "excel_import/import_screen.h"
#include "excel_import/import_texts.h"
#include "excel_import/item_import.h"
#include "excel_import/vocabulary_import.h"
#include "storage/desktop_handover.h"
#include "storage/field_text.h"
#include "storage/item_record.h"
#include "storage/settings_files.h"
#include "storage/vocabulary.h"
#include "support/sheet_xml_support.h"
#include "support/temp_client_support.h"
#include "ui/screen_host.h"
#include "ui/twips.h"
#include "workbook/workbook.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>
#include <map>

namespace {

using Lines = std::map<int, QString>;

const QString ItemWorkbook = QStringLiteral("Mb在庫品INP.xlsx");
const QString VocabularyWorkbook = QStringLiteral("Mb在庫品項目INP.xlsx");

class ImportScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.setMenuFactory([](ScreenHost&) {
            auto* menu = new QWidget;
            menu->setObjectName(QStringLiteral("menuStandIn"));
            return menu;
        });
        host.registerScreen(ScreenKey::Import, [](ScreenHost& h) { return new ImportScreen(h); });
        importFolder = client.root() + QStringLiteral("/import/");
        QDir().mkpath(importFolder);
        writeSettings({}, {{SharedLine::ImportFolder, importFolder}});
        WriteTestLedger(client.ledgerPath(), 10);
    }

    // Both settings files, then read as the menu's start-up reads them.
    void writeSettings(const Lines& clientLines, const Lines& sharedLines)
    {
        SettingsLines clientFile;
        clientFile[ClientLine::DataFolder] = client.dataFolder();
        clientFile[ClientLine::PreviousDataFolder] = client.dataFolder();
        for (const auto& [line, value] : clientLines)
            clientFile[line] = value;
        SettingsLines sharedFile;
        sharedFile[SharedLine::StartMonth] = QStringLiteral("2026/04");
        for (int line = SharedLine::FirstListCount; line <= SharedLine::FirstListCount + 4; ++line)
            sharedFile[line] = QStringLiteral("1");
        for (const auto& [line, value] : sharedLines)
            sharedFile[line] = value;
        WriteSettingsFile(client.clientFolder() + SettingsFileName::Client, clientFile);
        WriteSettingsFile(client.dataFolder() + SettingsFileName::Shared, sharedFile);
        state().ClientSettings = SettingsLines{};
        state().SharedSettings = SettingsLines{};
        ReadClientSettings(state());
        ReadSharedSettings(state());
    }
    SettingsLines sharedFile() const { return readFile(client.dataFolder() + SettingsFileName::Shared); }
    SettingsLines clientFile() const { return readFile(client.clientFolder() + SettingsFileName::Client); }

    void copyFixture(const QString& fixture, const QString& as)
    {
        ASSERT_TRUE(QFile::copy(QStringLiteral(TEV_TEST_DATA_DIR "/workbook/") + fixture, importFolder + as)) << fixture.toStdString();
    }
    // An item workbook of two items with the same item number: the check before the import
    // finds a problem.
    void writeDuplicateNumberWorkbook()
    {
        auto book = Workbook::createBlank(importFolder + ItemWorkbook);
        book->sheet().setText(5, 3, QStringLiteral("X-1"));
        book->sheet().setText(5, 4, QStringLiteral("品A"));
        book->sheet().setText(7, 3, QStringLiteral("X-1"));
        book->sheet().setText(7, 4, QStringLiteral("品B"));
        ASSERT_TRUE(book->save());
    }

    // Stock in M is a formula saved without its result; a spreadsheet program would store 12.
    void writeNoResultWorkbook()
    {
        ASSERT_TRUE(SaveWorkbookWithSheet(
            importFolder + ItemWorkbook,
            SheetXml("<row r=\"5\"><c r=\"C5\" t=\"inlineStr\"><is><t>X-1</t></is></c>"
                     "<c r=\"D5\" t=\"inlineStr\"><is><t>品A</t></is></c><c r=\"M5\"><f>K5+N5-N6</f></c></row>")));
    }
    const QString NoResultLine = QStringLiteral("行 5 M列：計算式の結果が保存されていないため読み取れません");

    ImportScreen* openScreen()
    {
        EXPECT_TRUE(host.openScreen(ScreenKey::Import));
        settle();
        return qobject_cast<ImportScreen*>(host.current());
    }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    template <class T = QWidget>
    T* control(const QString& name)
    {
        T* found = host.current() ? host.current()->findChild<T*>(name) : nullptr;
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    void click(const QString& name)
    {
        QWidget* widget = control(name);
        ASSERT_TRUE(widget && widget->isVisibleTo(host.current())) << name.toStdString() << " is not shown";
        QTest::mouseClick(widget, Qt::LeftButton);
        settle();
    }
    bool shown(const QString& name) { return control(name)->isVisibleTo(host.current()); }
    QString text(const QString& name) { return control<QLabel>(name)->text(); }
    quint32 colour(const QString& name) { return control(name)->property("colourValue").toUInt(); }
    // The buttons of the screen that are shown, by object name.
    std::string shownButtons()
    {
        QStringList names;
        for (QPushButton* button : host.current()->findChildren<QPushButton*>())
            if (button->objectName().startsWith(u"Command") && button->parentWidget() == host.current()
                && button->isVisibleTo(host.current()))
                names << button->objectName();
        names.sort();
        return names.join(u' ').toStdString();
    }

    QByteArray ledgerBytes() const { return TempClient::readBytes(client.ledgerPath()); }
    ItemRecord record(int n) const
    {
        const QByteArray bytes = ledgerBytes();
        ItemRecord item;
        if (bytes.size() >= n * ItemRecord::Length)
            item.assignBytes(bytes.constData() + (n - 1) * ItemRecord::Length);
        return item;
    }
    int ledgerCount() const { return int(ledgerBytes().size() / ItemRecord::Length); }
    QString lastText() const { return client.dialogs.shown().isEmpty() ? QString() : client.dialogs.shown().last().text; }
    QString lastTitle() const { return client.dialogs.shown().isEmpty() ? QString() : client.dialogs.shown().last().title; }

    AppState& state() { return client.state; }

    TempClient client;
    RecordingDesktopHandover desktop;
    ScreenHost host{client.state, desktop};
    QString importFolder;

private:
    static SettingsLines readFile(const QString& path)
    {
        SettingsLines lines;
        ReadSettingsFile(path, lines);
        return lines;
    }
};

std::string names(std::initializer_list<const char*> list)
{
    QStringList result;
    for (const char* name : list)
        result << QString::fromLatin1(name);
    result.sort();
    return result.join(u' ').toStdString();
}

} // namespace

TEST_F(ImportScreenTest, OpensWithItsPathsCaptionsAndTheOpeningButtons)
{
    ImportScreen* screen = openScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), QStringLiteral("Form10"));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("　インポート TEV在庫管理"));
    EXPECT_EQ(screen->mode(), ImportScreen::Mode::Interactive);
    EXPECT_EQ(text(QStringLiteral("dataFolderLabel")), client.dataFolder());
    EXPECT_EQ(text(QStringLiteral("importFolderLabel")), importFolder);
    EXPECT_TRUE(text(QStringLiteral("countLabel")).isEmpty());
    EXPECT_TRUE(text(QStringLiteral("kindLabel")).isEmpty());
    EXPECT_FALSE(shown(QStringLiteral("folderPanel")));
    EXPECT_EQ(shownButtons(), names({"Command5", "Command7", "Command10", "Command44"}));
    EXPECT_TRUE(shown(QStringLiteral("timedImportButton")));

    const std::map<QString, QString> captions = {
        {QStringLiteral("Command2"), QStringLiteral("閉じる")},
        {QStringLiteral("Command4"), QStringLiteral("自動取り込開始")},
        {QStringLiteral("Command5"), QStringLiteral("在庫品データインポート")},
        {QStringLiteral("Command6"), QStringLiteral("在庫品インポート開始")},
        {QStringLiteral("Command7"), QStringLiteral("終　了")},
        {QStringLiteral("Command8"), QStringLiteral("中　　止")},
        {QStringLiteral("Command9"), QStringLiteral("登　録")},
        {QStringLiteral("Command10"), QStringLiteral("在庫品項目インポート")},
        {QStringLiteral("Command11"), QStringLiteral("在庫品項目INP開始")},
        {QStringLiteral("Command33"), QStringLiteral("取り込時刻設定")},
        {QStringLiteral("Command44"), QStringLiteral("説明")},
    };
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(control<QPushButton>(name)->text(), caption) << name.toStdString();

    click(QStringLiteral("Command44"));
    EXPECT_EQ(lastTitle(), QStringLiteral("登録確認"));
    EXPECT_EQ(lastText(), ImportHelpText());
    EXPECT_TRUE(lastText().endsWith(QStringLiteral("\r　C:\\VORN在庫管理\\原本INP\\内にあります。")));
}

TEST_F(ImportScreenTest, ExplanationButtonHiddenWhenSwitchedOff)
{
    writeSettings({{ClientLine::HideExplanations, QStringLiteral("1")}}, {{SharedLine::ImportFolder, importFolder}});
    openScreen();
    EXPECT_FALSE(shown(QStringLiteral("Command44")));
}

TEST_F(ImportScreenTest, ModesShowTheirButtonsAndCancelReturns)
{
    openScreen();
    click(QStringLiteral("Command5"));
    EXPECT_EQ(shownButtons(), names({"Command6", "Command8", "Command44"}));
    EXPECT_TRUE(shown(QStringLiteral("folderPanel")));
    EXPECT_EQ(text(QStringLiteral("countLabel")), QStringLiteral("10"));
    EXPECT_EQ(text(QStringLiteral("kindLabel")), QStringLiteral("在庫リスト"));

    click(QStringLiteral("Command8"));
    EXPECT_EQ(shownButtons(), names({"Command5", "Command7", "Command10", "Command44"}));
    EXPECT_FALSE(shown(QStringLiteral("folderPanel")));
    EXPECT_TRUE(text(QStringLiteral("countLabel")).isEmpty());
    EXPECT_TRUE(text(QStringLiteral("kindLabel")).isEmpty());

    click(QStringLiteral("Command10"));
    EXPECT_EQ(shownButtons(), names({"Command8", "Command11", "Command44"}));
    EXPECT_TRUE(shown(QStringLiteral("folderPanel")));
    EXPECT_TRUE(text(QStringLiteral("countLabel")).isEmpty());
    EXPECT_EQ(text(QStringLiteral("kindLabel")), QStringLiteral("在庫品項目"));

    click(QStringLiteral("Command8"));
    EXPECT_EQ(shownButtons(), names({"Command5", "Command7", "Command10", "Command44"}));
    EXPECT_TRUE(text(QStringLiteral("kindLabel")).isEmpty());
    EXPECT_TRUE(client.dialogs.shown().isEmpty());
}

TEST_F(ImportScreenTest, ItemImportReplacesTheFirstRecordsAndKeepsTheRest)
{
    copyFixture(QStringLiteral("Mb在庫品INP.xlsx"), ItemWorkbook);
    WorkbookStatus status;
    const auto fixture = Workbook::load(importFolder + ItemWorkbook, status);
    ASSERT_TRUE(fixture);
    openScreen();
    click(QStringLiteral("Command5"));
    click(QStringLiteral("Command6"));

    EXPECT_FALSE(shown(QStringLiteral("folderPanel")));
    EXPECT_EQ(lastTitle(), QStringLiteral("登録確認"));
    EXPECT_EQ(lastText(), ItemImportDoneMessage());
    EXPECT_EQ(text(QStringLiteral("importPathLabel")), importFolder + ItemWorkbook);
    EXPECT_EQ(text(QStringLiteral("kindLabel")), QStringLiteral("在庫品リスト"));
    EXPECT_EQ(text(QStringLiteral("countLabel")), QStringLiteral("6"));
    EXPECT_EQ(colour(QStringLiteral("ImportStatusLamp")), ImportScreen::LampDone);

    EXPECT_EQ(ledgerCount(), 10);
    for (int item = 1; item <= 6; ++item) {
        const int row = 3 + 2 * item;
        EXPECT_EQ(record(item).text(ItemField::Number), FieldText(fixture->sheet().text(row, 3))) << item;
        EXPECT_EQ(record(item).text(ItemField::Name), FieldText(fixture->sheet().text(row, 4))) << item;
    }
    EXPECT_EQ(record(7).text(ItemField::Number), QStringLiteral("A7"));
    EXPECT_EQ(record(10).text(ItemField::Number), QStringLiteral("A10"));
    EXPECT_EQ(sharedFile()[SharedLine::StartMonth], QStringLiteral("2020/05"));
}

TEST_F(ImportScreenTest, ProblemQuestionDecidesWhetherTheItemsAreWritten)
{
    writeDuplicateNumberWorkbook();
    openScreen();
    const QByteArray before = ledgerBytes();
    click(QStringLiteral("Command5"));

    client.dialogs.queueAnswer(Dialogs::Answer::No);
    click(QStringLiteral("Command6"));
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_TRUE(client.dialogs.shown()[0].question);
    EXPECT_TRUE(client.dialogs.shown()[0].defaultNo); // Enter does not import despite the problems
    EXPECT_EQ(lastTitle(), ImportProblemTitle());
    EXPECT_TRUE(lastText().contains(QStringLiteral("X-1")));
    EXPECT_EQ(ledgerBytes(), before);
    EXPECT_NE(colour(QStringLiteral("ImportStatusLamp")), ImportScreen::LampDone);

    client.dialogs.clear();
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    click(QStringLiteral("Command6"));
    EXPECT_EQ(lastText(), ItemImportDoneMessage());
    EXPECT_EQ(record(1).text(ItemField::Name), QStringLiteral("品A"));
    EXPECT_EQ(record(2).text(ItemField::Name), QStringLiteral("品B"));
    EXPECT_EQ(record(3).text(ItemField::Number), QStringLiteral("A3"));
}

TEST_F(ImportScreenTest, UnreadableWorkbookShowsAMessageAndWritesNothing)
{
    const struct {
        const char* name;
        const char16_t* damaged; // copied as the item workbook; none: the workbook is missing
        bool folderSet;
    } cases[] = {
        {"missing workbook", nullptr, true},
        {"not a workbook", u"damaged/not_a_workbook.xlsx", true},
        {"truncated", u"damaged/truncated.xlsx", true},
        {"no import folder", nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(importFolder + ItemWorkbook);
        if (c.damaged)
            copyFixture(QString::fromUtf16(c.damaged), ItemWorkbook);
        writeSettings({}, {{SharedLine::ImportFolder, c.folderSet ? importFolder : QString()}});
        const QByteArray before = ledgerBytes();
        client.dialogs.clear();
        openScreen();
        click(QStringLiteral("Command5"));
        click(QStringLiteral("Command6"));

        ASSERT_EQ(client.dialogs.shown().size(), 1);
        EXPECT_FALSE(client.dialogs.shown()[0].question);
        if (c.folderSet) {
            EXPECT_EQ(lastTitle(), ImportProblemTitle());
            EXPECT_TRUE(lastText().contains(importFolder + QStringLiteral("Mb在庫品INP.xls")));
        } else {
            EXPECT_EQ(lastText(), QStringLiteral("インポート元のフォルダーが設定されてません。　"));
        }
        EXPECT_EQ(ledgerBytes(), before);
        EXPECT_EQ(sharedFile()[SharedLine::StartMonth], QStringLiteral("2026/04"));
        EXPECT_NE(colour(QStringLiteral("ImportStatusLamp")), ImportScreen::LampDone);
    }
}

TEST_F(ImportScreenTest, VocabularyImportWritesTheListsAndTheirCounts)
{
    copyFixture(QStringLiteral("Mb在庫品項目INP.xlsx"), VocabularyWorkbook);
    WorkbookStatus status;
    const auto fixture = Workbook::load(importFolder + VocabularyWorkbook, status);
    ASSERT_TRUE(fixture);
    openScreen();
    click(QStringLiteral("Command10"));
    click(QStringLiteral("Command11"));

    EXPECT_EQ(lastTitle(), QStringLiteral("登録確認"));
    EXPECT_EQ(lastText(), VocabularyImportDoneMessage());
    EXPECT_EQ(text(QStringLiteral("importPathLabel")), importFolder + VocabularyWorkbook);
    EXPECT_EQ(text(QStringLiteral("kindLabel")), QStringLiteral("在庫品項目"));
    EXPECT_FALSE(shown(QStringLiteral("folderPanel")));

    ScriptedDialogs dialogs;
    AppState reread(dialogs);
    reread.ClientFolder = client.clientFolder();
    reread.DataFolder = client.dataFolder();
    ASSERT_TRUE(ReadSharedSettings(reread));
    EXPECT_EQ(reread.SharedSettings[ListCountLine(4)], QStringLiteral("1")); // column D is empty
    int entries = 0;
    for (int list = 2; list <= 6; ++list)
        entries += int(ReadNumber(reread.SharedSettings[ListCountLine(list)])) - 1;
    EXPECT_GT(entries, 0);
    EXPECT_EQ(text(QStringLiteral("countLabel")), QString::number(entries));
    ASSERT_TRUE(ReadVocabularyLists(reread));
    EXPECT_EQ(reread.Vocabulary.entry(2, 1).word, fixture->sheet().text(5, 2).trimmed());
}

TEST_F(ImportScreenTest, FolderPanelChoosesListsAndRegistersTheImportFolder)
{
    const QString chosen = client.root() + QStringLiteral("/chosen");
    QDir().mkpath(chosen);
    for (const QString& name : {QStringLiteral("Mb在庫品INP.xls"), QStringLiteral("other.xlsx"), QStringLiteral("memo.txt")})
        TempClient::writeBytes(chosen + u'/' + name, "x");
    openScreen();
    click(QStringLiteral("importFolderLabel"));
    ImportFolderPanel* panel = control<ImportFolderPanel>(QStringLiteral("folderPanel"));
    ASSERT_TRUE(shown(QStringLiteral("folderPanel")));
    EXPECT_GT(panel->driveList()->count(), 0);

    // A pick in the folder list, as the user makes it.
    auto* model = qobject_cast<QFileSystemModel*>(panel->folderList()->model());
    ASSERT_NE(model, nullptr);
    panel->folderList()->setCurrentIndex(model->index(chosen));
    const QString folder = QDir::toNativeSeparators(chosen + u'/');
    EXPECT_EQ(text(QStringLiteral("importFolderLabel")), folder);
    EXPECT_EQ(text(QStringLiteral("chosenFolderLabel")), folder);
    EXPECT_EQ(colour(QStringLiteral("importFolderLabel")), ImportScreen::ChosenFolderColour);
    EXPECT_EQ(state().SharedSettings[SharedLine::ImportFolder], folder);
    EXPECT_EQ(sharedFile()[SharedLine::ImportFolder], importFolder); // kept only by "登　録"
    QStringList listed;
    for (int row = 0; row < panel->workbookList()->count(); ++row)
        listed << panel->workbookList()->item(row)->text();
    EXPECT_EQ(listed, (QStringList{QStringLiteral("Mb在庫品INP.xls"), QStringLiteral("other.xlsx")}));

    // A path ending in several separators still gives exactly one.
    panel->chooseFolder(chosen + QStringLiteral("///"));
    EXPECT_EQ(text(QStringLiteral("importFolderLabel")), folder);

    const QListWidget* list = panel->workbookList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(lastTitle(), QStringLiteral("登録確認"));
    EXPECT_EQ(lastText(), WorkbookListExplanation());

    click(QStringLiteral("Command9"));
    EXPECT_EQ(sharedFile()[SharedLine::ImportFolder], folder);
    click(QStringLiteral("Command2"));
    EXPECT_FALSE(shown(QStringLiteral("folderPanel")));
}

TEST_F(ImportScreenTest, RegisterWithoutAFolderSaysSo)
{
    writeSettings({}, {});
    openScreen();
    click(QStringLiteral("importFolderLabel"));
    click(QStringLiteral("Command9"));
    EXPECT_EQ(lastTitle(), QStringLiteral("登録確認"));
    EXPECT_EQ(lastText(), QStringLiteral("インポート元のフォルダーが設定されてません。　"));
    EXPECT_TRUE(sharedFile()[SharedLine::ImportFolder].isEmpty());
}

TEST_F(ImportScreenTest, TimedImportRunsOnceInItsMinuteAndStoresTheItems)
{
    writeDuplicateNumberWorkbook(); // its problem does not stop a timed run
    QDir().mkpath(client.clientFolder() + QStringLiteral("設備画像"));
    for (const QString& picture : {QStringLiteral("torikomi00.jpg"), QStringLiteral("torikomi01.jpg")})
        ASSERT_TRUE(QFile::copy(QStringLiteral(TEV_RESOURCES_DIR "/設備画像/") + picture,
                                client.clientFolder() + QStringLiteral("設備画像/") + picture));
    ImportScreen* screen = openScreen();
    QTime now(9, 4, 58);
    screen->setClock([&now] { return now; });

    click(QStringLiteral("timedImportButton"));
    EXPECT_TRUE(shown(QStringLiteral("Command4")));
    EXPECT_TRUE(shown(QStringLiteral("Command33")));
    click(QStringLiteral("Command4"));
    EXPECT_EQ(lastText(), NoImportTimeMessage());
    EXPECT_EQ(screen->mode(), ImportScreen::Mode::Interactive);

    client.dialogs.queueText(QStringLiteral("9:5"));
    click(QStringLiteral("Command33"));
    EXPECT_EQ(clientFile()[ClientLine::ImportTime], QStringLiteral("09:05"));
    EXPECT_EQ(clientFile()[ClientLine::DataFolder], client.dataFolder());

    client.dialogs.clear();
    click(QStringLiteral("Command4"));
    EXPECT_EQ(screen->mode(), ImportScreen::Mode::Timed);
    EXPECT_EQ(shownButtons(), names({"Command7", "Command33", "Command44"}));
    EXPECT_EQ(text(QStringLiteral("statusLabel")), QStringLiteral("待機中"));
    EXPECT_TRUE(shown(QStringLiteral("statusPicture")));
    EXPECT_EQ(control(QStringLiteral("statusPicture"))->pos(), QPoint(twipsToPixels(15360), twipsToPixels(240)));

    const QByteArray before = ledgerBytes();
    screen->checkClock();
    EXPECT_EQ(text(QStringLiteral("clockLabel")), QStringLiteral("09:04"));
    EXPECT_EQ(ledgerBytes(), before);

    now = QTime(9, 5, 0);
    screen->checkClock();
    EXPECT_EQ(record(1).text(ItemField::Name), QStringLiteral("品A"));
    EXPECT_EQ(record(2).text(ItemField::Name), QStringLiteral("品B"));
    EXPECT_EQ(ledgerCount(), 10);
    EXPECT_TRUE(client.dialogs.shown().isEmpty()); // unattended: no question, no message
    EXPECT_EQ(colour(QStringLiteral("ImportStatusLamp")), ImportScreen::LampTimedDone);
    EXPECT_EQ(text(QStringLiteral("statusLabel")), QStringLiteral("待機中"));
    EXPECT_TRUE(text(QStringLiteral("lastRunLabel")).contains(QStringLiteral("2件取込")));
    EXPECT_FALSE(state().ledgerFile); // the data files are closed while waiting

    // Later in the same minute nothing runs; the next day's minute runs again.
    WriteTestLedger(client.ledgerPath(), 10);
    now = QTime(9, 5, 40);
    screen->checkClock();
    EXPECT_EQ(record(1).text(ItemField::Number), QStringLiteral("A1"));
    now = QTime(9, 6, 0);
    screen->checkClock();
    now = QTime(9, 5, 1);
    screen->checkClock();
    EXPECT_EQ(record(1).text(ItemField::Name), QStringLiteral("品A"));

    // "終　了" ends the program instead of returning to the menu.
    click(QStringLiteral("Command7"));
    EXPECT_EQ(client.endRequests, 1);
    EXPECT_EQ(host.current(), screen);
}

TEST_F(ImportScreenTest, TimedImportNeverWaitsOnAMessageFromTheLayersBelow)
{
    writeDuplicateNumberWorkbook();
    // The change log cannot be written: the store reports that in a message box, which an
    // unattended run must not show (nobody would click it, and the screen would hang).
    QDir().mkpath(client.dataFolder() + QStringLiteral("Ma在庫品履歴.log"));
    ImportScreen* screen = openScreen();
    QTime now(9, 4, 0);
    screen->setClock([&now] { return now; });
    client.dialogs.queueText(QStringLiteral("9:05"));
    click(QStringLiteral("timedImportButton"));
    click(QStringLiteral("Command33"));
    click(QStringLiteral("Command4"));
    client.dialogs.clear();

    now = QTime(9, 5, 0);
    screen->checkClock();
    EXPECT_TRUE(client.dialogs.shown().isEmpty()) << lastText().toStdString();
    EXPECT_EQ(record(1).text(ItemField::Name), QStringLiteral("品A"));
    const QString lastRun = text(QStringLiteral("lastRunLabel"));
    EXPECT_TRUE(lastRun.contains(QStringLiteral("2件取込"))) << lastRun.toStdString();
    EXPECT_TRUE(lastRun.contains(QStringLiteral("変更履歴"))) << lastRun.toStdString();
    EXPECT_EQ(text(QStringLiteral("statusLabel")), QStringLiteral("待機中"));
    // The screen waits for the next day as before.
    WriteTestLedger(client.ledgerPath(), 10);
    now = QTime(9, 6, 0);
    screen->checkClock();
    now = QTime(9, 5, 0);
    screen->checkClock();
    EXPECT_EQ(record(1).text(ItemField::Name), QStringLiteral("品A"));
    EXPECT_TRUE(client.dialogs.shown().isEmpty());
}

TEST_F(ImportScreenTest, ACellWithoutItsValueRefusesTheImportAndSaysWhich)
{
    writeNoResultWorkbook();
    const QByteArray before = ledgerBytes();
    openScreen();
    click(QStringLiteral("Command5"));
    click(QStringLiteral("Command6"));
    // Asked, the user could not say Yes to it: it is told, not asked.
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_FALSE(client.dialogs.shown()[0].question);
    EXPECT_EQ(lastTitle(), ImportProblemTitle());
    EXPECT_TRUE(lastText().contains(NoResultLine)) << lastText().toStdString();
    EXPECT_EQ(ledgerBytes(), before);
}

TEST_F(ImportScreenTest, TimedImportRefusesACellWithoutItsValueAndShowsWhyUnderTheClock)
{
    writeNoResultWorkbook();
    const QByteArray before = ledgerBytes();
    ImportScreen* screen = openScreen();
    QTime now(9, 4, 0);
    screen->setClock([&now] { return now; });
    client.dialogs.queueText(QStringLiteral("9:05"));
    click(QStringLiteral("timedImportButton"));
    click(QStringLiteral("Command33"));
    click(QStringLiteral("Command4"));
    client.dialogs.clear();
    now = QTime(9, 5, 0);
    screen->checkClock();
    EXPECT_TRUE(client.dialogs.shown().isEmpty()) << lastText().toStdString();
    const QString lastRun = text(QStringLiteral("lastRunLabel"));
    EXPECT_TRUE(lastRun.contains(QStringLiteral("取込できません"))) << lastRun.toStdString();
    EXPECT_TRUE(lastRun.contains(NoResultLine)) << lastRun.toStdString();
    EXPECT_EQ(ledgerBytes(), before);
}

TEST_F(ImportScreenTest, ExitReturnsToTheMenu)
{
    openScreen();
    click(QStringLiteral("Command7"));
    ASSERT_NE(host.current(), nullptr);
    EXPECT_EQ(host.current()->objectName(), QStringLiteral("menuStandIn"));
    EXPECT_TRUE(host.currentKey().isEmpty());
    EXPECT_EQ(client.endRequests, 0);
}
