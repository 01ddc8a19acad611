// Seven clients on one data folder for a bounded time, each running a random mix of stores of new
// items, receipts (moves), corrections, sorts, deletions, item imports and generated batches, and
// each keeping a journal of what it was told succeeded. Afterwards the ledger must hold exactly
// what the journals say: every stored item once unless a deletion removed it, every receipt in
// its month, every correction and import as one of the values written, nothing lost or doubled.
//
// The run is seeded: TEV_RANDOM_SEED replays a run (the seed is printed), TEV_RANDOM_SECONDS
// makes it longer.
#include "cli/cli_process_helper.h"
#include "storage/app_state.h"
#include "storage/item_record.h"
#include "storage/ledger_append.h"
#include "storage/paths.h"
#include "storage/scripted_dialogs.h"

#include <QMap>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int Clients = 7;
constexpr int DefaultSeconds = 25;
constexpr std::uint32_t DefaultSeed = 20261210;
constexpr int GeneratedAtStart = 3000;
constexpr int Deletables = 300;

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

QString twoDigits(const QString& prefix, int n)
{
    return prefix + QStringLiteral("%1").arg(n, 2, 10, QChar(u'0'));
}

// The items the workers act on, appended in this order so that the import zone is records 1..5.
void seedLedger(const QString& folder)
{
    ScriptedDialogs dialogs;
    AppState state(dialogs);
    state.ClientFolder = folder;
    state.DataFolder = folder;
    struct Group {
        QString prefix;
        int count;
        int width;
        QString name;
        QString specification;
    };
    const Group groups[] = {
        {u"Z"_s, 5, 2, u"AAAA"_s, u"V0"_s},           // sorts first: "AAAA" before every Japanese name
        {u"M"_s, 20, 2, u"移動品"_s, QString()},
        {u"C"_s, 10, 2, u"訂正品"_s, u"W0"_s},
        {u"D"_s, Deletables, 4, u"削除品"_s, QString()},
    };
    for (const Group& group : groups) {
        int k = 0;
        const AppendResult appended = AppendRecords(state, group.count, [&](int, ItemRecord& record) {
            record.setText(ItemField::Number, group.prefix + QStringLiteral("%1").arg(++k, group.width, 10, QChar(u'0')));
            record.setText(ItemField::Name, group.name);
            record.setText(ItemField::Specification, group.specification);
            record.setText(ItemField::PreviousStock, u"10"_s);
            record.setText(ItemField::Stock, u"10"_s);
        });
        ASSERT_TRUE(appended.stored());
    }
}

struct Journal {
    QStringList stored;
    QSet<QString> deleted;
    int generated = 0;
    QMap<QString, QMap<int, int>> moved;           // item → month → quantity
    QMap<QString, QSet<QString>> corrected;        // item → values written
    QSet<QString> imported;
    QMap<QString, std::pair<int, int>> tally;      // kind → done, failed
    int unparsed = 0;

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
            else if (kind == u"moved"_s && f.size() == 4)
                moved[f[1]][f[2].toInt()] += f[3].toInt();
            else if (kind == u"corrected"_s && f.size() == 3)
                corrected[f[1]].insert(f[2]);
            else if (kind == u"imported"_s && f.size() == 2)
                imported.insert(f[1]);
            else if (kind == u"tally"_s && f.size() == 4) {
                tally[f[1]].first += f[2].toInt();
                tally[f[1]].second += f[3].toInt();
            } else if (kind != u"sorted"_s)
                ++unparsed;
        }
    }
};

} // namespace

