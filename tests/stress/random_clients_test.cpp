// Seven clients on one data folder for a bounded time. Each is a tev-random-client-worker process
// that runs a random mix of stores, generated batches, receipts and issues, corrections, sorts,
// deletions and item imports, partly in its own process through the core library as the ledger
// screen does, partly by starting tev-cli as a script does (see the worker for the mix). Each
// client journals only what it was told succeeded. Afterwards the ledger must hold exactly what
// the journals say:
//   - tev-cli verify says ok; whole records, each ending CR LF; every item number once;
//   - every stored item once, unless a deletion of it was reported, then gone; no item that no
//     client reported stored; the seeded items all there except the reported deletions; as many
//     generated items as the seed and the reported batches made;
//   - halfway through, the year is rolled over (tev-cli rollover): the rollover's dated copy holds
//     every receipt and issue reported done before it, the new year every one reported after it,
//     and the two together the initial quantities plus all of them (a move that ran at the same
//     time as the rollover is in one of the two); the new previous-year stock is the copy's stock;
//   - a corrected 仕様 (text[2]) and the import zone hold a value that was reported written, and
//     no other reported write of it began after that one had ended (a later write would have
//     replaced it);
//   - the import zone is records 1..5 (its items' names sort first and nothing else moves them);
//   - three quarters through, the data are transferred to another folder (as "データ転送" does, by
//     a client of its own): the checks above are made on the new folder's ledger, each client
//     registers the new folder once it is told the data moved, and nothing in the old folder
//     changes after the transfer has marked it.
//
// The run is seeded and prints its seed: TEV_RANDOM_SEED replays a run, TEV_RANDOM_SECONDS
// changes its length, TEV_RANDOM_KEEP keeps the data folder of a failed run (with its change log).
//
// Run inside tests/support/smb_share.sh, the data folders lie on the file server's share and the
// clients take turns between its two hosts, each host reaching the share through its own mount;
// the rollover and the transfer run on this machine as a third host.
#include "cli/cli_process_helper.h"
#include "storage/app_state.h"
#include "storage/item_record.h"
#include "storage/ledger_append.h"
#include "storage/paths.h"
#include "storage/moved_folder.h"
#include "storage/scripted_dialogs.h"
#include "storage/settings_lines.h"
#include "support/fault_harness_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QMap>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int Clients = 7;
constexpr int DefaultSeconds = 25;
constexpr std::uint32_t DefaultSeed = 926013;
constexpr int GeneratedAtStart = 4000;
constexpr int ZoneItems = 5;
constexpr int MoveTargets = 20;
constexpr int CorrectionTargets = 10;
constexpr int Deletables = 600;
const QString InitialShiyo = u"W0"_s;
const QString InitialZoneValue = u"V0"_s;

std::uint32_t seedOfRun()
{
    bool ok = false;
    const qulonglong seed = qEnvironmentVariable("TEV_RANDOM_SEED").toULongLong(&ok);
    return ok ? std::uint32_t(seed) : DefaultSeed;
}

int secondsOfRun()
{
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("TEV_RANDOM_SECONDS", &ok);
    return ok && seconds > 0 ? seconds : DefaultSeconds;
}

// The clock the workers stamp their writes with (shared by all processes of the machine).
qint64 SteadyMicros()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

QString numbered(const QString& prefix, int n, int width)
{
    return prefix + QStringLiteral("%1").arg(n, width, 10, QChar(u'0'));
}
QString zoneItem(int n) { return numbered(u"Z"_s, n, 2); }
QString moveTarget(int n) { return numbered(u"M"_s, n, 2); }
QString correctionTarget(int n) { return numbered(u"C"_s, n, 2); }
QString deletable(int n) { return numbered(u"D"_s, n, 4); }

