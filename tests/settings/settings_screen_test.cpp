// The settings screen on a temporary client, opened through the screen host: the opening state,
// the vocabulary editor driven through its grid, box and buttons, "登　録", the backup boxes, the
// start-month chooser with its questions, the vocabulary workbook, "終      了" with the question
// about changes not registered, and the way the other pop-up panels join the screen.
#include "excel_output/excel_error_report.h"
#include "excel_output/output_paths.h"
#include "excel_output/workbook_output_notice.h"
#include "settings/column_name_settings.h"
#include "settings/mail_address_file.h"
#include "settings/settings_screen.h"
#include "settings/settings_texts.h"
#include "settings/vocabulary_editing.h"
#include "settings/vocabulary_editor_panel.h"
#include "settings/year_rollover.h"
#include "storage/desktop_handover.h"
#include "storage/field_text.h"
#include "storage/item_record.h"
#include "storage/settings_files.h"
#include "storage/synthetic_items.h"
#include "storage/vocabulary.h"
#include "support/temp_client_support.h"
#include "ui/flex_grid.h"
#include "ui/screen_host.h"
#include "ui/switch_label.h"
#include "ui/twips.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

namespace {

using Lines = std::map<int, QString>;
const QString Blank = VocabularyEditing::BlankWord;
const QString ConfirmTitle = QStringLiteral("登録確認");
const QString ErrorTitle = QStringLiteral("異常確認");

// Stands in for the panels of the names, mail and data folder settings.
class StubPanel : public QFrame {
    Q_OBJECT
public:
    using QFrame::QFrame;
    void open()
    {
        ++opened;
        show();
    }
    void resetLight() { ++resets; }
    int opened = 0;
    int resets = 0;
signals:
    void settingsChanged();
};

class StubPlacementBoxes : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    void refresh() { ++refreshed; }
    int refreshed = 0;
signals:
    void closeAllPanelsRequested();
    void settingsChanged();
};

class SettingsScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.setMenuFactory([](ScreenHost&) {
            auto* menu = new QWidget;
            menu->setObjectName(QStringLiteral("menuStandIn"));
            return menu;
        });
        host.registerScreen(ScreenKey::Settings, [](ScreenHost& h) { return new SettingsScreen(h); });
        writeSettings({}, {});
        writeLists({
            {2, {QStringLiteral("ボルト"), QStringLiteral("ナット"), QStringLiteral("ワッシャ"), QString()}},
            {3, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"), QStringLiteral("e"), QString()}},
            {4, {QString()}},
            {5, {QString()}},
            {6, {QStringLiteral("個"), QString()}},
        });
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
        sharedFile[SharedLine::StartMonth] = QStringLiteral("2025/04");
        const QString captions[] = {QStringLiteral("在庫品No"), QStringLiteral("品　名"), QStringLiteral("仕　様"),
                                    QStringLiteral("メーカー名"), QStringLiteral("保管場所"), QStringLiteral("単位")};
        for (int k = 0; k < 6; ++k)
            sharedFile[SharedLine::FirstCaption + k] = captions[k];
        for (const auto& [line, value] : sharedLines)
            sharedFile[line] = value;
        WriteSettingsFile(client.clientFolder() + SettingsFileName::Client, clientFile);
        WriteSettingsFile(client.dataFolder() + SettingsFileName::Shared, sharedFile);
        state().ClientSettings = SettingsLines{};
        state().SharedSettings = SettingsLines{};
        ReadClientSettings(state());
        ReadSharedSettings(state());
    }

    // The list files and their counts; a word's id is "ID" + the word.
    void writeLists(const std::map<int, QStringList>& lists)
    {
        state().Vocabulary.clear();
        for (const auto& [list, words] : lists) {
            state().SharedSettings[ListCountLine(list)] = QString::number(words.size());
            for (int i = 0; i < words.size(); ++i)
                state().Vocabulary.setEntry(list, i + 1, {words[i].isEmpty() ? QString() : QStringLiteral("ID") + words[i], words[i]});
        }
        WriteSharedSettings(state());
        WriteVocabularyLists(state());
        state().Vocabulary.clear();
    }

    SettingsScreen* openSettings()
    {
        EXPECT_TRUE(host.openScreen(ScreenKey::Settings));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return qobject_cast<SettingsScreen*>(host.current());
    }

    template <class T = QWidget>
    T* control(const char* name)
    {
        T* found = host.current()->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* name) { control<QPushButton>(name)->click(); }
    FlexGrid* grid() { return control<FlexGrid>("vocabularyGrid"); }
    QLineEdit* box() { return control<QLineEdit>("wordEditBox"); }
    QWidget* editor() { return control("vocabularyEditorPanel"); }
    QString countLabel() { return control<QLabel>("listCountLabel")->text(); }
    void clickRow(int row) { emit grid()->clicked(row, 2); }
    void enter(const QString& text)
    {
        box()->setText(text);
        QTest::keyClick(box(), Qt::Key_Return);
    }

    QStringList words(int list)
    {
        QStringList result;
        for (int i = 1; i <= int(ReadNumber(state().SharedSettings[ListCountLine(list)])); ++i)
            result.append(state().Vocabulary.entry(list, i).word);
        return result;
    }
    QStringList gridWords()
    {
        QStringList result;
        for (int row = 1; row < grid()->rows(); ++row)
            result.append(grid()->textMatrix(row, 2));
        return result;
    }
    SettingsLines sharedFile() const { return readFile(client.dataFolder() + SettingsFileName::Shared); }
    SettingsLines clientFile() const { return readFile(client.clientFolder() + SettingsFileName::Client); }
    static SettingsLines readFile(const QString& path)
    {
        SettingsLines lines;
        ReadSettingsFile(path, lines);
        return lines;
    }
    const ScriptedDialogs::Shown& lastShown() { return client.dialogs.shown().last(); }

    AppState& state() { return client.state; }

    TempClient client;
    RecordingDesktopHandover desktop;
    ScreenHost host{client.state, desktop};
};