TEST(SharedFolderRandom, SevenClientsLoseNothingThatTheyWereToldWasStored)
{
    const std::uint32_t seed = seedOfRun();
    const int seconds = secondsOfRun();
    std::printf("shared-folder random run: seed %u (TEV_RANDOM_SEED replays it), %d clients, %d s\n", seed, Clients,
                seconds);
    std::fflush(stdout);

    QTemporaryDir dir;
    const QString folder = dir.filePath(u"data"_s) + u'/';
    PrepareCliClientFolder(folder, u"2026/04"_s);
    seedLedger(folder);
    const CliRun generated = RunCliIn(folder, {u"generate"_s, QString::number(GeneratedAtStart)});
    ASSERT_EQ(generated.exitCode, 0) << generated.err.toStdString();

    std::vector<std::unique_ptr<QProcess>> workers;
    for (int index = 1; index <= Clients; ++index) {
        auto process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::SeparateChannels);
        process->start(QStringLiteral(TEV_BIN_DIR "/tev-random-ops-worker"),
                       {folder, QString::number(index), QString::number(seed + std::uint32_t(index)), QString::number(seconds)});
        workers.push_back(std::move(process));
    }
    Journal journal;
    for (auto& process : workers) {
        ASSERT_TRUE(process->waitForFinished((seconds + 120) * 1000));
        EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
        journal.read(QString::fromUtf8(process->readAllStandardOutput()));
    }
    EXPECT_EQ(journal.unparsed, 0);

    // Figures of the run.
    int operations = 0;
    std::printf("operations (done/failed):");
    for (auto it = journal.tally.begin(); it != journal.tally.end(); ++it) {
        std::printf(" %s %d/%d", qPrintable(it.key()), it.value().first, it.value().second);
        operations += it.value().first + it.value().second;
    }
    std::printf("; %d in all\n", operations);
    for (const QString& kind : {u"store"_s, u"move"_s, u"sort"_s, u"delete"_s})
        EXPECT_GT(journal.tally.value(kind).first, 0) << kind.toStdString() << " never succeeded";

    const CliRun verify = RunCliIn(folder, {u"verify"_s});
    EXPECT_EQ(verify.out.trimmed(), u"ok"_s) << verify.out.toStdString() << verify.err.toStdString();

    // The ledger as it is, by item number.
    const QByteArray bytes = TempClient::readBytes(folder + DataFileName::Ledger);
    ASSERT_EQ(bytes.size() % ItemRecord::Length, 0);
    QMap<QString, QList<ItemRecord>> items;
    QStringList order;
    for (qsizetype offset = 0; offset < bytes.size(); offset += ItemRecord::Length) {
        ItemRecord record;
        record.assignBytes(bytes.constData() + offset);
        items[record.text(ItemField::Number)].append(record);
        order.append(record.text(ItemField::Number));
    }
    std::printf("records at the end: %lld\n", qlonglong(order.size()));
    auto once = [&](const QString& number) { return items.value(number).size() == 1; };
    auto absent = [&](const QString& number) { return !items.contains(number); };

    // Nothing doubled.
    for (auto it = items.begin(); it != items.end(); ++it)
        EXPECT_EQ(it.value().size(), 1) << it.key().toStdString() << " occurs " << it.value().size() << " times";

    // Every stored item once, unless a deletion removed it; no item the journals do not know.
    const QSet<QString> stored(journal.stored.begin(), journal.stored.end());
    for (const QString& number : journal.stored)
        EXPECT_TRUE(journal.deleted.contains(number) ? absent(number) : once(number)) << number.toStdString();
    int storedLeft = 0;
    int generatedLeft = 0;
    for (auto it = items.begin(); it != items.end(); ++it) {
        if (it.key().startsWith(u'S')) {
            EXPECT_TRUE(stored.contains(it.key())) << it.key().toStdString() << " is in the ledger but was never reported stored";
            ++storedLeft;
        }
        generatedLeft += it.key().startsWith(u'G') ? 1 : 0;
    }
    // The generated batches, whole: neither lost nor stored twice.
    EXPECT_EQ(generatedLeft, GeneratedAtStart + journal.generated);

    // The deletable items: gone exactly where a deletion was reported.
    int deletablesLeft = 0;
    for (int n = 1; n <= Deletables; ++n) {
        const QString number = u"D"_s + QStringLiteral("%1").arg(n, 4, 10, QChar(u'0'));
        EXPECT_TRUE(journal.deleted.contains(number) ? absent(number) : once(number)) << number.toStdString();
        deletablesLeft += once(number) ? 1 : 0;
    }

    // Every receipt reported in its month, none lost to a sort, a deletion or an import.
    for (int n = 1; n <= 20; ++n) {
        const QString number = twoDigits(u"M"_s, n);
        ASSERT_TRUE(once(number)) << number.toStdString();
        const ItemRecord item = items.value(number).front();
        for (int month = 1; month <= 12; ++month)
            EXPECT_EQ(item.qtyNumber(QtyRow::Received, month), journal.moved.value(number).value(month))
                << number.toStdString() << " month " << month;
    }

    // Corrections: the value is one that was written, or the first one where none succeeded.
    for (int n = 1; n <= 10; ++n) {
        const QString number = twoDigits(u"C"_s, n);
        ASSERT_TRUE(once(number)) << number.toStdString();
        const QString value = items.value(number).front().text(ItemField::Specification);
        EXPECT_TRUE(journal.corrected.value(number).contains(value) || (value == u"W0"_s && journal.corrected.value(number).isEmpty()))
            << number.toStdString() << " holds " << value.toStdString();
    }

    // The import zone: records 1..5, all five from one import.
    ASSERT_GE(order.size(), 5);
    const QString zoneValue = items.value(u"Z01"_s).value(0).text(ItemField::Specification);
    EXPECT_TRUE(journal.imported.contains(zoneValue) || (zoneValue == u"V0"_s && journal.imported.isEmpty()))
        << zoneValue.toStdString();
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(order[n - 1], twoDigits(u"Z"_s, n));
        EXPECT_EQ(items.value(twoDigits(u"Z"_s, n)).value(0).text(ItemField::Specification), zoneValue);
    }

    // And so the count: every item is accounted for.
    EXPECT_EQ(order.size(), 5 + 20 + 10 + deletablesLeft + generatedLeft + storedLeft);
}