// The items the clients act on, appended in this order so that the import zone is records 1..5:
// its name "AAAA" sorts before every other name of the ledger.
void seedLedger(const QString& folder)
{
    ScriptedDialogs dialogs;
    AppState state(dialogs);
    state.ClientFolder = folder;
    state.DataFolder = folder;
    struct Group {
        int count;
        QString (*number)(int);
        QString name;
        QString shiyo; // the 仕様 field
    };
    const Group groups[] = {
        {ZoneItems, zoneItem, u"AAAA"_s, InitialZoneValue},
        {MoveTargets, moveTarget, u"移動品"_s, QString()},
        {CorrectionTargets, correctionTarget, u"訂正品"_s, InitialShiyo},
        {Deletables, deletable, u"削除品"_s, QString()},
    };
    for (const Group& group : groups) {
        int k = 0;
        const AppendResult appended = AppendRecords(state, group.count, [&](int, ItemRecord& record) {
            record.setText(ItemField::Number, group.number(++k));
            record.setText(ItemField::Name, group.name);
            record.setText(ItemField::Shiyo, group.shiyo);
            record.setText(ItemField::Unit, u"個"_s);
            record.setText(ItemField::PreviousStock, u"50"_s);
            record.setText(ItemField::Stock, u"50"_s);
        });
        ASSERT_TRUE(appended.stored()) << appended.io.detail.toStdString();
    }
}

// The ledger file as records, with what is wrong with its form.
struct LedgerRecords {
    std::vector<ItemRecord> records;
    QMap<QString, QList<int>> at; // item number → record numbers
    QStringList damage;

    explicit LedgerRecords(const QByteArray& bytes)
    {
        if (bytes.size() % ItemRecord::Length != 0)
            damage.append(u"length %1 is not a multiple of %2"_s.arg(bytes.size()).arg(ItemRecord::Length));
        for (qsizetype offset = 0; offset + ItemRecord::Length <= bytes.size(); offset += ItemRecord::Length) {
            const char* bytesOfRecord = bytes.constData() + offset;
            const int recordNo = int(offset / ItemRecord::Length) + 1;
            if (bytesOfRecord[ItemRecord::Length - 2] != '\r' || bytesOfRecord[ItemRecord::Length - 1] != '\n')
                damage.append(u"record %1 does not end in CR LF"_s.arg(recordNo));
            ItemRecord record;
            record.assignBytes(bytesOfRecord);
            at[record.text(ItemField::Number)].append(recordNo);
            records.push_back(record);
        }
    }
    int occurrences(const QString& number) const { return int(at.value(number).size()); }
    const ItemRecord* item(const QString& number) const
    {
        const QList<int> numbers = at.value(number);
        return numbers.isEmpty() ? nullptr : &records[size_t(numbers.front() - 1)];
    }
};

// Received (row 1) and issued (row 2) quantities of months 1..12.
using MonthQuantities = std::array<std::array<int, 13>, 3>;

// A value written by one operation, between two readings of the steady clock (µs).
struct TimedWrite {
    QString value;
    qint64 start = 0;
    qint64 end = 0;
};

// A reported receipt or issue of a move target.
struct TimedMove {
    QString number;
    int row = 0;
    int month = 0;
    int quantity = 0;
    qint64 start = 0;
    qint64 end = 0;
};

struct Journal {
    QStringList stored;
    QSet<QString> deleted;
    int generated = 0;
    int sorts = 0;
    QList<TimedMove> moved;
    QMap<QString, QList<TimedWrite>> corrected;
    QList<TimedWrite> imported;
    QMap<QString, std::pair<int, int>> tally; // kind → done, failed
    QMap<QString, int> reasons;               // "kind: what the program said" → failures
    int followed = 0; // clients that registered the folder the data moved to
    QStringList unparsed;

