// The data folder panel and the placement boxes on their own: opening, the path editor and Enter,
// the transfer with scripted answers, browsing, and the placement boxes after a return to the
// program folder.
#include "settings/data_folder_panel.h"
#include "settings/data_folder_texts.h"
#include "settings/placement_boxes_widget.h"

#include "data_folder_fixture.h"
#include "ui/switch_label.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <QFileSystemModel>
#include <gtest/gtest.h>

namespace {

using Answer = Dialogs::Answer;

class DataFolderPanelTest : public ::testing::Test, public DataFolderFixture {
protected:
    void SetUp() override
    {
        window.resize(900, 700);
        panel = new DataFolderPanel(client.state, &window);
        boxes = new PlacementBoxesWidget(client.state, &window);
        boxes->move(0, 520);
        window.show();
    }

    template <class W>
    W* control(const char* name) const
    {
        W* widget = window.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString pathLabel() const { return control<QLabel>("dataFolderPathLabel")->text(); }
    QStringList files() const
    {
        QStringList names;
        auto* list = control<QListWidget>("fileList");
        for (int i = 0; i < list->count(); ++i)
            names.append(list->item(i)->text());
        return names;
    }
    quint32 lamp() const { return control<SwitchLabel>("dataFolderLamp")->colourValue(); }
    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    // Clicks the path label, types `text` over the editor's text and presses Enter.
    void typeAndEnter(const QString& text)
    {
        click(control<QLabel>("dataFolderPathLabel"));
        auto* editor = control<QLineEdit>("dataFolderPathEditor");
        editor->clear();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }

    // Opens the panel and registers the server folder (Yes), the messages so far forgotten.
    void openAndRegisterServer()
    {
        panel->open();
        client.dialogs.queueAnswer(Answer::Yes);
        typeAndEnter(server);
        client.dialogs.clear();
    }

    // Registers the server, presses "データ転送" (Yes to its questions) and returns the messages
    // shown while the progress dialog was still there.
    QStringList transferNotingOpenProgress()
    {
        openAndRegisterServer();
        QStringList openAtMessage;
        client.dialogs.setObserver([&](const ScriptedDialogs::Shown& shown) {
            if (window.findChild<QProgressDialog*>(QStringLiteral("transferProgress")))
                openAtMessage.append(shown.text);
        });
        client.dialogs.queueAnswer(Answer::Yes);
        client.dialogs.queueAnswer(Answer::Yes);
        click(control<QPushButton>("transferButton"));
        client.dialogs.setObserver({});
        EXPECT_EQ(window.findChild<QProgressDialog*>(QStringLiteral("transferProgress")), nullptr);
        return openAtMessage;
    }

    QWidget window;
    DataFolderPanel* panel = nullptr;
    PlacementBoxesWidget* boxes = nullptr;
};

TEST_F(DataFolderPanelTest, OpensOnTheDataFolderInUseWithTheTransferHidden)
{
    panel->open();

    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(pathLabel(), client.clientFolder());
    EXPECT_EQ(panel->candidate(), client.clientFolder());
    EXPECT_TRUE(files().contains(QStringLiteral("Ma在庫品.dat")));
    EXPECT_TRUE(files().contains(QStringLiteral("Mb在庫品03.dat")));
    EXPECT_FALSE(files().contains(QStringLiteral("M在庫資料"))); // ordinary files only
    EXPECT_FALSE(control<QPushButton>("transferButton")->isVisible());
    EXPECT_FALSE(control<QLineEdit>("dataFolderPathEditor")->isVisible());
    EXPECT_FALSE(control<QLabel>("oldFolderLabel")->isVisible());
    EXPECT_EQ(lamp(), DataFolderPanel::LampIdle);
    EXPECT_TRUE(client.dialogs.shown().isEmpty());
    EXPECT_TRUE(boxes->programFolderBox()->isOn());
    EXPECT_FALSE(boxes->dataFolderBox()->isOn());
}

TEST_F(DataFolderPanelTest, ThePathEditorOpensOverTheLabelAndEnterRegistersTheTypedFolder)
{
    panel->open();
    click(control<QLabel>("dataFolderPathLabel"));
    auto* editor = control<QLineEdit>("dataFolderPathEditor");
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->text(), client.clientFolder());
    EXPECT_EQ(editor->geometry(), control<QLabel>("dataFolderPathLabel")->geometry());
    EXPECT_EQ(editor->palette().color(QPalette::Base), colourFromWindows(DataFolderPanel::EditorBackground));