TEST_F(SettingsScreenTest, OpensWithTheUsersCaptionsAndEveryPopUpPanelHidden)
{
    state().EditPending = true;
    SettingsScreen* screen = openSettings();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), QStringLiteral("form2"));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("TEV在庫管理　初期設定"));
    EXPECT_FALSE(state().EditPending);

    const std::pair<const char*, QString> buttons[] = {
        {"listButton2", QStringLiteral("品　名")},   {"listButton3", QStringLiteral("仕　様")},
        {"listButton4", QStringLiteral("メーカー名")}, {"listButton5", QStringLiteral("保管場所")},
        {"listButton6", QStringLiteral("単位")},
    };
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(control<QPushButton>(name)->text(), caption) << name;
    EXPECT_EQ(control<QLabel>("listHeading")->text(), QStringLiteral("リスト項目情報"));
    EXPECT_FALSE(editor()->isVisibleTo(screen));
    EXPECT_TRUE(control("mailButton")->isVisibleTo(screen)) << "the mail panel is offered";
    EXPECT_TRUE(control("explainButton")->isVisibleTo(screen));
    EXPECT_EQ(control<QPushButton>("exitButton")->text(), QStringLiteral("終      了"));
    EXPECT_EQ(control<QLabel>("startMonthLabel")->text(), QStringLiteral("2025/04"));
    EXPECT_EQ(control<QComboBox>("startMonthChooser")->count(), 36);
    EXPECT_EQ(control<QComboBox>("startMonthChooser")->currentText(), QStringLiteral("2025/04"));
    EXPECT_FALSE(control<SwitchLabel>("backupOnBox")->isOn());
    EXPECT_TRUE(control<SwitchLabel>("backupOffBox")->isOn());
    EXPECT_EQ(grid()->rows(), 20);
    EXPECT_EQ(grid()->colWidthTwips(1), 1200);

    click("explainButton");
    EXPECT_EQ(lastShown().text.split(u'\r').first(), QStringLiteral("TEV在庫台帳　"));
}

TEST_F(SettingsScreenTest, BackupOnWithATrailingSpaceAndHiddenExplanations)
{
    writeSettings({{ClientLine::Backup, QStringLiteral("1 ")}, {ClientLine::HideExplanations, QStringLiteral("1")}}, {});
    SettingsScreen* screen = openSettings();
    EXPECT_TRUE(control<SwitchLabel>("backupOnBox")->isOn());
    EXPECT_FALSE(control<SwitchLabel>("backupOffBox")->isOn());
    EXPECT_FALSE(control("explainButton")->isVisibleTo(screen));
}

TEST_F(SettingsScreenTest, AListButtonDrawsItsListInTheEditor)
{
    SettingsScreen* screen = openSettings();
    click("listButton2");
    EXPECT_TRUE(editor()->isVisibleTo(screen));
    EXPECT_EQ(control<QLabel>("listNameLabel")->text(), QStringLiteral("品　名"));
    EXPECT_EQ(countLabel(), QStringLiteral("4"));
    EXPECT_EQ(grid()->rows(), 5);
    EXPECT_EQ(gridWords(), (QStringList{QStringLiteral("ボルト"), QStringLiteral("ナット"), QStringLiteral("ワッシャ"), QString()}));
    EXPECT_EQ(grid()->textMatrix(3, 0), QStringLiteral("3"));
    EXPECT_EQ(grid()->colWidthTwips(1), 0) << "the id is never visible";
    EXPECT_EQ(grid()->rowHeightTwips(2), 320);
    EXPECT_EQ(grid()->currentRow(), 1);
    EXPECT_EQ(box()->text(), QStringLiteral("ボルト"));

    click("listButton6");
    EXPECT_EQ(control<QLabel>("listNameLabel")->text(), QStringLiteral("単位"));
    EXPECT_EQ(gridWords(), (QStringList{QStringLiteral("個"), QString()}));
}

