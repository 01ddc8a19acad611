// "登　録": appends under the lock, corrections that notice another client's store, the refusals
// and the backup copy.
#include "edit_session_fixture.h"
#include "ledger/ledger_commit.h"
#include "settings/year_rollover.h"
#include "storage/paths.h"
#include "storage/settings_files.h"

#include <QDateTime>
#include <QDir>
#include <functional>

namespace {

TEST_F(EditSessionTest, NewItemIsAppendedAndTheFrameStaysOnItAsACorrection)
{
    session.startNew();
    enterItemNumber(QStringLiteral("B1"));
    enterItemRow(ItemColumn::UnitPrice, QStringLiteral("200"));
    enterItemRow(ItemColumn::PreviousStock, QStringLiteral("4"));
    const double totalBefore = state().TotalStockValue;

    const StoreOutcome stored = session.store();
    ASSERT_TRUE(stored.stored());
    EXPECT_EQ(stored.recordNo, 4);
    EXPECT_EQ(RecordsIn(client.ledgerPath()), 4);
    EXPECT_EQ(ReadItem(client.ledgerPath(), 4).text(ItemField::Number), QStringLiteral("B1"));
    EXPECT_EQ(state().ItemNumbers.row(4).number, QStringLiteral("B1"));
    EXPECT_EQ(state().TotalStockValue, totalBefore + 800);
    EXPECT_EQ(session.modeCaption(), ModeCaption::Correct);
    EXPECT_FALSE(state().EditPending);

    enterMonth(QtyRow::Received, 1, QStringLiteral("1"));
    ASSERT_TRUE(session.store().stored());
    EXPECT_EQ(RecordsIn(client.ledgerPath()), 4) << "a second store rewrites the item";
    EXPECT_EQ(state().TotalStockValue, totalBefore + 1000);
}

TEST_F(EditSessionTest, EmptyOrDuplicateItemNumbersAreNotStoredSilently)
{
    session.startNew();
    EXPECT_EQ(session.store().status, StoreOutcome::Status::Refused);
    EXPECT_TRUE(dialogs().shown().back().text.startsWith(QStringLiteral("在庫品Noが入力されていません。")));

    session.startCorrect(1);
    dialogs().queueAnswer(Dialogs::Answer::Yes);
    ASSERT_TRUE(session.copy());  // keeps A1, which record 1 has
    dialogs().clear();
    EXPECT_EQ(session.store().status, StoreOutcome::Status::Declined);
    ASSERT_EQ(dialogs().shown().size(), 1);
    EXPECT_TRUE(dialogs().shown()[0].question);
    EXPECT_EQ(RecordsIn(client.ledgerPath()), 3);
}

TEST_F(EditSessionTest, AViewOnlyClientCannotStore)
{
    state().ClientSettings[19] = QStringLiteral("1");
    session.startCorrect(1);
    enterMonth(QtyRow::Received, 1, QStringLiteral("1"));
    const QByteArray before = TempClient::readBytes(client.ledgerPath());

    EXPECT_EQ(session.store().status, StoreOutcome::Status::Refused);

    EXPECT_EQ(dialogs().shown().back().text, QStringLiteral("当クライアントは確認のみの設定です。\r登録・訂正は出来ません。"));
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), before);
}

TEST_F(EditSessionTest, TwoClientsStoringNewItemsBothKeepThem)
{
    ScriptedDialogs dialogsB;
    AppState b{dialogsB};
    b.ClientFolder = state().ClientFolder;
    b.DataFolder = state().DataFolder;
    LedgerViewState viewB;
    EditSession sessionB{b, viewB};
    OpenLedger(b);
    CloseLedger(b);

    session.startNew();
    sessionB.startNew();
    EXPECT_EQ(state().CurrentRecordNo, 4);
    EXPECT_EQ(b.CurrentRecordNo, 4);
    enterItemNumber(QStringLiteral("NA"));
    sessionB.selectItemNumber();
    sessionB.commitEntry(QStringLiteral("NB"));

    EXPECT_EQ(session.store().recordNo, 4);
    EXPECT_EQ(sessionB.store().recordNo, 5) << "B's item gets the next free number";
    EXPECT_EQ(b.CurrentRecordNo, 5);
    EXPECT_EQ(ReadItem(client.ledgerPath(), 4).text(ItemField::Number), QStringLiteral("NA"));
    EXPECT_EQ(ReadItem(client.ledgerPath(), 5).text(ItemField::Number), QStringLiteral("NB"));
}

TEST_F(EditSessionTest, CorrectionAsksBeforeOverwritingAnotherClientsStore)
{
    ScriptedDialogs dialogsB;
    AppState b{dialogsB};
    b.ClientFolder = state().ClientFolder;
    b.DataFolder = state().DataFolder;
    LedgerViewState viewB;
    EditSession sessionB{b, viewB};

    session.startCorrect(2);
    sessionB.startCorrect(2);
    sessionB.selectItemCell(ItemColumn::Name);
    sessionB.enterText(QStringLiteral("B's name"));
    ASSERT_TRUE(sessionB.store().stored());

    enterItemRow(ItemColumn::UnitPrice, QStringLiteral("300"));
    dialogs().queueAnswer(Dialogs::Answer::No);
    EXPECT_EQ(session.store().status, StoreOutcome::Status::Declined);
    ASSERT_EQ(dialogs().shown().size(), 1);
    EXPECT_TRUE(dialogs().shown()[0].text.contains(QStringLiteral("他のクライアント")));
    EXPECT_TRUE(dialogs().shown()[0].defaultNo); // Enter keeps the other client's store
    EXPECT_EQ(ReadItem(client.ledgerPath(), 2).text(ItemField::Name), QStringLiteral("B's name"));

    dialogs().queueAnswer(Dialogs::Answer::Yes);
    ASSERT_TRUE(session.store().stored());
    EXPECT_EQ(ReadItem(client.ledgerPath(), 2).text(ItemField::UnitPrice), QStringLiteral("300"));
    dialogs().clear();
    ASSERT_TRUE(session.store().stored());
    EXPECT_TRUE(dialogs().shown().isEmpty()) << "its own store is no change by another client";
}

