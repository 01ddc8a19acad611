// Four clients keep storing new items and entering receipts on a shared data folder while a fifth
// one transfers the folder's data to a new folder. Two of the four have administrator rights (the
// stop of all clients does not hold them back; only the ledger lock and the mark of the moved
// folder do), two have not. None of them ever registers the new folder. Afterwards:
//   - every item a client was told it stored is in the new folder's ledger, once, and every
//     receipt it was told it entered is in the new ledger's quantities;
//   - every store that was not made was refused with the moved folder's message, the stop of all
//     clients or another client's lock, never for another reason;
//   - nothing was written to the old folder after the transfer ended (its ledger and change log are
//     those of the new folder, byte for byte);
//   - every item the new change log names is in the new ledger.
#include "cli/cli_process_helper.h"
#include "storage/app_state.h"
#include "storage/change_log.h"
#include "storage/field_text.h"
#include "storage/item_record.h"
#include "storage/ledger_append.h"
#include "storage/paths.h"
#include "storage/scripted_dialogs.h"
#include "storage/settings_files.h"
#include "storage/vocabulary.h"
#include "support/fault_harness_support.h"

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int ClientSeconds = 14;
constexpr int TransferAfterMs = 4000;
constexpr int SeededItems = 300;
const QString MovedText = QStringLiteral("移動しました");

struct Client {
    QString name;
    QString folder;
    QString moveItem;
    bool administrator = false;
    std::unique_ptr<QProcess> process;
    QStringList lines;
};

std::unique_ptr<QProcess> start(const QString& program, const QStringList& args)
{
    return StartClientProcess(QStringLiteral(TEV_BIN_DIR "/") + program, args);
}

void writeClientSettings(const QString& folder, const QString& dataFolder, const QString& previous, bool administrator)
{
    QDir().mkpath(folder);
    QStringList lines(50);
    lines[ClientLine::DataFolder - 1] = dataFolder;
    lines[ClientLine::PreviousDataFolder - 1] = previous;
    lines[ClientLine::TransferPending - 1] = dataFolder == previous ? QStringLiteral("0") : QStringLiteral("1");
    lines[ClientLine::Administrator - 1] = administrator ? QStringLiteral("1") : QStringLiteral("0");
    TempClient::writeSettings(folder + SettingsFileName::Client, lines);
}

// The shared folder: settings, word lists, the items every client enters receipts for, then more.
void seedSharedFolder(const QString& folder, const QStringList& moveItems)
{
    ScriptedDialogs dialogs;
    AppState state(dialogs);
    state.ClientFolder = folder;
    state.DataFolder = folder;
    state.PcName = QStringLiteral("SEED");
    state.SharedSettings[SharedLine::StartMonth] = QStringLiteral("2026/04");
    for (int list = VocabularyTable::FirstUsedList; list <= VocabularyTable::LastUsedList; ++list) {
        state.Vocabulary.setEntry(list, 1, VocabularyEntry{QStringLiteral("1"), QStringLiteral("語%1").arg(list)});
        state.SharedSettings[ListCountLine(list)] = QStringLiteral("2");
    }
    ASSERT_TRUE(WriteSettingsFile(folder + SettingsFileName::Shared, state.SharedSettings));
    ASSERT_TRUE(WriteVocabularyLists(state));
    ChangeLog log(state, ChangeOperation::Appended);
    int m = 0;
    const AppendResult targets = AppendRecords(
        state, int(moveItems.size()),
        [&](int, ItemRecord& record) {
            record.setText(ItemField::Number, moveItems[m++]);
            record.setText(ItemField::Name, QStringLiteral("入庫品"));
            record.setText(ItemField::Unit, QStringLiteral("個"));
        },
        &log);
    ASSERT_TRUE(targets.stored());
    int k = 0;
    ASSERT_TRUE(AppendRecords(
                    state, SeededItems,
                    [&](int, ItemRecord& record) {
                        record.setText(ItemField::Number, QStringLiteral("S%1").arg(++k, 5, 10, QChar(u'0')));
                        record.setText(ItemField::Name, QStringLiteral("既存品"));
                    },
                    &log)
                    .stored());
}

struct LedgerContent {
    QMap<QString, int> occurrences;
    QMap<QString, double> receivedInMonth1;
    QStringList damage;
};

LedgerContent readLedger(const QString& path)
{
    LedgerContent content;
    const QByteArray bytes = TempClient::readBytes(path);
    if (bytes.size() % ItemRecord::Length != 0)
        content.damage.append(QStringLiteral("length %1").arg(bytes.size()));
    for (qsizetype offset = 0; offset + ItemRecord::Length <= bytes.size(); offset += ItemRecord::Length) {
        ItemRecord record;
        record.assignBytes(bytes.constData() + offset);
        const QString number = record.text(ItemField::Number);
        ++content.occurrences[number];
        content.receivedInMonth1[number] = record.qtyNumber(QtyRow::Received, 1);
    }
    return content;
}

// The item numbers of the change log's lines about one record.
QStringList loggedItems(const QString& path)
{
    QStringList numbers;
    for (const QByteArray& raw : TempClient::readBytes(path).split('\n')) {
        QByteArray line = raw;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const ChangeLogEntry entry = ParseChangeLogLine(line);
        if (!entry.itemNumber.isEmpty())
            numbers.append(entry.itemNumber);
    }
    return numbers;
}

