// Registering a data folder, the transfer into a new one (sub-folders, verified copies, the
// messages of each failure), the return to the program folder and the recovery question.
#include "settings/data_folder_registration.h"
#include "settings/data_folder_texts.h"
#include "settings/data_folder_transfer.h"

#include "data_folder_fixture.h"
#include "storage/ledger_file.h"
#include "storage/item_record.h"
#include "storage/field_text.h"
#include "storage/file_lock.h"
#include "storage/ledger_append.h"
#include "storage/moved_folder.h"
#include "storage/quoted_text_file.h"
#include "storage/shared_settings_change.h"
#include "support/fault_harness_support.h"

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
    // The data move to a shared folder "old" first (as after an earlier transfer), and the client
    // registers the server: the old folder is the transfer's source.
    QString useSharedSource()
    {
        const QString old = client.root() + QStringLiteral("/old/");
        CopyFolder(client.clientFolder(), old);
        QFile::remove(old + SettingsFileName::Client);
        state().ClientSettings[ClientLine::DataFolder] = old;
        state().ClientSettings[ClientLine::PreviousDataFolder] = old;
        state().ClientSettings[ClientLine::TransferPending] = QStringLiteral("1");
        WriteClientSettings(state());
        state().DataFolder = old;
        registerServer();
        return old;
    }
    // A client started anew on the same program folder, with its own answers.
    struct Restarted {
        ScriptedDialogs dialogs;
        AppState state{dialogs};
    };
    std::unique_ptr<Restarted> restart(std::initializer_list<Answer> answers) const
    {
        auto restarted = std::make_unique<Restarted>();
        restarted->state.ClientFolder = client.clientFolder();
        restarted->state.endProgram = [] {};
        for (Answer answer : answers)
            restarted->dialogs.queueAnswer(answer);
        RunStartupSequence(restarted->state);
        return restarted;
    }
    static int ledgerItems(AppState& state)
    {
        LedgerCloser closer(state);
        return OpenLedger(state) ? state.RecordCount : -1;
    }
};

// A copy that stops the program: the state a transfer killed part-way leaves.
struct Killed {};

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

    // The program folder holds the data the transfer left, marked as moved: using them again is
    // asked separately, No by default, and Yes makes the folder writable again.
    dialogs().clear();
    dialogs().queueAnswer(Answer::Yes);
    EXPECT_FALSE(ReturnToProgramFolder(state()));
    ASSERT_EQ(dialogs().shown().size(), 2);
    EXPECT_EQ(dialogs().shown()[0].text, ReturnToProgramFolderQuestion(server, client.clientFolder()));
    EXPECT_EQ(dialogs().shown()[1].text, UseMovedProgramFolderQuestion(client.clientFolder(), server));
    EXPECT_EQ(clientFile()[1], server);
    EXPECT_TRUE(MovedDataFolder(client.clientFolder()));

    state().EditPending = true;
    dialogs().queueAnswer(Answer::Yes);
    dialogs().queueAnswer(Answer::Yes);
    EXPECT_TRUE(ReturnToProgramFolder(state()));
    EXPECT_FALSE(MovedDataFolder(client.clientFolder()));
    EXPECT_TRUE(ChangeSharedSettings(state(), {{SharedLine::ImportFolder, client.clientFolder()}}).ok);
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