TEST_F(EditSessionTest, ACorrectionOfAnItemThatAnotherClientMovedNeverLandsOnAnotherItem)
{
    session.startCorrect(2); // A2
    enterItemRow(ItemColumn::UnitPrice, QStringLiteral("300"));
    // Meanwhile another client sorts or deletes: record 2 now holds A3.
    WriteItems(client.ledgerPath(), {MakeItem({QStringLiteral("A1"), QStringLiteral("10"), QStringLiteral("5")}),
                                     MakeItem({QStringLiteral("A3"), QString(), QString()})});
    const QByteArray before = TempClient::readBytes(client.ledgerPath());
    dialogs().setDefaultAnswer(Dialogs::Answer::Yes); // even a hasty Yes must not overwrite A3
    EXPECT_EQ(session.store().status, StoreOutcome::Status::Refused);
    ASSERT_EQ(dialogs().shown().size(), 1);
    EXPECT_FALSE(dialogs().shown()[0].question);
    EXPECT_TRUE(dialogs().shown()[0].text.contains(QStringLiteral("移動しました"))) << dialogs().shown()[0].text.toStdString();
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), before);
}

// Another client rewrote the whole ledger after the frame read the item: by a commit that changed
// the item (an import), or by a year rollover. The frame's copy is older than that; even a hasty Yes
// must not write it back.
TEST_F(EditSessionTest, ACorrectionReadBeforeAWholeLedgerRewriteIsRefused)
{
    ASSERT_TRUE(WriteSharedSettings(state()));
    OtherPc other(state());
    AppState& b = other.state;
    const std::pair<const char*, std::function<bool()>> rewrites[] = {
        {"import", [&] {
             return CommitLedgerEdit(b, [](std::vector<ItemRecord>& records) {
                        records[0].setText(ItemField::UnitPrice, QStringLiteral("555"));
                        return true;
                    }).ok();
         }},
        {"rollover", [&] {
             return RollOverLedgerYear(b, SharedSettingsLineInFile(b, SharedLine::StartMonth), QStringLiteral("2027/04"),
                                       QDateTime::currentDateTime())
                 .ok();
         }},
    };
    for (const auto& [what, rewrite] : rewrites) {
        SCOPED_TRACE(what);
        dialogs().clear();
        session.startCorrect(1); // A1, with month-1 receipts of the ledger year it was read in
        enterItemRow(ItemColumn::UnitPrice, QStringLiteral("300"));
        ASSERT_TRUE(rewrite());
        const QByteArray rewritten = TempClient::readBytes(client.ledgerPath());
        dialogs().setDefaultAnswer(Dialogs::Answer::Yes);
        EXPECT_EQ(session.store().status, StoreOutcome::Status::Refused);
        ASSERT_EQ(dialogs().shown().size(), 1);
        EXPECT_FALSE(dialogs().shown()[0].question);
        EXPECT_TRUE(dialogs().shown()[0].text.contains(std::string(what) == "rollover" ? QStringLiteral("年度更新")
                                                                                      : QStringLiteral("一括処理")))
            << dialogs().shown()[0].text.toStdString();
        EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), rewritten);
    }
}

TEST_F(EditSessionTest, FullLedgerRefusesANewItemWithTheCapacityMessage)
{
    QFile file(client.ledgerPath());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(qint64(AppState::MaxRecords) * ItemRecord::Length));
    file.close();
    session.startNew();
    session.selectItemNumber();
    session.commitEntry(QStringLiteral("Z9"));
    dialogs().clear();
    EXPECT_EQ(session.store().status, StoreOutcome::Status::Refused);
    EXPECT_EQ(dialogs().shown().back().title, QStringLiteral("データ容量確認"));
    EXPECT_EQ(RecordsIn(client.ledgerPath()), AppState::MaxRecords);
}

TEST_F(EditSessionTest, BackupSwitchCopiesTheLedgerAfterEachStore)
{
    const QString copyPath = state().ClientFolder + DataFileName::TemplateFolder + u'/' + DataFileName::Ledger;
    session.startCorrect(1);
    EXPECT_FALSE(session.store().backedUp) << "switch off";
    EXPECT_FALSE(QFile::exists(copyPath));

    state().ClientSettings[ClientLine::Backup] = QStringLiteral("1");
    EXPECT_TRUE(session.store().backedUp);
    EXPECT_EQ(TempClient::readBytes(copyPath), TempClient::readBytes(client.ledgerPath()));

    // A folder that cannot be written to: the store still counts, the copy does not.
    QDir(state().ClientFolder + DataFileName::TemplateFolder).removeRecursively();
    TempClient::writeBytes(state().ClientFolder + DataFileName::TemplateFolder, "not a folder");
    const StoreOutcome outcome = session.store();
    EXPECT_TRUE(outcome.stored());
    EXPECT_FALSE(outcome.backedUp);
}

} // namespace