    void read(const QString& text)
    {
        for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList f = line.split(u' ');
            const QString& kind = f.value(0);
            if (kind == u"stored"_s && f.size() == 2)
                stored.append(f[1]);
            else if (kind == u"deleted"_s && f.size() == 2)
                deleted.insert(f[1]);
            else if (kind == u"generated"_s && f.size() == 2)
                generated += f[1].toInt();
            else if (kind == u"sorted"_s && f.size() == 1)
                ++sorts;
            else if (kind == u"followed"_s && f.size() == 2)
                ++followed;
            else if (kind == u"moved"_s && f.size() == 7 && (f[2] == u"in"_s || f[2] == u"out"_s))
                moved.append({f[1], f[2] == u"in"_s ? int(QtyRow::Received) : int(QtyRow::Issued), f[3].toInt(),
                              f[4].toInt(), f[5].toLongLong(), f[6].toLongLong()});
            else if (kind == u"corrected"_s && f.size() == 5)
                corrected[f[1]].append({f[2], f[3].toLongLong(), f[4].toLongLong()});
            else if (kind == u"imported"_s && f.size() == 4)
                imported.append({f[1], f[2].toLongLong(), f[3].toLongLong()});
            else if (kind == u"tally"_s && f.size() == 4) {
                tally[f[1]].first += f[2].toInt();
                tally[f[1]].second += f[3].toInt();
            } else if (kind == u"why"_s && f.size() >= 3)
                reasons[f[1] + u": "_s + f.mid(3).join(u' ')] += f[2].toInt();
            else
                unparsed.append(line);
        }
    }
};

// What is wrong with the value an item ends with, given the reported writes of it: empty when it
// is the value of a write that no other reported write followed entirely (or the initial value
// where no write was reported).
QString lastWriteProblem(const QString& value, const QString& initial, const QList<TimedWrite>& writes)
{
    if (writes.isEmpty())
        return value == initial ? QString() : u"holds \"%1\", but nothing was reported written"_s.arg(value);
    const TimedWrite* own = nullptr;
    for (const TimedWrite& write : writes)
        own = write.value == value ? &write : own;
    if (!own)
        return u"holds \"%1\", none of the %2 values reported written"_s.arg(value).arg(writes.size());
    for (const TimedWrite& write : writes)
        if (write.start > own->end)
            return u"holds \"%1\", but \"%2\" was written %3 ms after it"_s.arg(value, write.value)
                .arg((write.start - own->end) / 1000.0, 0, 'f', 1);
    return QString();
}

QString joined(const QList<int>& numbers)
{
    QStringList texts;
    for (int n : numbers)
        texts.append(QString::number(n));
    return texts.join(u',');
}

// The offences against each check, reported once per check with the first few of them.
class Findings {
public:
    void check(const QString& name) { m_offences[name]; }
    void add(const QString& name, const QString& offence) { m_offences[name].append(offence); }
    void report() const
    {
        for (auto it = m_offences.begin(); it != m_offences.end(); ++it) {
            std::printf("  %-58s %s\n", qPrintable(it.key()),
                        it.value().isEmpty() ? "ok" : qPrintable(u"%1 FAILED"_s.arg(it.value().size())));
            if (!it.value().isEmpty())
                ADD_FAILURE() << it.key().toStdString() << ": " << it.value().size() << " ("
                              << it.value().mid(0, 12).join(u"; "_s).toStdString()
                              << (it.value().size() > 12 ? "; …)" : ")");
        }
    }

private:
    QMap<QString, QStringList> m_offences;
};

// Where the data folders lie and on which host each client runs.
struct Placement {
    QString pcScript;    // smb_pc.sh, which runs a command as another host; empty: all on this host
    QStringList mounts;  // the share as each of those hosts mounts it

    static Placement fromEnvironment()
    {
        Placement placement;
        const QString pc1 = qEnvironmentVariable("TEV_SMB_PC1");
        const QString pc2 = qEnvironmentVariable("TEV_SMB_PC2");
        if (!pc1.isEmpty() && !pc2.isEmpty()) {
            placement.pcScript = qEnvironmentVariable("TEV_SMB_PC");
            placement.mounts = {pc1, pc2};
            placement.serverDir = qEnvironmentVariable("TEV_SMB_SERVER_DIR");
        }
        return placement;
    }
    QString serverDir;   // the exported folder: what the server has on its disk