FolderSnapshot dataFilesOf(const QString& folder)
{
    FolderSnapshot snapshot = TakeSnapshot(folder);
    const FolderSnapshot all = snapshot;
    for (const QString& name : all.keys())
        if (IsHarmlessLeftover(name, all, all))
            snapshot.remove(name);
    return snapshot;
}

} // namespace

TEST(TransferClients, StoresDuringATransferReachTheNewFolderOrAreRefusedAndTheOldFolderStaysAsLeft)
{
    QTemporaryDir dir;
    const QString root = dir.path() + u'/';
    const QString old = root + QStringLiteral("old/");
    const QString target = root + QStringLiteral("new/");
    QDir().mkpath(old);
    QDir().mkpath(target);

    std::vector<Client> clients;
    for (int k = 1; k <= 4; ++k) {
        Client client;
        client.name = QStringLiteral("P%1").arg(k);
        client.folder = root + QStringLiteral("client%1/").arg(k);
        client.moveItem = QStringLiteral("M%1").arg(k);
        client.administrator = k <= 2;
        writeClientSettings(client.folder, old, old, client.administrator);
        clients.push_back(std::move(client));
    }
    QStringList moveItems;
    for (const Client& client : clients)
        moveItems.append(client.moveItem);
    seedSharedFolder(old, moveItems);
    // The transferring client registered the new folder.
    const QString mover = root + QStringLiteral("mover/");
    writeClientSettings(mover, target, old, true);

    for (Client& client : clients)
        client.process = start(QStringLiteral("tev-transfer-client-worker"),
                               {client.folder, client.name, client.moveItem, QString::number(ClientSeconds)});
    QThread::msleep(TransferAfterMs);
    const auto transfer = start(QStringLiteral("tev-transfer-worker"), {mover, QStringLiteral("transfer"), target});
    ASSERT_TRUE(transfer->waitForFinished(120000));
    const QString transferOut = QString::fromUtf8(transfer->readAll());
    ASSERT_EQ(transfer->exitCode(), 0) << transferOut.toStdString();
    const FolderSnapshot oldAfterTransfer = dataFilesOf(old);

    for (Client& client : clients) {
        ASSERT_TRUE(client.process->waitForFinished((ClientSeconds + 120) * 1000)) << client.name.toStdString();
        EXPECT_EQ(client.process->exitStatus(), QProcess::NormalExit) << client.name.toStdString();
        client.lines = QString::fromUtf8(client.process->readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    // Nothing was written to the old folder after the transfer, and it names the new folder.
    const FolderSnapshot oldAtEnd = dataFilesOf(old);
    EXPECT_TRUE(oldAtEnd == oldAfterTransfer) << "the old folder changed after the transfer";
    EXPECT_TRUE(oldAtEnd.value(DataFileName::MovedMark).contains(target.toUtf8()));
    EXPECT_EQ(oldAtEnd.value(DataFileName::Ledger), TempClient::readBytes(target + DataFileName::Ledger));
    EXPECT_EQ(oldAtEnd.value(DataFileName::ChangeLog), TempClient::readBytes(target + DataFileName::ChangeLog));

    const LedgerContent ledger = readLedger(target + DataFileName::Ledger);
    EXPECT_TRUE(ledger.damage.isEmpty()) << ledger.damage.join(u' ').toStdString();
    int stored = 0;
    int moved = 0;
    int refusedAsMoved = 0;
    int stopped = 0;
    for (const Client& client : clients) {
        const std::string name = client.name.toStdString();
        int movesOfClient = 0;
        for (const QString& line : client.lines) {
            if (line.startsWith(QStringLiteral("stored "))) {
                ++stored;
                EXPECT_EQ(ledger.occurrences.value(line.mid(7)), 1) << name << ": " << line.toStdString();
            } else if (line == QStringLiteral("moved")) {
                ++movesOfClient;
            } else if (line.startsWith(QStringLiteral("refused"))) {
                refusedAsMoved += line.contains(MovedText) ? 1 : 0;
                EXPECT_TRUE(line.contains(MovedText) || line.contains(QStringLiteral("他のクライアントが台帳を更新中")))
                    << name << ": " << line.toStdString();
            } else {
                ++stopped;
                EXPECT_EQ(line, QStringLiteral("stopped")) << name;
                EXPECT_FALSE(client.administrator) << name << ": an administrator was stopped";
            }
        }
        moved += movesOfClient;
        EXPECT_EQ(ledger.receivedInMonth1.value(client.moveItem), double(movesOfClient)) << name;
    }
    // The change log lists no item that the ledger lacks.
    for (const QString& number : loggedItems(target + DataFileName::ChangeLog))
        EXPECT_EQ(ledger.occurrences.value(number), 1) << "logged, but not in the ledger: " << number.toStdString();

    std::printf("stored %d, receipts %d, refused as moved %d, held back by the stop %d\n", stored, moved, refusedAsMoved,
                stopped);
    EXPECT_GT(stored, 0);
    EXPECT_GT(moved, 0);
    EXPECT_GT(refusedAsMoved, 0);

    const CliRun verify = RunCliIn(mover, {QStringLiteral("verify")});
    EXPECT_EQ(verify.out.trimmed(), QStringLiteral("ok")) << verify.err.toStdString();
}
