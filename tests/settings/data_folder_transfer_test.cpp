// Registering a data folder, the transfer into a new one (sub-folders, verified copies, the
// messages of each failure), the return to the program folder and the recovery question.
#include "settings/data_folder_registration.h"
#include "settings/data_folder_texts.h"
#include "settings/data_folder_transfer.h"

#include "data_folder_fixture.h"
#include "storage/ledger_file.h"
#include "storage/item_record.h"
#include "storage/field_text.h"
#include "storage/moved_folder.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

using Answer = Dialogs::Answer;

class DataFolderTransferTest : public ::testing::Test, public DataFolderFixture {
protected:
    AppState& state() { return client.state; }
    ScriptedDialogs& dialogs() { return client.dialogs; }

    // Registers the server folder (Yes), as the panel's path editor does before a transfer.
    void registerServer()
    {
        dialogs().queueAnswer(Answer::Yes);
        ASSERT_EQ(RegisterDataFolder(state(), server).outcome, RegisterOutcome::Registered);
        dialogs().clear();
    }
    // Transfer towards the server with the given answers to the transfer and the copy question.
    TransferResult transfer(Answer transferAnswer = Answer::Yes, Answer copyAnswer = Answer::Yes,
                            const TransferHooks& hooks = {})
    {
        dialogs().queueAnswer(transferAnswer);
        dialogs().queueAnswer(copyAnswer);
        return TransferDataFolder(state(), server, hooks);
    }
    QStringList informed() const
    {
        QStringList texts;
        for (const auto& shown : client.dialogs.shown())
            if (!shown.question)
                texts.append(shown.text);
        return texts;
    }
    bool sameBytes(const QString& name) const
    {
        return QFile::exists(server + name)
            && TempClient::readBytes(client.clientFolder() + name) == TempClient::readBytes(server + name);
    }
    QStringList serverEntries() const
    {
        return QDir(server).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
};

TEST(NormaliseCandidate, TrimsAndKeepsExactlyOneTrailingSeparator)
{
    struct Case {
        QString typed;
        QString candidate;
    };
    const Case cases[] = {
        {QStringLiteral("  /srv/tev///  "), QStringLiteral("/srv/tev/")},
        {QStringLiteral("/srv/tev"), QStringLiteral("/srv/tev/")},
        {QStringLiteral("x"), QString()},
        {QStringLiteral("  x  "), QString()},
        {QString(), QString()},
        {QStringLiteral("ab"), QStringLiteral("ab/")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormaliseCandidate(c.typed), c.candidate) << c.typed.toStdString();
}

TEST_F(DataFolderTransferTest, RegisteringAPathWithThreeTrailingSeparatorsStoresExactlyOne)
{
    dialogs().queueAnswer(Answer::Yes);
    const RegisterResult result = RegisterDataFolder(state(), QStringLiteral(" ") + server + QStringLiteral("//"));

    EXPECT_EQ(result.outcome, RegisterOutcome::Registered);
    EXPECT_EQ(result.pathLabel, server);
    EXPECT_EQ(result.oldFolder, client.clientFolder());
    ASSERT_EQ(dialogs().shown().size(), 1);
    EXPECT_EQ(dialogs().shown()[0].text, RegisterQuestion(client.clientFolder()));
    const SettingsLines file = clientFile();
    EXPECT_EQ(file[1], server);
    EXPECT_EQ(file[2], client.clientFolder());
    EXPECT_EQ(file[3], QStringLiteral("1"));
    EXPECT_EQ(state().DataFolder, server);
    EXPECT_TRUE(serverEntries().isEmpty()); // registering copies nothing
}

TEST_F(DataFolderTransferTest, RefusedRegistrationsChangeNothing)
{
    struct Case {
        const char* name;
        QString typed;
        std::optional<Answer> answer;
        RegisterOutcome outcome;
        QString message;
    };
    const QString inUse = client.clientFolder();
    const Case cases[] = {
        {"one character", QStringLiteral("x"), std::nullopt, RegisterOutcome::EmptyPath, EmptyPathMessage()},
        {"same folder", inUse, Answer::Yes, RegisterOutcome::SameFolder, SameFolderMessage(inUse, inUse)},
        {"same folder spelt otherwise", inUse + QStringLiteral("/./"), Answer::Yes, RegisterOutcome::SameFolder,
         SameFolderMessage(inUse, inUse)},
        {"declined", server, Answer::No, RegisterOutcome::Declined, QString()},
        // The settings file would store another path than the one typed.
        {"double quote", server + QStringLiteral("a\"b"), std::nullopt, RegisterOutcome::UnstorablePath,
         UnstorablePathMessage(server + QStringLiteral("a\"b/"))},
        {"outside the code page", server + QStringLiteral("\U0001F600"), std::nullopt, RegisterOutcome::UnstorablePath,
         UnstorablePathMessage(server + QStringLiteral("\U0001F600/"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs().clear();
        if (c.answer)
            dialogs().queueAnswer(*c.answer);
        const RegisterResult result = RegisterDataFolder(state(), c.typed);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.pathLabel, inUse);
        if (!c.message.isEmpty()) {
            ASSERT_FALSE(informed().isEmpty());
            EXPECT_EQ(informed().last(), c.message);
        }
        EXPECT_EQ(clientFile()[1], inUse);
        EXPECT_EQ(clientFile()[3], QStringLiteral("0"));
        EXPECT_EQ(state().DataFolder, inUse);
    }
}

TEST_F(DataFolderTransferTest, TransferCopiesEverythingRegistersTheTargetAndWritesItsSharedSettings)
{
    registerServer();
    int progressSteps = 0;
    TransferHooks hooks;
    hooks.progress = [&](int, int, const QString&) { ++progressSteps; };
    const TransferResult result = transfer(Answer::Yes, Answer::Yes, hooks);

    EXPECT_EQ(result.outcome, TransferOutcome::Transferred);
    EXPECT_EQ(result.source, client.clientFolder());
    EXPECT_TRUE(result.failedFiles.isEmpty());
    EXPECT_EQ(progressSteps, 7);
    for (const QString& name : copiedFiles())
        EXPECT_TRUE(sameBytes(name)) << name.toStdString();
    EXPECT_TRUE(sameBytes(QStringLiteral("M在庫資料/Mb入出庫月報.xlsx")));
    for (const QString& folder : {QStringLiteral("M在庫台帳"), QStringLiteral("M在庫資料"), QStringLiteral("原本Excel")})
        EXPECT_TRUE(QFileInfo(server + folder).isDir()) << folder.toStdString();

    const SettingsLines file = clientFile();
    EXPECT_EQ(file[1], server);
    EXPECT_EQ(file[2], server);
    EXPECT_EQ(file[3], QStringLiteral("1"));
    EXPECT_TRUE(file[ClientLine::TransferTarget].isEmpty());
    EXPECT_EQ(state().DataFolder, server);
    SettingsLines shared;
    ASSERT_TRUE(ReadSettingsFile(server + SettingsFileName::Shared, shared));
    EXPECT_EQ(shared[SharedLine::StartMonth], QStringLiteral("2026/04"));
    EXPECT_EQ(shared[SharedLine::FirstCaption], QStringLiteral("見出し14"));
    // The old folder names the new one; the stop set for the copies is released in both.
    EXPECT_EQ(MovedDataFolder(client.clientFolder()), std::optional<QString>(server));
    EXPECT_FALSE(QFile::exists(server + QStringLiteral("Ma在庫品転送中.dat")));
    for (const SettingsLines& lines : {shared, sharedFile(client.clientFolder())}) {
        EXPECT_FALSE(ReadFlag(lines[SharedLine::StopAll]));
        EXPECT_TRUE(lines[SharedLine::StopSetBy].isEmpty());
    }
    ASSERT_FALSE(informed().isEmpty());
    EXPECT_EQ(informed().last(), TransferCompleteMessage());
    EXPECT_EQ(informed().size(), 1);

    // No temporary copy or lock is left behind.
    for (const QString& entry : serverEntries())
        EXPECT_FALSE(entry.contains(QStringLiteral(".dat.")) || entry.startsWith(u'.') || entry.endsWith(QStringLiteral(".lck")))
            << entry.toStdString();

    // A second client that registers the transferred folder sees the same ledger and lists.
    TempClient second;
    second.state.ClientSettings[ClientLine::DataFolder] = second.clientFolder();
    second.dialogs.queueAnswer(Answer::Yes);
    ASSERT_EQ(RegisterDataFolder(second.state, server).outcome, RegisterOutcome::Registered);
    ASSERT_TRUE(ReadSharedSettings(second.state));
    ReadVocabularyLists(second.state);
    EXPECT_EQ(second.state.Vocabulary.entry(4, 2).word, QStringLiteral("語4b"));
    ASSERT_TRUE(OpenLedger(second.state));
    EXPECT_EQ(second.state.RecordCount, LedgerRecords);
    for (int n = 1; n <= LedgerRecords; ++n) {
        ASSERT_TRUE(ReadRecord(second.state, n));
        EXPECT_EQ(second.state.CurrentRecord.text(ItemField::Number), QStringLiteral("A%1").arg(n));
    }
    CloseLedger(second.state);
}

TEST_F(DataFolderTransferTest, TheRecipientsThePasswordAndTheChangeLogTravelWithTheData)
{
    for (const char* name : {"Mb在庫品メール.dat", "Ma在庫品認証.dat", "Ma在庫品履歴.log"})
        TempClient::writeBytes(client.clientFolder() + QString::fromUtf8(name), QByteArray("\"x\"\r\n") + name);
    registerServer();
    const TransferResult result = transfer(Answer::Yes, Answer::Yes, TransferHooks{});
    ASSERT_EQ(result.outcome, TransferOutcome::Transferred);
    EXPECT_TRUE(result.failedFiles.isEmpty());
    for (const char* name : {"Mb在庫品メール.dat", "Ma在庫品認証.dat", "Ma在庫品履歴.log"})
        EXPECT_TRUE(sameBytes(QString::fromUtf8(name))) << name;
}

TEST_F(DataFolderTransferTest, RefusedTransfersCreateAndCopyNothing)
{
    struct Case {
        const char* name;
        QString pathLabel;
        QString message;
    };
    registerServer();
    const QString source = client.clientFolder();
    const Case cases[] = {
        {"program folder", source, TargetIsProgramFolderMessage(source)},
        {"empty", QString(), EmptyPathMessage()},
        {"double quote", client.root() + QStringLiteral("/a\"b/"), UnstorablePathMessage(client.root() + QStringLiteral("/a\"b/"))},
        {"missing", client.root() + QStringLiteral("/nowhere/"),
         TargetMissingMessage(client.root() + QStringLiteral("/nowhere/"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs().clear();
        const TransferResult result = TransferDataFolder(state(), c.pathLabel);
        EXPECT_NE(result.outcome, TransferOutcome::Transferred);
        ASSERT_EQ(dialogs().shown().size(), 1);
        EXPECT_EQ(dialogs().shown()[0].text, c.message);
        EXPECT_FALSE(QFileInfo(source + QStringLiteral("M在庫台帳")).exists());
        EXPECT_FALSE(QFileInfo(client.root() + QStringLiteral("/nowhere")).exists());
        EXPECT_EQ(clientFile()[1], server);
        EXPECT_EQ(state().DataFolder, server); // still the registered folder
    }
    EXPECT_TRUE(serverEntries().isEmpty());
}

TEST_F(DataFolderTransferTest, TransferOntoItsOwnSourceIsRefused)
{
    // The data already live on the server; line 2 names it as the source too.
    state().ClientSettings[ClientLine::DataFolder] = server;
    state().ClientSettings[ClientLine::PreviousDataFolder] = server;
    WriteClientSettings(state());
    state().DataFolder = server;
    const TransferResult result = TransferDataFolder(state(), server + QStringLiteral("/"));

    EXPECT_EQ(result.outcome, TransferOutcome::RefusedSameAsSource);
    ASSERT_EQ(dialogs().shown().size(), 1);
    EXPECT_EQ(dialogs().shown()[0].text, TargetIsSourceMessage(server, server));
    EXPECT_TRUE(serverEntries().isEmpty());
}

TEST_F(DataFolderTransferTest, AnExistingSubFolderIsUsedAndTheMissingOnesAreCreated)
{
    QDir().mkdir(server + QStringLiteral("M在庫台帳"));
    registerServer();
    const TransferResult result = transfer();

    EXPECT_EQ(result.outcome, TransferOutcome::Transferred);
    EXPECT_TRUE(QFileInfo(server + QStringLiteral("M在庫資料")).isDir());
    EXPECT_TRUE(QFileInfo(server + QStringLiteral("原本Excel")).isDir());
    for (const QString& name : copiedFiles())
        EXPECT_TRUE(sameBytes(name)) << name.toStdString();
    EXPECT_TRUE(sameBytes(QStringLiteral("M在庫資料/Mb入出庫月報.xlsx")));
    EXPECT_EQ(informed(), QStringList{TransferCompleteMessage()});
}

TEST_F(DataFolderTransferTest, ASourceWithoutTheOptionalFilesTransfersCompletely)
{
    // No daily in/out workbook, change log, mail addresses or password were ever made.
    QDir(client.clientFolder() + QStringLiteral("M在庫資料")).removeRecursively();
    registerServer();
    const TransferResult result = transfer();

    EXPECT_EQ(result.outcome, TransferOutcome::Transferred);
    EXPECT_TRUE(result.failedFiles.isEmpty());
    EXPECT_EQ(informed(), QStringList{TransferCompleteMessage()});
    EXPECT_FALSE(QFile::exists(dailyWorkbook(server)));
    EXPECT_EQ(clientFile()[1], server);
}

TEST_F(DataFolderTransferTest, AMissingListFileKeepsTheClientOnTheSourceAndPlacesNothing)
{
    QFile::remove(client.clientFolder() + listFile(4));
    const QByteArray sourceSettings = TempClient::readBytes(client.clientFolder() + SettingsFileName::Shared);
    registerServer();
    const TransferResult result = transfer();

    EXPECT_EQ(result.outcome, TransferOutcome::NotTransferred);
    EXPECT_EQ(result.failedFiles, QStringList{listFile(4)});
    EXPECT_EQ(informed(), (QStringList{CopyFailedMessage(listFile(4), QStringLiteral("ファイルが見つかりません。")),
                                       TransferNotDoneMessage(client.clientFolder(), false)}));
    // Nothing took its place in the target; the source is neither marked nor left stopped.
    for (const QString& name : copiedFiles())
        EXPECT_FALSE(QFile::exists(server + name)) << name.toStdString();
    for (const QString& entry : serverEntries())
        EXPECT_FALSE(entry.endsWith(QStringLiteral(".転送中"))) << entry.toStdString();
    EXPECT_FALSE(MovedDataFolder(client.clientFolder()));
    EXPECT_EQ(TempClient::readBytes(client.clientFolder() + SettingsFileName::Shared), sourceSettings);
    const SettingsLines file = clientFile();
    EXPECT_EQ(file[1], client.clientFolder());
    EXPECT_EQ(file[2], client.clientFolder());
    EXPECT_TRUE(file[ClientLine::TransferTarget].isEmpty());
    EXPECT_EQ(state().DataFolder, client.clientFolder());
}

TEST_F(DataFolderTransferTest, DecliningTheCopiesStillRegistersAndWritesTheTargetsSharedSettings)
{
    registerServer();
    const TransferResult result = transfer(Answer::Yes, Answer::No);

    EXPECT_EQ(result.outcome, TransferOutcome::RegisteredWithoutCopy);
    EXPECT_FALSE(result.copiesAccepted);
    for (const QString& name : copiedFiles())
        EXPECT_FALSE(QFile::exists(server + name)) << name.toStdString();
    EXPECT_FALSE(QFile::exists(dailyWorkbook(server)));
    EXPECT_TRUE(QFile::exists(server + SettingsFileName::Shared));
    EXPECT_EQ(clientFile()[1], server);
    EXPECT_EQ(clientFile()[2], server);
    // Nothing was copied, and the message says so.
    EXPECT_EQ(informed(), QStringList{RegisteredWithoutCopyMessage(server)});
    EXPECT_FALSE(MovedDataFolder(client.clientFolder()));
}

TEST_F(DataFolderTransferTest, DecliningTheTransferLeavesTheClientWhereItWas)
{
    registerServer();
    const TransferResult result = transfer(Answer::No);

    EXPECT_EQ(result.outcome, TransferOutcome::Declined);
    EXPECT_TRUE(serverEntries().isEmpty());
    EXPECT_EQ(state().DataFolder, server);
    EXPECT_EQ(clientFile()[2], client.clientFolder());
}

TEST_F(DataFolderTransferTest, AShortCopyIsReportedAndLeavesTheTargetsOldFileInPlace)
{
    const QByteArray oldLedger = QByteArray(ItemRecord::Length, ' ');
    TempClient::writeBytes(server + QStringLiteral("Ma在庫品.dat"), oldLedger);
    registerServer();
    TransferHooks hooks;
    hooks.copyBytes = [](QFile& source, QIODevice& target) {
        QByteArray bytes = source.readAll();
        if (source.fileName().endsWith(QStringLiteral("Ma在庫品.dat")))
            bytes.chop(100); // a copy that stops early without an error
        return target.write(bytes) == bytes.size();
    };
    // The target holds a ledger: its data are replaced only after the separate confirmation.
    dialogs().queueAnswer(Answer::Yes);
    dialogs().queueAnswer(Answer::No);
    dialogs().queueAnswer(Answer::Yes);
    const TransferResult result = TransferDataFolder(state(), server, hooks);

    EXPECT_EQ(result.outcome, TransferOutcome::NotTransferred);
    EXPECT_EQ(result.failedFiles, QStringList{QStringLiteral("Ma在庫品.dat")});
    EXPECT_EQ(informed(), (QStringList{CopyFailedMessage(QStringLiteral("Ma在庫品.dat"), CopyDiffersReason()),
                                       TransferNotDoneMessage(client.clientFolder(), false)}));
    EXPECT_EQ(TempClient::readBytes(server + QStringLiteral("Ma在庫品.dat")), oldLedger);
    EXPECT_FALSE(QFile::exists(server + listFile(2)));
    for (const QString& entry : QDir(server).entryList(QDir::Files | QDir::Hidden))
        EXPECT_FALSE(entry.startsWith(QStringLiteral("Ma在庫品.dat."))) << entry.toStdString();
    EXPECT_EQ(clientFile()[1], client.clientFolder());
}

TEST_F(DataFolderTransferTest, ClientLine26KeepsTheTemplateFolderFromBeingCreated)
{
    state().ClientSettings[ClientLine::NoTemplateFolderOnTransfer] = QStringLiteral("1");
    WriteClientSettings(state());
    registerServer();
    transfer();

    EXPECT_TRUE(QFileInfo(server + QStringLiteral("M在庫資料")).isDir());
    EXPECT_FALSE(QFileInfo::exists(server + QStringLiteral("原本Excel")));
}

TEST_F(DataFolderTransferTest, ReturnToTheProgramFolderReadsItsSettingsAndLists)
{
    registerServer();
    transfer();
    // The server's copy changes; the program folder keeps the old captions and words.
    state().SharedSettings[SharedLine::FirstCaption + 1] = QStringLiteral("サーバー品名");
    WriteSharedSettings(state());
    dialogs().clear();

    dialogs().queueAnswer(Answer::No);
    EXPECT_FALSE(ReturnToProgramFolder(state()));
    EXPECT_EQ(clientFile()[1], server);

    state().EditPending = true;
    dialogs().queueAnswer(Answer::Yes);
    EXPECT_TRUE(ReturnToProgramFolder(state()));
    EXPECT_EQ(dialogs().shown().last().text, ReturnToProgramFolderQuestion(server, client.clientFolder()));
    const SettingsLines file = clientFile();
    EXPECT_EQ(file[1], client.clientFolder());
    EXPECT_EQ(file[2], client.clientFolder());
    EXPECT_EQ(file[3], QStringLiteral("0"));
    EXPECT_EQ(state().DataFolder, client.clientFolder());
    EXPECT_FALSE(state().EditPending);
    EXPECT_EQ(state().SharedSettings[SharedLine::FirstCaption + 1], QStringLiteral("見出し15"));
    EXPECT_EQ(state().ColumnCaptions[3], QStringLiteral("見出し15"));
    EXPECT_EQ(state().Vocabulary.entry(2, 1).word, QStringLiteral("語2a"));
    EXPECT_TRUE(QFile::exists(server + QStringLiteral("Ma在庫品.dat"))); // nothing copied back or removed
}

TEST_F(DataFolderTransferTest, AMissingDataFolderLeadsToTheRecoveryQuestionWhenThePanelOpens)
{
    registerServer();
    QDir(server).removeRecursively();

    dialogs().queueAnswer(Answer::No);
    EXPECT_EQ(PrepareDataFolderPanel(state()), PanelOpening::Unusable);
    ASSERT_EQ(dialogs().shown().size(), 1); // one question, not the general recovery as well
    EXPECT_EQ(dialogs().shown()[0].text, PanelRecoveryQuestion(server));
    EXPECT_EQ(state().DataFolder, server);

    dialogs().queueAnswer(Answer::Yes);
    EXPECT_EQ(PrepareDataFolderPanel(state()), PanelOpening::Recovered);
    EXPECT_EQ(clientFile()[1], client.clientFolder());
    EXPECT_EQ(clientFile()[3], QStringLiteral("0"));
    EXPECT_EQ(state().DataFolder, client.clientFolder());
    EXPECT_EQ(state().SharedSettings[SharedLine::StartMonth], QStringLiteral("2026/04"));

    dialogs().clear();
    EXPECT_EQ(PrepareDataFolderPanel(state()), PanelOpening::Ready);
    EXPECT_TRUE(dialogs().shown().isEmpty());
}

} // namespace