TEST_F(SettingsScreenTest, InsertDeleteAndClearBelowApplyOnlyAfterYes)
{
    struct Case {
        const char* button;
        int row;
        Dialogs::Answer answer;
        QStringList expected;
    };
    const QStringList unchanged{QStringLiteral("ボルト"), QStringLiteral("ナット"), QStringLiteral("ワッシャ"), QString()};
    const Case cases[] = {
        {"insertButton", 2, Dialogs::Answer::Yes, {QStringLiteral("ボルト"), Blank, QStringLiteral("ナット"), QStringLiteral("ワッシャ")}},
        {"deleteButton", 1, Dialogs::Answer::Yes, {QStringLiteral("ナット"), QStringLiteral("ワッシャ"), QString(), QString()}},
        {"clearBelowButton", 2, Dialogs::Answer::Yes, {QStringLiteral("ボルト"), Blank, Blank, Blank}},
        {"insertButton", 2, Dialogs::Answer::No, unchanged},
        {"deleteButton", 1, Dialogs::Answer::No, unchanged},
        {"clearBelowButton", 1, Dialogs::Answer::No, unchanged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.button) + (c.answer == Dialogs::Answer::Yes ? " Yes" : " No"));
        openSettings();
        state().EditPending = false;
        click("listButton2");
        clickRow(c.row);
        client.dialogs.queueAnswer(c.answer);
        click(c.button);
        EXPECT_EQ(lastShown().title, ConfirmTitle);
        EXPECT_EQ(lastShown().text, QStringLiteral(" このまま実行しますか？　　　"));
        EXPECT_TRUE(lastShown().defaultNo);
        EXPECT_EQ(words(2), c.expected);
        EXPECT_EQ(gridWords(), c.expected) << "the grid is drawn again from the list";
        EXPECT_EQ(grid()->currentRow(), c.row);
        EXPECT_EQ(state().EditPending, c.answer == Dialogs::Answer::Yes);
    }
}

TEST_F(SettingsScreenTest, EnterStoresWordsOfAtMost28BytesAndMovesOn)
{
    openSettings();
    click("listButton2");
    clickRow(1);
    enter(QString(14, u'あ'));
    EXPECT_EQ(state().Vocabulary.entry(2, 1).word, QString(14, u'あ'));
    EXPECT_EQ(grid()->textMatrix(1, 2), QString(14, u'あ'));
    EXPECT_EQ(grid()->currentRow(), 2);
    EXPECT_EQ(box()->text(), QStringLiteral("ナット"));
    EXPECT_TRUE(state().EditPending);

    client.dialogs.clear();
    enter(QString(15, u'い'));
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(lastShown().title, ConfirmTitle);
    EXPECT_EQ(lastShown().text, QStringLiteral("項目名が文字数を超えてます。"));
    EXPECT_EQ(box()->text(), QString(15, u'い')) << "the first 20 characters: all 15";
    QTest::keyClick(box(), Qt::Key_Return);
    EXPECT_EQ(client.dialogs.shown().size(), 2) << "refused again";
    EXPECT_EQ(state().Vocabulary.entry(2, 2).word, QStringLiteral("ナット"));

    enter(QString(30, u'x'));
    EXPECT_EQ(box()->text(), QString(20, u'x'));
    QTest::keyClick(box(), Qt::Key_Return);
    EXPECT_EQ(state().Vocabulary.entry(2, 2).word, QString(20, u'x'));
    EXPECT_EQ(grid()->currentRow(), 3);
}

TEST_F(SettingsScreenTest, EnterOnTheLastRowGoesToRowOneAndTheArrowsWrapRound)
{
    openSettings();
    click("listButton2");
    clickRow(4);
    EXPECT_EQ(box()->text(), QString());
    enter(QStringLiteral("スパナ"));
    EXPECT_EQ(state().Vocabulary.entry(2, 4).word, QStringLiteral("スパナ"));
    EXPECT_EQ(grid()->currentRow(), 1);
    EXPECT_EQ(box()->text(), QStringLiteral("ボルト"));
    EXPECT_EQ(box()->cursorPosition(), 3);

    box()->setText(QStringLiteral("typed, not confirmed"));
    QTest::keyClick(box(), Qt::Key_Up);
    EXPECT_EQ(grid()->currentRow(), 4);
    EXPECT_EQ(box()->text(), QStringLiteral("スパナ"));
    QTest::keyClick(box(), Qt::Key_Down);
    EXPECT_EQ(grid()->currentRow(), 1);
    QTest::keyClick(box(), Qt::Key_Down);
    EXPECT_EQ(grid()->currentRow(), 2);
    EXPECT_EQ(state().Vocabulary.entry(2, 1).word, QStringLiteral("ボルト")) << "the typed text was dropped";
}