TEST_F(DataFolderTransferTest, WhileCopyingTheOldFolderIsStoppedAndLockedAndAfterwardsItRefusesEveryWrite)
{
    registerServer();
    const QString old = client.clientFolder();
    QStringList seen;
    TransferHooks hooks;
    hooks.copyBytes = [&](QFile& source, QIODevice& target) {
        if (seen.isEmpty()) {
            const SettingsLines shared = sharedFile(old);
            if (ReadFlag(shared[SharedLine::StopAll]) && shared[SharedLine::StopSetBy] == state().PcName)
                seen.append(QStringLiteral("stopped"));
            for (const QString& lock : {QStringLiteral("Ma在庫品.lck"), QStringLiteral("Ma在庫品基礎.lck")})
                if (QFile::exists(old + lock))
                    seen.append(lock);
            if (!MovedDataFolder(old))
                seen.append(QStringLiteral("not marked"));
            if (clientFile()[1] == old && clientFile()[ClientLine::TransferTarget] == server)
                seen.append(QStringLiteral("client on the source"));
        }
        const QByteArray bytes = source.readAll();
        return target.write(bytes) == bytes.size();
    };
    ASSERT_EQ(transfer(Answer::Yes, Answer::Yes, hooks).outcome, TransferOutcome::Transferred);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("stopped"), QStringLiteral("Ma在庫品.lck"),
                                 QStringLiteral("Ma在庫品基礎.lck"), QStringLiteral("not marked"),
                                 QStringLiteral("client on the source")}));

    // Another client still on the old folder: its stores are refused, naming the new folder.
    TempClient other;
    other.state.ClientSettings[ClientLine::DataFolder] = old;
    other.state.DataFolder = old;
    const QByteArray ledger = TempClient::readBytes(old + DataFileName::Ledger);
    const QByteArray settings = TempClient::readBytes(old + SettingsFileName::Shared);
    other.state.CurrentRecord.clear();
    other.state.CurrentRecord.setText(ItemField::Number, QStringLiteral("B1"));
    const AppendResult appended = StoreNewItem(other.state);
    EXPECT_FALSE(appended.stored());
    EXPECT_EQ(appended.io.errorCode, EREMCHG);
    EXPECT_EQ(appended.io.path, server);
    EXPECT_EQ(ChangeSharedSettings(other.state, {{SharedLine::StartMonth, QStringLiteral("2030/04")}}).errorCode, EREMCHG);
    EXPECT_EQ(TempClient::readBytes(old + DataFileName::Ledger), ledger);
    EXPECT_EQ(TempClient::readBytes(old + SettingsFileName::Shared), settings);
    EXPECT_FALSE(QFile::exists(old + DataFileName::ChangeLog));
}

TEST_F(DataFolderTransferTest, AnotherClientHoldingTheLedgerStopsTheTransferBeforeAnythingIsCopied)
{
    registerServer();
    const QByteArray settings = TempClient::readBytes(client.clientFolder() + SettingsFileName::Shared);
    FileLock held(client.clientFolder() + DataFileName::LedgerLock, QStringLiteral("the ledger lock"));
    ASSERT_TRUE(held.take());
    const TransferResult result = transfer(); // waits for the lock as long as every writer does

    EXPECT_EQ(result.outcome, TransferOutcome::NotTransferred);
    EXPECT_EQ(result.failure.errorCode, EBUSY);
    EXPECT_EQ(informed(), QStringList{TransferBusyMessage(client.clientFolder())});
    EXPECT_TRUE(serverEntries().isEmpty());
    EXPECT_FALSE(MovedDataFolder(client.clientFolder()));
    EXPECT_EQ(TempClient::readBytes(client.clientFolder() + SettingsFileName::Shared), settings); // stop released
    EXPECT_EQ(clientFile()[1], client.clientFolder());
    EXPECT_TRUE(clientFile()[ClientLine::TransferTarget].isEmpty());
}