    QSignalSpy changed(panel, &DataFolderPanel::settingsChanged);
    client.dialogs.queueAnswer(Answer::Yes);
    typeAndEnter(server + QStringLiteral("//"));

    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(pathLabel(), server);
    EXPECT_EQ(control<QLabel>("oldFolderLabel")->text(), client.clientFolder());
    EXPECT_TRUE(control<QLabel>("oldFolderLabel")->isVisible());
    EXPECT_TRUE(control<QPushButton>("transferButton")->isVisible());
    EXPECT_EQ(lamp(), DataFolderPanel::LampChanged);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(clientFile()[1], server);
    EXPECT_EQ(clientFile()[2], client.clientFolder());
    EXPECT_TRUE(files().contains(QStringLiteral("Ma在庫品.dat"))); // the old folder's files

    boxes->refresh();
    EXPECT_TRUE(boxes->dataFolderBox()->isOn());

    panel->resetLight();
    EXPECT_FALSE(control<QPushButton>("transferButton")->isVisible());
    EXPECT_EQ(lamp(), DataFolderPanel::LampIdle);
}

TEST_F(DataFolderPanelTest, RegisteringTheFolderInUseShowsTheSameFolderMessage)
{
    panel->open();
    client.dialogs.queueAnswer(Answer::Yes);
    typeAndEnter(client.clientFolder());

    EXPECT_EQ(client.dialogs.shown().last().text, SameFolderMessage(client.clientFolder(), client.clientFolder()));
    EXPECT_EQ(pathLabel(), client.clientFolder());
    EXPECT_FALSE(control<QLabel>("oldFolderLabel")->isVisible());
    EXPECT_FALSE(control<QPushButton>("transferButton")->isVisible());
    EXPECT_EQ(lamp(), DataFolderPanel::LampIdle);
}

TEST_F(DataFolderPanelTest, TransferButtonMovesTheDataAndTheBoxesFollow)
{
    QObject::connect(panel, &DataFolderPanel::settingsChanged, boxes, &PlacementBoxesWidget::refresh);
    openAndRegisterServer();

    client.dialogs.queueAnswer(Answer::Yes); // transfer
    client.dialogs.queueAnswer(Answer::Yes); // copy
    click(control<QPushButton>("transferButton"));

    ASSERT_EQ(client.dialogs.shown().size(), 3);
    EXPECT_EQ(client.dialogs.shown()[0].text, TransferQuestion(client.clientFolder(), server));
    EXPECT_TRUE(client.dialogs.shown()[0].defaultNo);
    EXPECT_EQ(client.dialogs.shown()[1].text, CopyQuestion(client.clientFolder(), server));
    EXPECT_EQ(client.dialogs.shown()[2].text, TransferCompleteMessage());
    for (const QString& name : copiedFiles())
        EXPECT_TRUE(QFile::exists(server + name)) << name.toStdString();
    EXPECT_EQ(clientFile()[2], server);
    EXPECT_EQ(pathLabel(), server);
    EXPECT_TRUE(files().contains(QStringLiteral("Ma在庫品.dat")));
    EXPECT_TRUE(files().contains(SettingsFileName::Shared));
    EXPECT_EQ(lamp(), DataFolderPanel::LampChanged);
    EXPECT_TRUE(boxes->dataFolderBox()->isOn());
    EXPECT_FALSE(boxes->programFolderBox()->isOn());
}

TEST_F(DataFolderPanelTest, ReturnToTheProgramFolderSwapsTheBoxesAndTheCaptions)
{
    QObject::connect(boxes, &PlacementBoxesWidget::returnedToProgramFolder, panel, &DataFolderPanel::showReturnToProgramFolder);
    openAndRegisterServer();
    client.dialogs.queueAnswer(Answer::Yes);
    client.dialogs.queueAnswer(Answer::Yes);
    click(control<QPushButton>("transferButton"));
    boxes->refresh();
    ASSERT_TRUE(boxes->dataFolderBox()->isOn());
    client.dialogs.clear();

    QSignalSpy closeAll(boxes, &PlacementBoxesWidget::closeAllPanelsRequested);
    QSignalSpy changed(boxes, &PlacementBoxesWidget::settingsChanged);
    client.dialogs.queueAnswer(Answer::No);
    click(boxes->programFolderBox());
    EXPECT_TRUE(boxes->dataFolderBox()->isOn());
    EXPECT_EQ(changed.count(), 0);

    client.state.ColumnCaptions[3].clear();
    client.dialogs.queueAnswer(Answer::Yes);
    client.dialogs.queueAnswer(Answer::Yes); // use the data the transfer left in the program folder again
    click(boxes->programFolderBox());

    EXPECT_EQ(closeAll.count(), 2);
    EXPECT_EQ(changed.count(), 1);
    const auto& shown = client.dialogs.shown();
    ASSERT_GE(shown.size(), 2);
    EXPECT_EQ(shown[shown.size() - 2].text, ReturnToProgramFolderQuestion(server, client.clientFolder()));
    EXPECT_EQ(shown.last().text, UseMovedProgramFolderQuestion(client.clientFolder(), server));
    EXPECT_TRUE(boxes->programFolderBox()->isOn());
    EXPECT_FALSE(boxes->dataFolderBox()->isOn());
    EXPECT_EQ(client.state.ColumnCaptions[3], QStringLiteral("見出し15"));
    EXPECT_EQ(pathLabel(), client.clientFolder());
    EXPECT_EQ(lamp(), DataFolderPanel::LampChanged);
}

TEST_F(DataFolderPanelTest, TheDataFolderBoxExplainsThePlacement)
{
    QSignalSpy closeAll(boxes, &PlacementBoxesWidget::closeAllPanelsRequested);
    click(boxes->dataFolderBox());

    EXPECT_EQ(closeAll.count(), 1);
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].text, PlacementExplanation(client.clientFolder()));
    EXPECT_EQ(client.dialogs.shown()[0].title, QStringLiteral("登録確認"));
}