TEST_F(SettingsScreenTest, InsertIsRefusedWhenItWouldPushTheLastWordOut)
{
    openSettings();
    click("listButton2");
    clickRow(4);
    enter(QStringLiteral("スパナ"));
    clickRow(2);
    client.dialogs.clear();
    click("insertButton");
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_FALSE(client.dialogs.shown().first().question);
    EXPECT_EQ(lastShown().text, InsertWouldDropWordMessage());
    EXPECT_EQ(words(2), (QStringList{QStringLiteral("ボルト"), QStringLiteral("ナット"), QStringLiteral("ワッシャ"), QStringLiteral("スパナ")}));
}

TEST_F(SettingsScreenTest, SwapExchangesRowThreeAndFiveAfterYesAndTheNextClick)
{
    openSettings();
    click("listButton3");
    clickRow(3);
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    click("swapButton");
    EXPECT_EQ(lastShown().text, QStringLiteral("cと\r 次に入れ替え対象項目をマウスクリックすると\r 　項目を入れ替えます。入れ替えますか？"));
    EXPECT_EQ(countLabel(), QStringLiteral("項目入替"));
    clickRow(5);
    EXPECT_EQ(words(3), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("e"), QStringLiteral("d"),
                                     QStringLiteral("c"), QString()}));
    EXPECT_EQ(state().Vocabulary.entry(3, 3).id, QStringLiteral("IDe"));
    EXPECT_EQ(state().Vocabulary.entry(3, 5).id, QStringLiteral("IDc"));
    EXPECT_EQ(grid()->textMatrix(3, 2), QStringLiteral("e"));
    EXPECT_EQ(grid()->textMatrix(5, 2), QStringLiteral("c"));
    EXPECT_EQ(countLabel(), QStringLiteral("6"));
    EXPECT_TRUE(state().EditPending);

    // No: nothing pending; the next click only loads the row.
    clickRow(1);
    click("swapButton");
    clickRow(2);
    EXPECT_EQ(words(3).first(), QStringLiteral("a"));
    EXPECT_EQ(box()->text(), QStringLiteral("b"));

    // A pending swap ends when another list is drawn: its rows belong to the list it was begun in.
    clickRow(1);
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    click("swapButton");
    click("listButton2");
    clickRow(2);
    EXPECT_EQ(words(2), (QStringList{QStringLiteral("ボルト"), QStringLiteral("ナット"), QStringLiteral("ワッシャ"), QString()}));
    EXPECT_EQ(words(3).first(), QStringLiteral("a"));
}

TEST_F(SettingsScreenTest, RegisterWritesTheListsAndTheCountsAndSaysWhichFileFailed)
{
    openSettings();
    click("listButton2");
    clickRow(2);
    enter(QStringLiteral("六角ナット"));
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    clickRow(3);
    click("insertButton");
    click("registerListsButton");
    EXPECT_EQ(lastShown().title, ConfirmTitle);
    EXPECT_EQ(lastShown().text, ListsRegisteredMessage());
    EXPECT_FALSE(state().EditPending);

    state().Vocabulary.clear();
    ReadVocabularyLists(state());
    EXPECT_EQ(words(2), (QStringList{QStringLiteral("ボルト"), QStringLiteral("六角ナット"), Blank, QStringLiteral("ワッシャ")}));
    EXPECT_EQ(sharedFile()[ListCountLine(2)], QStringLiteral("4"));

    // A list file that cannot be replaced.
    const QString listFile = VocabularyPath(state(), 3);
    QFile::remove(listFile);
    QDir().mkdir(listFile);
    click("registerListsButton");
    EXPECT_EQ(lastShown().title, QStringLiteral("異常確認"));
    EXPECT_TRUE(lastShown().text.contains(listFile)) << lastShown().text.toStdString();
}

TEST_F(SettingsScreenTest, AViewOnlyClientMayLookButNotRegisterTheLists)
{
    writeSettings({{ClientLine::ViewOnly, QStringLiteral("1")}}, {});
    writeLists({{2, {QStringLiteral("ボルト"), QString()}}});
    const QByteArray lists = TempClient::readBytes(VocabularyPath(state(), 2));
    const QByteArray shared = TempClient::readBytes(client.dataFolder() + SettingsFileName::Shared);
    openSettings();
    click("listButton2");
    clickRow(1);
    enter(QStringLiteral("六角ボルト"));
    click("registerListsButton");
    EXPECT_EQ(lastShown().text, QStringLiteral("当クライアントは確認のみの設定です。\r登録・訂正は出来ません。"));
    EXPECT_EQ(TempClient::readBytes(VocabularyPath(state(), 2)), lists);
    EXPECT_EQ(TempClient::readBytes(client.dataFolder() + SettingsFileName::Shared), shared);
}