    bool shared() const { return !pcScript.isEmpty(); }
    // Where the checks read `path` (on the first host's mount): on the server's disk, so that a
    // read that the FUSE client fails for a moment under load is no finding.
    QString forChecks(const QString& path) const
    {
        return shared() && !serverDir.isEmpty() ? serverDir + path.mid(mounts[0].size()) : path;
    }
    QString hostOf(int client) const { return u"tev-pc%1"_s.arg(1 + client % 2); }
    // The same place as host `client` reaches it (`path` lies on the first host's mount).
    QString asSeenBy(int client, const QString& path) const
    {
        return shared() ? mounts[client % 2] + path.mid(mounts[0].size()) : path;
    }
};

} // namespace

TEST(RandomClients, SevenClientsOnOneFolderLoseNothingTheyWereToldWasDone)
{
    const std::uint32_t seed = seedOfRun();
    const int seconds = secondsOfRun();
    std::printf("random clients: seed %u (TEV_RANDOM_SEED=%u replays it), %d clients, %d s\n", seed, seed, Clients,
                seconds);
    std::fflush(stdout);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const Placement placement = Placement::fromEnvironment();
    // The folders of the data: here, or on the share through the first host's mount.
    QString dataRoot = dir.path();
    if (placement.shared()) {
        dataRoot = placement.mounts[0] + u"/random-%1"_s.arg(QCoreApplication::applicationPid());
        ASSERT_TRUE(QDir().mkpath(dataRoot));
        std::printf("on the file server: clients on hosts tev-pc1 and tev-pc2 (%s, %s)\n",
                    qPrintable(placement.mounts[0]), qPrintable(placement.mounts[1]));
    }
    const QString folder = dataRoot + u"/data/"_s;
    PrepareCliClientFolder(folder, u"2026/04"_s);
    seedLedger(folder);
    if (HasFatalFailure())
        return;
    const CliRun generated = RunCliIn(folder, {u"generate"_s, QString::number(GeneratedAtStart), u"--seed"_s,
                                               QString::number(seed)});
    ASSERT_EQ(generated.exitCode, 0) << generated.err.toStdString();

    const LedgerRecords initial(TempClient::readBytes(placement.forChecks(folder + DataFileName::Ledger)));
    ASSERT_TRUE(initial.damage.isEmpty());
    QMap<QString, MonthQuantities> initialQuantities;
    for (int n = 1; n <= MoveTargets; ++n) {
        const ItemRecord* item = initial.item(moveTarget(n));
        ASSERT_NE(item, nullptr);
        for (int row : {int(QtyRow::Received), int(QtyRow::Issued)})
            for (int month = 1; month <= 12; ++month)
                initialQuantities[moveTarget(n)][row][month] = int(item->qtyNumber(row, month));
    }
    QStringList initialGenerated;
    for (auto it = initial.at.begin(); it != initial.at.end(); ++it)
        if (it.key().startsWith(u'G'))
            initialGenerated.append(it.key());
    ASSERT_EQ(initialGenerated.size(), GeneratedAtStart);
    std::printf("ledger at the start: %zu records\n", initial.records.size());

    std::vector<std::unique_ptr<QProcess>> workers;
    for (int index = 1; index <= Clients; ++index) {
        const QString scratch = dir.filePath(u"scratch-%1"_s.arg(index));
        ASSERT_TRUE(QDir().mkpath(scratch));
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(u"TEV_CLIENT_FOLDER"_s);
        process->setProcessEnvironment(env);
        const QString worker = QStringLiteral(TEV_BIN_DIR "/tev-random-client-worker");
        const QStringList arguments{placement.asSeenBy(index, folder), QString::number(index),
                                    QString::number(seed + std::uint32_t(index)), QString::number(seconds),
                                    QStringLiteral(TEV_BIN_DIR "/tev-cli"), scratch};
        if (placement.shared())
            process->start(placement.pcScript, QStringList{placement.hostOf(index), worker} + arguments);
        else
            process->start(worker, arguments);
        workers.push_back(std::move(process));
    }
    // Halfway, the year end: the ledger year moves on while the clients keep working.
    QThread::msleep(ulong(seconds) * 500);
    CliRun rollover;
    const qint64 rolloverStart = SteadyMicros();
    for (int attempt = 0; attempt < 3 && rollover.exitCode != 0; ++attempt)
        rollover = RunCliIn(folder, {u"rollover"_s, u"2027/04"_s});
    const qint64 rolloverEnd = SteadyMicros();
    EXPECT_EQ(rollover.exitCode, 0) << rollover.err.toStdString();
    const QString copyPath = rollover.outLines().value(0).mid(QStringLiteral("copy: ").size());
    std::printf("rollover: %s, %.1f s\n", qPrintable(rollover.outLines().join(u", "_s)),
                (rolloverEnd - rolloverStart) / 1e6);

    // Three quarters through, the data move to another folder while the clients keep working.
    QThread::msleep(ulong(seconds) * 250);
    const QString server = dataRoot + u"/server/"_s;
    const QString admin = dir.filePath(u"pc-admin"_s) + u'/';
    ASSERT_TRUE(QDir().mkpath(server));
    ASSERT_TRUE(QDir().mkpath(admin));
    {
        // The state the data folder panel leaves after the new folder was registered.
        QStringList clientLines(50);
        clientLines[ClientLine::DataFolder - 1] = server;
        clientLines[ClientLine::PreviousDataFolder - 1] = folder;
        clientLines[ClientLine::TransferPending - 1] = u"1"_s;
        TempClient::writeSettings(admin + SettingsFileName::Client, clientLines);
    }
    QProcess transfer;
    transfer.start(QStringLiteral(TEV_BIN_DIR "/tev-transfer-worker"), {admin, u"transfer"_s, server});
    ASSERT_TRUE(transfer.waitForFinished(120000));
    const QString transferOut = QString::fromUtf8(transfer.readAllStandardOutput());
    EXPECT_EQ(transfer.exitCode(), 0) << transferOut.toStdString();
    const FolderSnapshot oldFolder = TakeSnapshot(placement.forChecks(folder));
    std::printf("transfer: %s\n", qPrintable(transferOut.trimmed().split(u'\n').last()));

    Journal journal;
    for (auto& process : workers) {
        ASSERT_TRUE(process->waitForFinished((seconds + 120) * 1000));
        EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
        journal.read(QString::fromUtf8(process->readAllStandardOutput()));
    }
    EXPECT_TRUE(journal.unparsed.isEmpty()) << journal.unparsed.join(u'\n').toStdString();

    // The figures of the run.
    int operations = 0;
    std::printf("operations (done/failed):");
    for (auto it = journal.tally.begin(); it != journal.tally.end(); ++it) {
        std::printf(" %s %d/%d", qPrintable(it.key()), it.value().first, it.value().second);
        operations += it.value().first + it.value().second;
    }
    std::printf("; %d in all\n", operations);
    std::printf("reported: %lld stored, %lld deleted, %d generated, %d sorts, %lld imports\n",
                qlonglong(journal.stored.size()), qlonglong(journal.deleted.size()), journal.generated, journal.sorts,
                qlonglong(journal.imported.size()));
    for (auto it = journal.reasons.begin(); it != journal.reasons.end(); ++it)
        std::printf("  failed %4d× %s\n", it.value(), qPrintable(it.key()));
    // A run where a kind never succeeded proves nothing about it.
    for (const QString& kind : {u"store"_s, u"generate"_s, u"move"_s, u"correct"_s, u"sort"_s, u"delete"_s, u"import"_s})
        EXPECT_GT(journal.tally.value(kind).first, 0) << kind.toStdString() << " never succeeded";

    std::printf("clients that registered the new folder: %d of %d\n", journal.followed, Clients);
    const CliRun verify = RunCliIn(admin, {u"verify"_s});
    const LedgerRecords ledger(TempClient::readBytes(placement.forChecks(server + DataFileName::Ledger)));
    std::printf("records at the end: %zu\nchecks:\n", ledger.records.size());
    Findings findings;

    const QString verifyOk = u"tev-cli verify says ok"_s;
    findings.check(verifyOk);
    if (verify.exitCode != 0 || verify.out.trimmed() != u"ok"_s)
        findings.add(verifyOk, (verify.out + verify.err).trimmed().replace(u'\n', u" | "_s));

    const QString whole = u"whole records ending in CR LF"_s;
    findings.check(whole);
    for (const QString& damage : ledger.damage)
        findings.add(whole, damage);

    const QString unique = u"every item number once"_s;
    findings.check(unique);
    for (auto it = ledger.at.begin(); it != ledger.at.end(); ++it)
        if (it.value().size() > 1)
            findings.add(unique, u"%1 at records %2"_s.arg(it.key(), joined(it.value())));

    // Present once, or absent when a deletion of it was reported.
    auto presentUnlessDeleted = [&](const QString& check, const QString& number) {
        const int count = ledger.occurrences(number);
        if (journal.deleted.contains(number)) {
            if (count != 0)
                findings.add(check, u"%1 deleted but present %2×"_s.arg(number).arg(count));
        } else if (count != 1) {
            findings.add(check, u"%1 present %2×"_s.arg(number).arg(count));
        }
    };

    const QString storedCheck = u"stored items there once, unless deleted"_s;
    findings.check(storedCheck);
    const QSet<QString> stored(journal.stored.begin(), journal.stored.end());
    for (const QString& number : std::as_const(journal.stored))
        presentUnlessDeleted(storedCheck, number);

    const QString seededCheck = u"seeded items there once, deletables unless deleted"_s;
    findings.check(seededCheck);
    for (int n = 1; n <= ZoneItems; ++n)
        presentUnlessDeleted(seededCheck, zoneItem(n));
    for (int n = 1; n <= MoveTargets; ++n)
        presentUnlessDeleted(seededCheck, moveTarget(n));
    for (int n = 1; n <= CorrectionTargets; ++n)
        presentUnlessDeleted(seededCheck, correctionTarget(n));
    for (int n = 1; n <= Deletables; ++n)
        presentUnlessDeleted(seededCheck, deletable(n));
    for (const QString& number : std::as_const(initialGenerated))
        presentUnlessDeleted(seededCheck, number);

    const QString generatedCheck = u"generated items: seeded + reported batches"_s;
    findings.check(generatedCheck);
    int generatedLeft = 0;
    for (auto it = ledger.at.begin(); it != ledger.at.end(); ++it)
        generatedLeft += it.key().startsWith(u'G') ? int(it.value().size()) : 0;
    if (generatedLeft != GeneratedAtStart + journal.generated)
        findings.add(generatedCheck, u"%1 in the ledger, %2 + %3 reported"_s.arg(generatedLeft)
                                         .arg(GeneratedAtStart)
                                         .arg(journal.generated));

    const QString strangers = u"no item nobody reported"_s;
    findings.check(strangers);
    for (auto it = ledger.at.begin(); it != ledger.at.end(); ++it) {
        const QString& number = it.key();
        const bool known = number.startsWith(u'G') || (number.startsWith(u'S') && stored.contains(number))
            || (number.size() == 3 && QStringView(u"ZMC").contains(number[0]))
            || (number.size() == 5 && number.startsWith(u'D'));
        if (!known)
            findings.add(strangers, u"\"%1\" at record %2"_s.arg(number).arg(it.value().front()));
    }

    const QString moves = u"move targets: receipts and issues before the rollover in its copy, after it in the new year"_s;
    findings.check(moves);
    const LedgerRecords copy(TempClient::readBytes(placement.forChecks(copyPath)));
    if (!copy.damage.isEmpty() || copy.records.empty())
        findings.add(moves, u"the rollover's copy %1 cannot be read"_s.arg(copyPath));
    QMap<QString, MonthQuantities> before, after, during;
    for (const TimedMove& move : std::as_const(journal.moved)) {
        auto& side = move.end < rolloverStart ? before : (move.start > rolloverEnd ? after : during);
        side[move.number][move.row][move.month] += move.quantity;
    }
    for (int n = 1; n <= MoveTargets && copy.damage.isEmpty(); ++n) {
        const QString number = moveTarget(n);
        const ItemRecord* item = ledger.item(number);
        const ItemRecord* old = copy.item(number);
        if (!item || !old)
            continue; // reported by the seeded-items check
        for (int row : {int(QtyRow::Received), int(QtyRow::Issued)}) {
            const QString what = number + (row == QtyRow::Received ? u" received"_s : u" issued"_s);
            int sum = 0;
            for (int month = 1; month <= 12; ++month) {
                const int inCopy = int(old->qtyNumber(row, month));
                const int inNewYear = int(item->qtyNumber(row, month));
                const int initialQuantity = initialQuantities[number][row][month];
                const int reportedBefore = before[number][row][month];
                const int reportedAfter = after[number][row][month];
                const int reportedDuring = during[number][row][month];
                sum += inNewYear;
                if (inCopy < initialQuantity + reportedBefore || inNewYear < reportedAfter
                    || inCopy + inNewYear != initialQuantity + reportedBefore + reportedAfter + reportedDuring)
                    findings.add(moves, u"%1 month %2: %3 in the copy, %4 in the new year; initial %5, reported %6 before, "
                                        "%7 after, %8 during the rollover"_s.arg(what)
                                            .arg(month)
                                            .arg(inCopy)
                                            .arg(inNewYear)
                                            .arg(initialQuantity)
                                            .arg(reportedBefore)
                                            .arg(reportedAfter)
                                            .arg(reportedDuring));
            }
            if (int(item->qtyNumber(row, QtyColumn::Total)) != sum)
                findings.add(moves, u"%1 total %2, the months sum to %3"_s.arg(what, item->qty(row, QtyColumn::Total)).arg(sum));
        }
        if (item->text(ItemField::PreviousStock) != old->text(ItemField::Stock))
            findings.add(moves, u"%1 previous-year stock %2, the copy's stock %3"_s.arg(
                                    number, item->text(ItemField::PreviousStock), old->text(ItemField::Stock)));
    }

    const QString corrections = u"corrections: the last reported value"_s;
    findings.check(corrections);
    for (int n = 1; n <= CorrectionTargets; ++n) {
        const QString number = correctionTarget(n);
        if (const ItemRecord* item = ledger.item(number)) {
            const QString problem = lastWriteProblem(item->text(ItemField::Shiyo), InitialShiyo,
                                                     journal.corrected.value(number));
            if (!problem.isEmpty())
                findings.add(corrections, number + u' ' + problem);
        }
    }

    const QString zone = u"import zone: records 1..5, the last reported import"_s;
    findings.check(zone);
    const ItemRecord* first = ledger.item(zoneItem(1));
    const QString zoneValue = first ? first->text(ItemField::Shiyo) : QString();
    for (int n = 1; n <= ZoneItems; ++n) {
        const QList<int> at = ledger.at.value(zoneItem(n));
        const QString value = at.isEmpty() ? QString() : ledger.records[size_t(at.front() - 1)].text(ItemField::Shiyo);
        if (at != QList<int>{n})
            findings.add(zone, u"%1 at records [%2], not at %3 alone"_s.arg(zoneItem(n), joined(at)).arg(n));
        else if (value != zoneValue)
            findings.add(zone, u"%1 holds \"%2\", %3 \"%4\""_s.arg(zoneItem(n), value, zoneItem(1), zoneValue));
    }
    if (const QString problem = lastWriteProblem(zoneValue, InitialZoneValue, journal.imported); !problem.isEmpty())
        findings.add(zone, u"the zone "_s + problem);

    const QString left = u"the folder the data left: unchanged after its mark"_s;
    findings.check(left);
    if (!MovedDataFolder(folder))
        findings.add(left, u"no mark"_s);
    const FolderSnapshot oldFolderNow = TakeSnapshot(placement.forChecks(folder));
    QStringList names = oldFolder.keys() + oldFolderNow.keys();
    names.removeDuplicates();
    for (const QString& name : DifferingFiles(oldFolderNow, oldFolder, names))
        if (!IsHarmlessLeftover(name, oldFolder, oldFolder)) // a refused writer's lock file is no data
            findings.add(left, name);

    findings.report();
    if (HasFailure() && qEnvironmentVariableIsSet("TEV_RANDOM_KEEP")) {
        dir.setAutoRemove(false);
        std::printf("the data folder is kept: %s\n", qPrintable(folder));
    }
}
