// Eight clients on one data folder for a bounded time: three store new items one by one, one
// appends generated batches, one enters receipts, one filters, one writes ledger workbooks and one
// sorts and commits the ledger meanwhile. Afterwards the data are whole and no appended item is
// missing.
#include "cli/cli_process_helper.h"
#include "storage/cp932_codec.h"
#include "storage/field_text.h"
#include "storage/item_record.h"
#include "storage/paths.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int StressSeconds = 20;
constexpr int SeedItems = 200;
constexpr int GenerateBatch = 5;
const QString Cli = QStringLiteral(TEV_BIN_DIR "/tev-cli");

struct Client {
    QString name;
    std::unique_ptr<QProcess> process;
    QStringList lines;
};

// A shell loop that runs one tev-cli command again and again until the time is up and prints
// "ok" or "failed" for every run (with the command's error output after a failure).
QString commandLoop(const QString& folder, const QString& command, int seconds, const QString& pause = QStringLiteral("0"))
{
    return QStringLiteral(
               "end=$((SECONDS+%1)); i=0; while [ $SECONDS -lt $end ]; do i=$((i+1)); "
               "if err=$('%2' --client-folder '%3' %4 2>&1 >/dev/null); then echo ok; else echo \"failed $err\"; fi; "
               "sleep %5; done")
        .arg(seconds)
        .arg(Cli, folder, command, pause);
}

int countLines(const QStringList& lines, const QString& start)
{
    int count = 0;
    for (const QString& line : lines)
        count += line.startsWith(start) ? 1 : 0;
    return count;
}

// The item numbers of the ledger, each with how often it occurs; fails the test on a damaged record.
QMap<QString, int> wholeLedgerNumbers(const QString& path)
{
    QMap<QString, int> numbers;
    const QByteArray bytes = TempClient::readBytes(path);
    EXPECT_EQ(bytes.size() % ItemRecord::Length, 0) << "ledger length " << bytes.size();
    for (qsizetype offset = 0; offset + ItemRecord::Length <= bytes.size(); offset += ItemRecord::Length) {
        const char* record = bytes.constData() + offset;
        const qsizetype n = offset / ItemRecord::Length + 1;
        EXPECT_TRUE(record[ItemRecord::Length - 2] == '\r' && record[ItemRecord::Length - 1] == '\n') << "record " << n;
        EXPECT_TRUE(Cp932::isValid(record, ItemRecord::Length - 2)) << "record " << n;
        ++numbers[FieldText(record + ItemRecord::textOffset(ItemField::Number), ItemRecord::TextWidth)];
    }
    return numbers;
}

} // namespace

TEST(MultiClientStress, EightClientsKeepEveryItemAndEveryRecordWhole)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("data")) + u'/';
    PrepareCliClientFolder(folder, QStringLiteral("2023/04"));
    // The ledger workbook needs its template and its output folder.
    const QString templates = QStringLiteral(TEV_RESOURCES_DIR "/原本Excel/");
    QDir().mkpath(folder + QStringLiteral("原本Excel"));
    QDir().mkpath(folder + QStringLiteral("M在庫台帳"));
    for (const QString& name : QDir(templates).entryList(QDir::Files))
        QFile::copy(templates + name, folder + QStringLiteral("原本Excel/") + name);
    const CliRun seeded = RunCliIn(folder, {QStringLiteral("generate"), QString::number(SeedItems)});
    ASSERT_EQ(seeded.exitCode, 0) << seeded.err.toStdString();
    const QString seconds = QString::number(StressSeconds);
    const QString bash = QStringLiteral("bash");

    std::vector<Client> clients;
    for (const char* prefix : {"A", "B", "C"}) {
        clients.push_back({QStringLiteral("store ") + QLatin1String(prefix),
                           StartClientProcess(QStringLiteral(TEV_BIN_DIR "/tev-stress-store-worker"),
                                 {folder, QString::fromLatin1(prefix), seconds}),
                           {}});
    }
    const auto loop = [&](const QString& name, const QString& command, const QString& pause = QStringLiteral("0")) {
        clients.push_back({name, StartClientProcess(bash, {QStringLiteral("-c"), commandLoop(folder, command, StressSeconds, pause)}), {}});
    };
    loop(QStringLiteral("generate"), QStringLiteral("generate %1 --seed $i").arg(GenerateBatch));
    loop(QStringLiteral("move"), QStringLiteral("move G000001 --month 1 --in 1"));
    loop(QStringLiteral("filter"), QStringLiteral("filter 2=試験"));
    loop(QStringLiteral("export"), QStringLiteral("export-ledger --out '%1stress.xlsx'").arg(dir.path() + u'/'));
    // The sort commits in the middle of the run and once more later.
    loop(QStringLiteral("sort"), QStringLiteral("sort"), QString::number(StressSeconds / 2));

    for (Client& client : clients) {
        ASSERT_TRUE(client.process->waitForFinished((StressSeconds + 60) * 1000)) << client.name.toStdString();
        EXPECT_EQ(client.process->exitStatus(), QProcess::NormalExit) << client.name.toStdString();
        client.lines = QString::fromUtf8(client.process->readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    // Every client got work done; the appending and reading ones never failed.
    QStringList storedNumbers;
    int generatedBatches = 0;
    for (const Client& client : clients) {
        const std::string name = client.name.toStdString();
        const int done = countLines(client.lines, QStringLiteral("ok")) + countLines(client.lines, QStringLiteral("stored "));
        EXPECT_GT(done, 0) << name << ": " << client.lines.join(u'\n').toStdString();
        // A receipt entered while the sort replaces the ledger is refused (the record moved); nothing else fails.
        if (client.name != QStringLiteral("move"))
            EXPECT_EQ(countLines(client.lines, QStringLiteral("failed")), 0) << name << ": " << client.lines.join(u'\n').toStdString();
        if (client.name.startsWith(QStringLiteral("store")))
            for (const QString& line : client.lines)
                if (line.startsWith(QStringLiteral("stored ")))
                    storedNumbers.append(line.mid(7));
        if (client.name == QStringLiteral("generate"))
            generatedBatches = countLines(client.lines, QStringLiteral("ok"));
    }

    std::printf("stored one by one: %lld, generated batches: %d, runs per client:", qlonglong(storedNumbers.size()),
                generatedBatches);
    for (const Client& client : clients)
        std::printf(" %s %lld", qPrintable(client.name), qlonglong(client.lines.size()));
    std::printf("\n");

    const CliRun verify = RunCliIn(folder, {QStringLiteral("verify")});
    EXPECT_EQ(verify.exitCode, 0) << verify.out.toStdString() << verify.err.toStdString();
    EXPECT_EQ(verify.out.trimmed(), QStringLiteral("ok"));

    const QMap<QString, int> numbers = wholeLedgerNumbers(folder + DataFileName::Ledger);
    for (const QString& number : std::as_const(storedNumbers))
        EXPECT_EQ(numbers.value(number), 1) << number.toStdString();
    int generated = 0;
    for (auto it = numbers.begin(); it != numbers.end(); ++it) {
        EXPECT_EQ(it.value(), 1) << "item number " << it.key().toStdString() << " occurs " << it.value() << " times";
        generated += it.key().startsWith(u'G') ? 1 : 0;
    }
    EXPECT_EQ(generated, SeedItems + GenerateBatch * generatedBatches);
    EXPECT_EQ(numbers.size(), SeedItems + GenerateBatch * generatedBatches + storedNumbers.size());
}