TEST_F(SettingsScreenTest, BackupBoxesAskThenStoreLine18)
{
    struct Case {
        const char* box;
        QString before;
        Dialogs::Answer answer;
        QString after;
        QString firstLine2;
    };
    const Case cases[] = {
        {"backupOnBox", QStringLiteral("0"), Dialogs::Answer::Yes, QStringLiteral("1"), QStringLiteral(" DATA buckup の有り設定です。")},
        {"backupOnBox", QStringLiteral("0"), Dialogs::Answer::No, QStringLiteral("0"), QStringLiteral(" DATA buckup の有り設定です。")},
        {"backupOffBox", QStringLiteral("1"), Dialogs::Answer::Yes, QStringLiteral("0"), QStringLiteral(" DATA buckup の無設定です。")},
        {"backupOffBox", QStringLiteral("1"), Dialogs::Answer::No, QStringLiteral("1"), QStringLiteral(" DATA buckup の無設定です。")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box) + (c.answer == Dialogs::Answer::Yes ? " Yes" : " No"));
        writeSettings({{ClientLine::Backup, c.before}}, {});
        SettingsScreen* screen = openSettings();
        click("listButton2");
        state().EditPending = true;
        client.dialogs.queueAnswer(c.answer);
        QTest::mouseClick(control(c.box), Qt::LeftButton);
        EXPECT_FALSE(editor()->isVisibleTo(screen)) << "all panels closed first";
        EXPECT_EQ(lastShown().title, ConfirmTitle);
        EXPECT_EQ(lastShown().text.split(u'\r').value(1), c.firstLine2);
        EXPECT_EQ(clientFile()[ClientLine::Backup], c.after);
        const bool on = c.after == QStringLiteral("1");
        EXPECT_EQ(control<SwitchLabel>("backupOnBox")->isOn(), on);
        EXPECT_EQ(control<SwitchLabel>("backupOffBox")->isOn(), !on);
        EXPECT_EQ(state().EditPending, c.answer == Dialogs::Answer::No);
    }
}

class StartMonthScreenTest : public SettingsScreenTest {
protected:
    // The ledger year began in April of last year, so that April of this year is the next one.
    void SetUp() override
    {
        SettingsScreenTest::SetUp();
        const int year = QDate::currentDate().year();
        lastYear = QStringLiteral("%1/04").arg(year - 1);
        thisYear = QStringLiteral("%1/04").arg(year);
        writeSettings({}, {{SharedLine::StartMonth, lastYear}});
        ASSERT_TRUE(AppendSyntheticItems(state(), 20, 3).io.ok);
    }

    void choose(const QString& month)
    {
        auto* chooser = control<QComboBox>("startMonthChooser");
        const int index = chooser->findText(month);
        ASSERT_GE(index, 0) << month.toStdString();
        chooser->setCurrentIndex(index);
        emit chooser->activated(index);
    }

    ItemRecord firstItem()
    {
        ItemRecord item;
        item.assignBytes(TempClient::readBytes(client.ledgerPath()).constData());
        return item;
    }

    QString lastYear;
    QString thisYear;
};

// Another month than the next ledger year shows every entered month under another month on all
// clients: asked first (No as the default button), and only Yes writes line 9.
TEST_F(StartMonthScreenTest, AnotherMonthIsAskedForAndOnlyYesWritesLine9)
{
    const QByteArray ledger = TempClient::readBytes(client.ledgerPath());
    openSettings();
    const QString month = QStringLiteral("%1/10").arg(QDate::currentDate().year() - 1);
    client.dialogs.queueAnswer(Dialogs::Answer::No);
    choose(month);
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_TRUE(lastShown().question);
    EXPECT_TRUE(lastShown().defaultNo);
    EXPECT_EQ(lastShown().title, ConfirmTitle);
    EXPECT_EQ(lastShown().text, StartMonthRelabelQuestion(lastYear, month));
    EXPECT_EQ(sharedFile()[SharedLine::StartMonth], lastYear);
    EXPECT_EQ(control<QLabel>("startMonthLabel")->text(), lastYear);
    EXPECT_EQ(control<QComboBox>("startMonthChooser")->currentText(), lastYear);

    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    choose(month);
    EXPECT_EQ(sharedFile()[SharedLine::StartMonth], month);
    EXPECT_EQ(control<QLabel>("startMonthLabel")->text(), month);
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), ledger);
}

TEST_F(StartMonthScreenTest, TheNextLedgerYearAsksAndNoOnlyChangesTheMonth)
{
    const QByteArray ledger = TempClient::readBytes(client.ledgerPath());
    openSettings();
    choose(thisYear);
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_TRUE(client.dialogs.shown().first().question);
    EXPECT_TRUE(client.dialogs.shown().first().defaultNo); // Enter does not roll the year over
    EXPECT_EQ(client.dialogs.shown().first().title, ConfirmTitle);
    EXPECT_EQ(sharedFile()[SharedLine::StartMonth], thisYear);
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), ledger);
    EXPECT_FALSE(QDir(client.dataFolder() + QStringLiteral("M在庫台帳")).exists());
}