TEST_F(DataFolderPanelTest, BrowsingSetsTheCandidateAndChangesNoSetting)
{
    panel->open();
    auto* tree = control<QTreeView>("folderChooser");
    auto* model = qobject_cast<QFileSystemModel*>(tree->model());
    ASSERT_NE(model, nullptr);
    tree->setCurrentIndex(model->index(QDir::cleanPath(client.clientFolder() + QStringLiteral("M在庫資料"))));

    EXPECT_EQ(pathLabel(), client.clientFolder() + QStringLiteral("M在庫資料/"));
    EXPECT_EQ(files(), QStringList{QStringLiteral("Mb入出庫月報.xlsx")});
    EXPECT_EQ(clientFile()[1], client.clientFolder());

    // "登　録" registers the browsed folder as Enter does.
    client.dialogs.queueAnswer(Answer::Yes);
    click(control<QPushButton>("registerButton"));
    EXPECT_EQ(clientFile()[1], client.clientFolder() + QStringLiteral("M在庫資料/"));
}

TEST_F(DataFolderPanelTest, AMissingDataFolderOffersTheRecoveryWhenThePanelOpens)
{
    client.state.ClientSettings[ClientLine::DataFolder] = server + QStringLiteral("gone/");
    client.state.DataFolder = server + QStringLiteral("gone/");
    client.dialogs.queueAnswer(Answer::Yes);
    panel->open();

    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].text, PanelRecoveryQuestion(server + QStringLiteral("gone/")));
    EXPECT_EQ(pathLabel(), client.clientFolder());
    EXPECT_EQ(lamp(), DataFolderPanel::LampChanged);
    EXPECT_EQ(clientFile()[1], client.clientFolder());
}

TEST_F(DataFolderPanelTest, TheExplanationButtonShowsItsTextAndIsHiddenByTheOption)
{
    panel->open();
    click(control<QPushButton>("explanationButton"));
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].text, DataFolderPanelExplanation());

    client.state.ClientSettings[ClientLine::HideExplanations] = QStringLiteral("1");
    panel->open();
    EXPECT_FALSE(control<QPushButton>("explanationButton")->isVisible());
}