// A second client transfers its own (older) data towards the server folder that the first one
// transferred into and works in.
TEST_F(DataFolderTransferTest, ATargetInUseIsRegisteredAsItIsUnlessReplacingItIsConfirmed)
{
    registerServer();
    ASSERT_EQ(transfer().outcome, TransferOutcome::Transferred);
    state().CurrentRecord.clear();
    state().CurrentRecord.setText(ItemField::Number, QStringLiteral("A-NEW"));
    ASSERT_TRUE(StoreNewItem(state()).stored()); // A's work: the ledger grows, the log gets its line
    const FolderSnapshot serverInUse = TakeSnapshot(server);
    ASSERT_TRUE(serverInUse.contains(DataFileName::ChangeLog));

    struct Case {
        const char* name;
        QList<Answer> answers; // after the transfer question
        TransferOutcome outcome;
        bool replaced;
    };
    const Case cases[] = {
        {"register as it is (the default)", {Answer::Yes}, TransferOutcome::RegisteredWithoutCopy, false},
        {"replacing declined", {Answer::No, Answer::No}, TransferOutcome::Declined, false},
        {"replacing confirmed", {Answer::No, Answer::Yes}, TransferOutcome::Transferred, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CopyFolder(client.root() + QStringLiteral("/nothing"), server);
        for (auto it = serverInUse.begin(); it != serverInUse.end(); ++it) {
            QDir().mkpath(QFileInfo(server + it.key()).absolutePath());
            TempClient::writeBytes(server + it.key(), it.value());
        }
        TempClient b;
        b.state.PcName = QStringLiteral("PC-B");
        b.state.ClientSettings[ClientLine::DataFolder] = b.clientFolder();
        WriteClientSettings(b.state);
        WriteSharedSettings(b.state);
        for (int list = 2; list <= 6; ++list)
            TempClient::writeBytes(b.clientFolder() + listFile(list), QByteArray());
        WriteTestLedger(b.ledgerPath(), 3);
        QFile ledgerOfB(b.ledgerPath());
        ASSERT_TRUE(ledgerOfB.open(QIODevice::ReadWrite));
        ASSERT_TRUE(ledgerOfB.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
        ledgerOfB.close();
        b.dialogs.queueAnswer(Answer::Yes);
        ASSERT_EQ(RegisterDataFolder(b.state, server).outcome, RegisterOutcome::Registered);
        b.dialogs.clear();

        const QString question = TargetHoldsDataQuestion(b.clientFolder(), ReadLedgerFacts(b.clientFolder()), server,
                                                         ReadLedgerFacts(server));
        b.dialogs.queueAnswer(Answer::Yes);
        for (Answer answer : c.answers)
            b.dialogs.queueAnswer(answer);
        const TransferResult result = TransferDataFolder(b.state, server);

        EXPECT_EQ(result.outcome, c.outcome);
        const QList<ScriptedDialogs::Shown>& shown = b.dialogs.shown();
        ASSERT_GE(shown.size(), 2);
        EXPECT_EQ(shown[1].text, question);
        EXPECT_TRUE(shown[1].text.contains(QStringLiteral("%1件").arg(LedgerRecords + 1)));
        EXPECT_TRUE(shown[1].text.contains(QStringLiteral("3件")));
        EXPECT_TRUE(shown[1].text.contains(QStringLiteral("転送先のデータのほうが新しく")));
        if (c.answers.size() > 1) {
            ASSERT_GE(shown.size(), 3);
            EXPECT_TRUE(shown[2].question && shown[2].defaultNo);
        }
        const FolderSnapshot now = TakeSnapshot(server);
        if (!c.replaced) {
            EXPECT_EQ(now, serverInUse); // A's work and its log lines are all there
            continue;
        }
        EXPECT_EQ(now.value(DataFileName::Ledger), TempClient::readBytes(b.ledgerPath()));
        EXPECT_FALSE(now.contains(DataFileName::ChangeLog)); // B has none: A's log was kept aside
        // What was replaced is kept, dated, in the server's output folder.
        QStringList kept;
        for (const QString& path : result.keptCopies) {
            const QString name = QFileInfo(path).fileName();
            kept.append(name.left(name.indexOf(QStringLiteral("_置換前_"))));
            const QString original = name.startsWith(QStringLiteral("Ma在庫品履歴")) ? DataFileName::ChangeLog
                : name.startsWith(QStringLiteral("Ma在庫品基礎"))                ? SettingsFileName::Shared
                : name.startsWith(QStringLiteral("Ma在庫品_"))                   ? DataFileName::Ledger
                                                                                  : QString();
            if (!original.isEmpty())
                EXPECT_EQ(TempClient::readBytes(path), serverInUse.value(original)) << name.toStdString();
            EXPECT_TRUE(path.startsWith(server + QStringLiteral("M在庫台帳/"))) << path.toStdString();
        }
        for (const char* base : {"Ma在庫品", "Ma在庫品履歴", "Ma在庫品基礎"})
            EXPECT_TRUE(kept.contains(QString::fromUtf8(base))) << base;
    }
}

TEST_F(DataFolderTransferTest, AKilledTransferIsGivenUpOrFinishedAtTheNextStartNeverLeftOnTheProgramFolder)
{
    struct Case {
        const char* name;
        std::initializer_list<Answer> answers; // the start-up's questions
        bool onTarget;
        bool stillPending;
    };
    const Case cases[] = {
        {"given up (the default)", {Answer::Yes}, false, false},
        {"finished", {Answer::No, Answer::Yes}, true, false},
        {"left for later", {Answer::No, Answer::No}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(client.root() + QStringLiteral("/old")).removeRecursively();
        CopyFolder(client.root() + QStringLiteral("/nothing"), server);
        const QString old = useSharedSource();
        const FolderSnapshot oldBefore = TakeSnapshot(old);
        TransferHooks hooks;
        hooks.copyBytes = [](QFile& source, QIODevice& target) {
            if (source.fileName().endsWith(DataFileName::Ledger))
                throw Killed{};
            const QByteArray bytes = source.readAll();
            return target.write(bytes) == bytes.size();
        };
        dialogs().queueAnswer(Answer::Yes);
        dialogs().queueAnswer(Answer::Yes);
        EXPECT_THROW(TransferDataFolder(state(), server, hooks), Killed);
        ASSERT_EQ(clientFile()[1], old);
        ASSERT_EQ(clientFile()[ClientLine::TransferTarget], server);

        const auto restarted = restart(c.answers);
        AppState& again = restarted->state;
        EXPECT_EQ(restarted->dialogs.shown().value(0).text, HalfDoneTransferQuestion(old, server));
        if (c.answers.size() > 1) // copying into the target again is asked with No under Enter
            EXPECT_TRUE(restarted->dialogs.shown().value(1).defaultNo);
        EXPECT_EQ(again.DataFolder, c.onTarget ? server : old);
        EXPECT_EQ(clientFile()[1], c.onTarget ? server : old);
        EXPECT_EQ(clientFile()[ClientLine::TransferTarget], c.stillPending ? server : QString());
        EXPECT_EQ(ledgerItems(again), LedgerRecords);
        EXPECT_EQ(MovedDataFolder(old).has_value(), c.onTarget);
        // The old folder's data are as they were; the stop is gone unless the choice was put off.
        FolderSnapshot oldNow = TakeSnapshot(old);
        oldNow.remove(DataFileName::MovedMark);
        SettingsLines oldShared = sharedFile(old);
        EXPECT_EQ(ReadFlag(oldShared[SharedLine::StopAll]), c.stillPending);
        SettingsLines sharedBefore;
        ReadSettingsLines(SplitTextLines(oldBefore.value(SettingsFileName::Shared)), sharedBefore);
        oldShared[SharedLine::StopAll] = sharedBefore[SharedLine::StopAll];
        oldShared[SharedLine::StopSetBy] = sharedBefore[SharedLine::StopSetBy];
        EXPECT_EQ(oldShared, sharedBefore);
        FolderSnapshot dataBefore = oldBefore;
        dataBefore.remove(SettingsFileName::Shared);
        oldNow.remove(SettingsFileName::Shared);
        EXPECT_EQ(oldNow, dataBefore);
        for (const QString& entry : serverEntries())
            EXPECT_TRUE(c.stillPending || !entry.endsWith(QStringLiteral(".転送中"))) << entry.toStdString();
        if (c.onTarget)
            for (const QString& name : copiedFiles())
                EXPECT_EQ(TempClient::readBytes(server + name), oldBefore.value(name)) << name.toStdString();
        ASSERT_FALSE(restarted->dialogs.shown().isEmpty());
        EXPECT_NE(restarted->dialogs.shown().last().text, PanelRecoveryQuestion(server));
    }
}

TEST_F(DataFolderTransferTest, ATransferKilledAfterTheOldFolderWasMarkedEndsByItselfAtTheNextStart)
{
    const QString old = useSharedSource();
    ASSERT_EQ(transfer().outcome, TransferOutcome::Transferred);
    // The last steps undone by hand: the client still on the old folder, the stop and the
    // transfer's mark still there.
    state().ClientSettings[ClientLine::DataFolder] = old;
    state().ClientSettings[ClientLine::PreviousDataFolder] = old;
    state().ClientSettings[ClientLine::TransferTarget] = server;
    WriteClientSettings(state());
    ASSERT_TRUE(ChangeSharedSettingsAfterMove(state(), {{SharedLine::StopAll, QStringLiteral("1")},
                                                        {SharedLine::StopSetBy, state().PcName}}));
    TempClient::writeBytes(server + QStringLiteral("Ma在庫品転送中.dat"), "\"x\"\r\n");

    const auto restarted = restart({});
    EXPECT_EQ(restarted->state.DataFolder, server);
    EXPECT_EQ(restarted->dialogs.texts(), QStringList{TransferCompletedLaterMessage(server)});
    EXPECT_EQ(clientFile()[1], server);
    EXPECT_TRUE(clientFile()[ClientLine::TransferTarget].isEmpty());
    EXPECT_FALSE(ReadFlag(sharedFile(old)[SharedLine::StopAll]));
    EXPECT_FALSE(QFile::exists(server + QStringLiteral("Ma在庫品転送中.dat")));
    EXPECT_EQ(ledgerItems(restarted->state), LedgerRecords);
}

TEST_F(DataFolderTransferTest, ARegisteredFolderWithoutDataOffersTheFolderUsedBeforeAtTheNextStart)
{
    const QString old = useSharedSource(); // registered, never transferred

    const auto restarted = restart({Answer::Yes});
    EXPECT_EQ(restarted->dialogs.shown().value(0).text, NoDataYetQuestion(server, old));
    EXPECT_EQ(restarted->state.DataFolder, old);
    EXPECT_EQ(clientFile()[1], old);
    EXPECT_EQ(ledgerItems(restarted->state), LedgerRecords);
    EXPECT_EQ(restarted->dialogs.shown().size(), 1);
}

} // namespace