TEST_F(StartMonthScreenTest, AViewOnlyClientCannotChangeTheMonthOrRollTheYearOver)
{
    writeSettings({{ClientLine::ViewOnly, QStringLiteral("1")}}, {{SharedLine::StartMonth, lastYear}});
    const QByteArray ledger = TempClient::readBytes(client.ledgerPath());
    openSettings();
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    choose(thisYear);
    EXPECT_EQ(lastShown().text, QStringLiteral("当クライアントは確認のみの設定です。\r登録・訂正は出来ません。"));
    EXPECT_EQ(sharedFile()[SharedLine::StartMonth], lastYear);
    EXPECT_EQ(control<QLabel>("startMonthLabel")->text(), lastYear);
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), ledger);
}

TEST_F(StartMonthScreenTest, TheNextLedgerYearWithYesCarriesTheStocks)
{
    const ItemRecord before = firstItem();
    ASSERT_FALSE(before.qty(QtyRow::Received, QtyColumn::Total).isEmpty());
    openSettings();
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    choose(thisYear);

    const ItemRecord after = firstItem();
    EXPECT_EQ(after.text(ItemField::PreviousStock), before.text(ItemField::Stock));
    EXPECT_EQ(after.qty(QtyRow::Received, QtyColumn::Total), QString());
    EXPECT_EQ(after.qty(QtyRow::Received, QtyColumn::Planned), before.qty(QtyRow::Received, QtyColumn::Planned));
    EXPECT_EQ(sharedFile()[SharedLine::StartMonth], thisYear);
    EXPECT_EQ(control<QLabel>("startMonthLabel")->text(), thisYear);
    EXPECT_EQ(QDir(client.dataFolder() + QStringLiteral("M在庫台帳")).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(lastShown().title, ConfirmTitle);
    EXPECT_TRUE(lastShown().text.contains(QStringLiteral("20 件"))) << lastShown().text.toStdString();
}

// Another PC rolled the year over while this screen was open: choosing the same new month does not
// roll it over a second time, and the screen shows the month the file holds.
TEST_F(StartMonthScreenTest, ARolloverMadeElsewhereWhileTheScreenWasOpenIsNotMadeAgain)
{
    openSettings();
    OtherPc other(state());
    ASSERT_TRUE(RollOverLedgerYear(other.state, lastYear, thisYear, QDateTime::currentDateTime()).ok());
    const QByteArray rolled = TempClient::readBytes(client.ledgerPath());
    client.dialogs.setDefaultAnswer(Dialogs::Answer::Yes);
    choose(thisYear);

    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_FALSE(client.dialogs.shown().first().question);
    EXPECT_TRUE(lastShown().text.contains(QStringLiteral("他の端末で"))) << lastShown().text.toStdString();
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), rolled);
    EXPECT_EQ(QDir(client.dataFolder() + QStringLiteral("M在庫台帳")).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(control<QLabel>("startMonthLabel")->text(), thisYear);
}

// All clients were stopped on another PC while this screen was open: the rollover is refused and
// the stop stays set.
TEST_F(StartMonthScreenTest, AStopOfAllClientsSetElsewhereRefusesTheRolloverAndStays)
{
    openSettings();
    SettingsLines shared = sharedFile();
    shared[SharedLine::StopAll] = QStringLiteral("1");
    shared[SharedLine::StopSetBy] = QStringLiteral("PC-ADMIN");
    shared[SharedLine::LoginPassword] = QStringLiteral("1");
    ASSERT_TRUE(WriteSettingsFile(client.dataFolder() + SettingsFileName::Shared, shared));
    const QByteArray ledger = TempClient::readBytes(client.ledgerPath());
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    choose(thisYear);

    EXPECT_EQ(lastShown().title, ErrorTitle);
    EXPECT_TRUE(lastShown().text.contains(QStringLiteral("全クライアントサーバ使用禁止中"))) << lastShown().text.toStdString();
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), ledger);
    EXPECT_EQ(sharedFile(), shared);
    EXPECT_EQ(control<QLabel>("startMonthLabel")->text(), lastYear);
}