// A source without the daily in/out workbook (never made): the transfer completes, and no message
// opens while the progress dialog stands (it would open beneath it).
TEST_F(DataFolderPanelTest, ASourceWithoutTheDailyWorkbookCompletesAndTheProgressIsClosedBeforeTheMessage)
{
    QDir(client.clientFolder() + QStringLiteral("M在庫資料")).removeRecursively();
    const QStringList openAtMessage = transferNotingOpenProgress();

    EXPECT_TRUE(openAtMessage.isEmpty()) << openAtMessage.join(u'\n').toStdString();
    EXPECT_EQ(client.dialogs.shown().last().text, TransferCompleteMessage());
    EXPECT_EQ(clientFile()[1], server);
}

TEST_F(DataFolderPanelTest, AFailedCopyIsReportedAfterTheProgressIsClosedAndTheTransferCanBeMadeAgain)
{
    QFile::remove(client.clientFolder() + listFile(4));
    const QStringList openAtMessage = transferNotingOpenProgress();

    EXPECT_TRUE(openAtMessage.isEmpty()) << openAtMessage.join(u'\n').toStdString();
    EXPECT_EQ(client.dialogs.shown().last().text, TransferNotDoneMessage(client.clientFolder(), false));
    EXPECT_EQ(clientFile()[1], client.clientFolder());
    // The target and the button stay, for the next attempt once the list is back.
    EXPECT_EQ(pathLabel(), server);
    EXPECT_TRUE(control<QPushButton>("transferButton")->isVisible());
    QFile::copy(client.clientFolder() + listFile(3), client.clientFolder() + listFile(4));
    client.dialogs.queueAnswer(Answer::Yes);
    client.dialogs.queueAnswer(Answer::Yes);
    click(control<QPushButton>("transferButton"));
    EXPECT_EQ(client.dialogs.shown().last().text, TransferCompleteMessage());
    EXPECT_EQ(clientFile()[1], server);
}

TEST_F(DataFolderPanelTest, AServerFolderInUseIsRegisteredWithoutOverwritingItsData)
{
    // Another client transferred its data into the server folder and works there.
    for (const QString& name : copiedFiles())
        QFile::copy(client.clientFolder() + name, server + name);
    QFile::copy(client.clientFolder() + SettingsFileName::Shared, server + SettingsFileName::Shared);
    WriteTestLedger(server + QStringLiteral("Ma在庫品.dat"), LedgerRecords + 5);
    TempClient::writeBytes(server + QStringLiteral("Ma在庫品履歴.log"), "line of the other client\r\n");
    QFile ownLedger(client.ledgerPath());
    ASSERT_TRUE(ownLedger.open(QIODevice::ReadWrite));
    ownLedger.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
    ownLedger.close();
    const QByteArray serverLedger = TempClient::readBytes(server + QStringLiteral("Ma在庫品.dat"));

    QObject::connect(panel, &DataFolderPanel::settingsChanged, boxes, &PlacementBoxesWidget::refresh);
    openAndRegisterServer();
    client.dialogs.queueAnswer(Answer::Yes); // transfer
    client.dialogs.queueAnswer(Answer::Yes); // keep the server's data
    click(control<QPushButton>("transferButton"));

    const QStringList texts = client.dialogs.texts();
    ASSERT_EQ(texts.size(), 3);
    EXPECT_TRUE(texts[1].contains(QStringLiteral("%1件").arg(LedgerRecords + 5))) << texts[1].toStdString();
    EXPECT_TRUE(texts[1].contains(QStringLiteral("%1件").arg(LedgerRecords))) << texts[1].toStdString();
    EXPECT_TRUE(texts[1].contains(QStringLiteral("転送先のデータのほうが新しく"))) << texts[1].toStdString();
    EXPECT_EQ(texts[2], RegisteredWithoutCopyMessage(server));
    EXPECT_EQ(TempClient::readBytes(server + QStringLiteral("Ma在庫品.dat")), serverLedger);
    EXPECT_EQ(TempClient::readBytes(server + QStringLiteral("Ma在庫品履歴.log")), QByteArray("line of the other client\r\n"));
    EXPECT_EQ(clientFile()[1], server);
    EXPECT_EQ(clientFile()[2], server);
    EXPECT_EQ(pathLabel(), server);
    EXPECT_EQ(lamp(), DataFolderPanel::LampChanged);
    EXPECT_TRUE(boxes->dataFolderBox()->isOn());
}

} // namespace