TEST_F(SettingsScreenTest, VocabularyWorkbookGoesToTheDesktopOrReportsTheError)
{
    SettingsScreen* screen = openSettings();
    click("listButton2");
    click("vocabularyExcelButton");
    EXPECT_FALSE(editor()->isVisibleTo(screen));
    EXPECT_TRUE(desktop.opened.isEmpty()) << "no template folder in the program folder";
    EXPECT_EQ(lastShown().text, ExcelErrorText(76).text);

    QDir().mkpath(client.clientFolder() + QStringLiteral("原本Excel"));
    QFile::copy(QStringLiteral(TEV_RESOURCES_DIR "/原本Excel/在庫出力台帳.xlsx"), TemplateWorkbookPath(state()));
    QDir().mkpath(OutputFolderPath(state()));
    client.dialogs.clear();
    click("vocabularyExcelButton");
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_TRUE(desktop.opened.first().endsWith(QStringLiteral(".xlsx")));
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(lastShown().text, WorkbookWrittenNotice(desktop.opened.first()).text);
    EXPECT_FALSE(control("excelBusyPanel")->isVisibleTo(screen));

    // No program for workbooks: the file is there all the same, and the message says where.
    desktop.result = false;
    click("vocabularyExcelButton");
    EXPECT_EQ(lastShown().text, WorkbookNotOpenedNotice(desktop.opened.last(), true).text);
    EXPECT_TRUE(QFile::exists(desktop.opened.last()));
}

TEST_F(SettingsScreenTest, ExitGoesBackToTheMenu)
{
    openSettings();
    click("exitButton");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(host.current(), nullptr);
    EXPECT_EQ(host.current()->objectName(), QStringLiteral("menuStandIn"));
}

// A change in each of the panels that keep their edits until "登録": a word of list 2, the name
// of the 仕様 column and the first information address.
class LeavingSettingsTest : public SettingsScreenTest {
protected:
    void editEveryPanel()
    {
        click("listButton2");
        clickRow(2);
        enter(QStringLiteral("六角ナット"));
        click("namesButton");
        emit control<FlexGrid>("namesGrid")->clicked(2, 0);
        control<QLineEdit>("nameEditor")->setText(QStringLiteral("型式"));
        QTest::keyClick(control<QLineEdit>("nameEditor"), Qt::Key_Return);
        click("mailButton");
        emit control<FlexGrid>("informationGrid")->clicked(1, 1);
        control<QLineEdit>("mailAddressEditor")->setText(QStringLiteral("hozen@example.jp"));
        QTest::keyClick(control<QLineEdit>("mailAddressEditor"), Qt::Key_Return);
    }
    QList<QWidget*> everyPanel() { return {editor(), control("columnNamesPanel"), control("mailPanel")}; }
    QString storedWord()
    {
        OtherPc other(state());
        ReadVocabularyLists(other.state);
        return other.state.Vocabulary.entry(2, 2).word;
    }
    QString storedName() { return sharedFile()[ColumnNameLine(2)]; }
    QString storedAddress() { return ReadMailAddressFile(MailAddressPath(state()))[1]; }
    bool onSettings()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return host.currentKey() == ScreenKey::Settings;
    }
};

TEST_F(LeavingSettingsTest, ExitWithChangesNotRegisteredAsksYesNoOrCancel)
{
    const struct {
        Dialogs::Choice choice;
        bool leaves;
        bool stored;
    } cases[] = {
        {Dialogs::Choice::Cancel, false, false},
        {Dialogs::Choice::No, true, false},
        {Dialogs::Choice::Yes, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.choice));
        SettingsScreen* screen = openSettings();
        EXPECT_TRUE(screen->unregisteredPanels().isEmpty());
        editEveryPanel();
        EXPECT_EQ(screen->unregisteredPanels(), everyPanel());
        client.dialogs.clear();
        client.dialogs.queueChoice(c.choice);
        click("exitButton");

        ASSERT_FALSE(client.dialogs.shown().isEmpty());
        const ScriptedDialogs::Shown& question = client.dialogs.shown().first();
        EXPECT_TRUE(question.withCancel);
        EXPECT_EQ(question.title, ConfirmTitle);
        EXPECT_EQ(question.text, QStringLiteral("登録されていない変更があります。登録しますか？"));
        EXPECT_EQ(onSettings(), !c.leaves);
        EXPECT_EQ(storedWord(), c.stored ? QStringLiteral("六角ナット") : QStringLiteral("ナット"));
        EXPECT_EQ(storedName(), c.stored ? QStringLiteral("型式") : QStringLiteral("仕　様"));
        EXPECT_EQ(storedAddress(), c.stored ? QStringLiteral("hozen@example.jp") : QString());
        if (!c.leaves) {
            EXPECT_EQ(screen->unregisteredPanels(), everyPanel());
            EXPECT_EQ(words(2).value(1), QStringLiteral("六角ナット")) << "the changes stay on the screen";
        } else if (!c.stored) {
            EXPECT_EQ(words(2).value(1), QStringLiteral("ナット")) << "the lists in memory are the files again";
            EXPECT_EQ(state().SharedSettings[ColumnNameLine(2)], QStringLiteral("仕　様"));
        }
    }
}

// Yes stores panel by panel as their "登録" buttons do; the first that fails is told and the screen
// stays with what is still to be registered.
TEST_F(LeavingSettingsTest, AFailedRegistrationOnLeavingKeepsTheScreen)
{
    SettingsScreen* screen = openSettings();
    editEveryPanel();
    const QString listFile = VocabularyPath(state(), 3);
    QFile::remove(listFile);
    QDir().mkdir(listFile);
    client.dialogs.clear();
    client.dialogs.queueChoice(Dialogs::Choice::Yes);
    click("exitButton");
    EXPECT_TRUE(onSettings());
    EXPECT_EQ(lastShown().title, ErrorTitle);
    EXPECT_TRUE(lastShown().text.contains(listFile)) << lastShown().text.toStdString();
    EXPECT_EQ(screen->unregisteredPanels(), everyPanel());
    EXPECT_EQ(storedName(), QStringLiteral("仕　様"));

    QDir().rmdir(listFile);
    client.dialogs.queueChoice(Dialogs::Choice::Yes);
    click("exitButton");
    EXPECT_FALSE(onSettings());
    EXPECT_EQ(storedWord(), QStringLiteral("六角ナット"));
    EXPECT_EQ(storedAddress(), QStringLiteral("hozen@example.jp"));
}

TEST_F(LeavingSettingsTest, ClosingTheWindowAsksToo)
{
    SettingsScreen* screen = openSettings();
    click("listButton2");
    clickRow(1);
    enter(QStringLiteral("六角ボルト"));
    client.dialogs.queueChoice(Dialogs::Choice::Cancel);
    EXPECT_FALSE(screen->close());
    EXPECT_TRUE(onSettings());
    EXPECT_TRUE(screen->isVisible());

    client.dialogs.queueChoice(Dialogs::Choice::No);
    EXPECT_TRUE(screen->close());
    EXPECT_FALSE(onSettings());
    EXPECT_EQ(client.dialogs.shown().size(), 2);

    // A program that is ending (all clients stopped) closes its window without asking.
    screen = openSettings();
    click("listButton2");
    clickRow(1);
    enter(QStringLiteral("六角ボルト"));
    state().requestEnd();
    EXPECT_TRUE(screen->close());
    EXPECT_EQ(client.dialogs.shown().size(), 2);
}

TEST_F(SettingsScreenTest, PopUpPanelsTakePartInClosingResettingAndRefreshing)
{
    SettingsScreen* screen = openSettings();
    auto* names = new StubPanel(screen);
    screen->addPopupPanel(names, screen->namesButton());
    auto* boxes = new StubPlacementBoxes;
    screen->setPlacementBoxes(boxes);
    EXPECT_EQ(boxes->parentWidget(), screen->placementArea());
    EXPECT_EQ(boxes->refreshed, 1);
    EXPECT_FALSE(names->isVisibleTo(screen));

    click("listButton2");
    click("namesButton");
    EXPECT_EQ(names->opened, 1);
    EXPECT_TRUE(names->isVisibleTo(screen));
    EXPECT_FALSE(editor()->isVisibleTo(screen)) << "all panels closed before the panel opens";
    EXPECT_EQ(names->resets, 1);

    click("listButton2");
    EXPECT_FALSE(names->isVisibleTo(screen));
    clickRow(2);
    EXPECT_EQ(names->resets, 2) << "the lighter reset of a row click";

    emit boxes->closeAllPanelsRequested();
    EXPECT_FALSE(editor()->isVisibleTo(screen));

    state().SharedSettings[SharedLine::FirstCaption + 1] = QStringLiteral("部品名");
    emit names->settingsChanged();
    EXPECT_EQ(control<QPushButton>("listButton2")->text(), QStringLiteral("部品名"));
    EXPECT_EQ(boxes->refreshed, 2);
}

TEST_F(SettingsScreenTest, CommandBarOpensOneRealPanelAtATime)
{
    SettingsScreen* screen = openSettings();
    const std::vector<std::pair<const char*, const char*>> buttons{
        {"namesButton", "columnNamesPanel"}, {"mailButton", "mailPanel"}, {"dataFolderButton", "dataFolderPanel"}};
    for (const auto& [button, panel] : buttons) {
        ASSERT_TRUE(control<QPushButton>(button)->isVisibleTo(screen)) << button;
        click(button);
        for (const auto& entry : buttons)
            EXPECT_EQ(control<QWidget>(entry.second)->isVisibleTo(screen), std::string(entry.second) == panel)
                << button << " shows " << entry.second;
    }
    EXPECT_TRUE(control<QWidget>("placementBoxes")->isVisibleTo(screen));

    // Every pop-up panel fits the window and leaves the command bar free.
    for (const auto& entry : buttons) {
        const QRect panel = control<QWidget>(entry.second)->geometry();
        EXPECT_TRUE(screen->rect().contains(panel)) << entry.second;
        for (const auto& command : buttons)
            EXPECT_FALSE(panel.intersects(control<QPushButton>(command.first)->geometry()))
                << entry.second << " covers " << command.first;
    }
}

} // namespace

#include "settings_screen_test.moc"
