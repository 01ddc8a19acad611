// The tev-cli binary end to end, on temporary client folders.
#include "cli_process_helper.h"
#include "storage/item_record.h"
#include "storage/ledger_file.h"
#include "storage/paths.h"
#include "storage/settings_lines.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class TevCliTest : public ::testing::Test {
protected:
    // A client folder that is its own data folder, with both settings files in place.
    QString preparedFolder(const QString& name = QStringLiteral("client"))
    {
        const QString folder = m_dir.filePath(name) + u'/';
        PrepareCliClientFolder(folder, QStringLiteral("2023/04"));
        return folder;
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

// "key: value" lines as a map.
QMap<QString, QString> infoValues(const CliRun& run)
{
    QMap<QString, QString> values;
    for (const QString& line : run.outLines()) {
        const qsizetype colon = line.indexOf(QStringLiteral(": "));
        values.insert(line.left(colon), line.mid(colon + 2));
    }
    return values;
}

TEST_F(TevCliTest, InfoOnAnEmptyFolderSeedsItAndReportsAnEmptyLedger)
{
    const QString folder = path(QStringLiteral("new/client"));
    const CliRun run = RunCliIn(folder, {QStringLiteral("info")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.outLines();
    ASSERT_EQ(lines.size(), 5) << run.out.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("data-folder: ") + folder + u'/');
    EXPECT_EQ(lines[1], QStringLiteral("records: 0"));
    EXPECT_EQ(lines[2], QStringLiteral("capacity: 50009"));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("start-month:")));
    EXPECT_EQ(lines[4], QStringLiteral("total-stock-value: 0"));
    EXPECT_TRUE(QFileInfo::exists(folder + u'/' + SettingsFileName::Client));
    EXPECT_EQ(QFileInfo(folder + u'/' + DataFileName::Ledger).size(), 0);
}

TEST_F(TevCliTest, GeneratedItemsAreListedCountedAndVerified)
{
    const QString folder = preparedFolder();
    CliRun run = RunCliIn(folder, {QStringLiteral("generate"), QStringLiteral("40"), QStringLiteral("--seed"), QStringLiteral("9")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("records: 40\n"));
    run = RunCliIn(folder, {QStringLiteral("generate"), QStringLiteral("3")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("records: 43\n"));

    const CliRun dump = RunCliIn(folder, {QStringLiteral("dump")});
    ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    const QStringList lines = dump.outLines();
    ASSERT_EQ(lines.size(), 43);
    double totalValue = 0;
    QSet<QString> numbers;
    for (int k = 0; k < lines.size(); ++k) {
        const QStringList f = lines[k].split(u'\t');
        ASSERT_EQ(f.size(), 43) << lines[k].toStdString();
        EXPECT_EQ(f[0], QString::number(k + 1));
        numbers.insert(f[1]);
        // Fields: 1 + text index; received 13..27 (months 13..24, total 25); issued 28..42 (total 40).
        const double received = f[25].toDouble();
        const double issued = f[40].toDouble();
        EXPECT_EQ(f[11].toDouble(), f[9].toDouble() + received - issued) << lines[k].toStdString();
        EXPECT_EQ(f[7].toDouble(), f[6].toDouble() * f[11].toDouble()) << lines[k].toStdString();
        totalValue += f[7].toDouble();
    }
    EXPECT_EQ(numbers.size(), 43);
    EXPECT_TRUE(lines[0].contains(QStringLiteral("G000001"))); // Japanese text arrives as UTF-8 intact
    EXPECT_TRUE(dump.out.contains(QChar(u'倉')) || dump.out.contains(QChar(u'棚')) || dump.out.contains(QChar(u'室')));

    const CliRun info = RunCliIn(folder, {QStringLiteral("info")});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    const auto values = infoValues(info);
    EXPECT_EQ(values.value(QStringLiteral("records")), QStringLiteral("43"));
    EXPECT_EQ(values.value(QStringLiteral("start-month")), QStringLiteral("2023/04"));
    EXPECT_EQ(values.value(QStringLiteral("total-stock-value")).toDouble(), totalValue);

    const CliRun page = RunCliIn(folder, {QStringLiteral("dump"), QStringLiteral("--from"), QStringLiteral("42"),
                                          QStringLiteral("--count"), QStringLiteral("5")});
    ASSERT_EQ(page.exitCode, 0);
    EXPECT_EQ(page.outLines(), lines.mid(41));
    EXPECT_TRUE(RunCliIn(folder, {QStringLiteral("dump"), QStringLiteral("--from=50")}).out.isEmpty());

    const CliRun verify = RunCliIn(folder, {QStringLiteral("verify")});
    EXPECT_EQ(verify.exitCode, 0) << verify.out.toStdString();
    EXPECT_EQ(verify.out, QStringLiteral("ok\n"));
}

TEST_F(TevCliTest, VerifyReportsADamagedTailAndABadRecordEnd)
{
    const QString folder = preparedFolder();
    const QString ledger = folder + DataFileName::Ledger;
    WriteTestLedger(ledger, 3);
    QByteArray bytes = TempClient::readBytes(ledger);
    bytes[2 * ItemRecord::Length - 2] = '\n'; // record 2 ends in LF LF
    bytes.append(QByteArray(100, 'x'));
    TempClient::writeBytes(ledger, bytes);

    const CliRun run = RunCliIn(folder, {QStringLiteral("verify")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.outLines(), (QStringList{QStringLiteral("ledger: damaged tail of 100 bytes after record 3 (ignored)"),
                                           QStringLiteral("record 2: record end is not CR LF")}));
    EXPECT_EQ(TempClient::readBytes(ledger), bytes); // verify changes nothing
}

TEST_F(TevCliTest, BadUsageExitsWithTwoAndTouchesNothing)
{
    const QString untouched = path(QStringLiteral("untouched"));
    const QList<QStringList> cases = {
        {},
        {QStringLiteral("frobnicate")},
        {QStringLiteral("move"), QStringLiteral("A-1"), QStringLiteral("--month"), QStringLiteral("1")},
        {QStringLiteral("--verbose"), QStringLiteral("info")},
        {QStringLiteral("info"), QStringLiteral("extra")},
        {QStringLiteral("verify"), QStringLiteral("--from"), QStringLiteral("1")},
        {QStringLiteral("dump"), QStringLiteral("--from"), QStringLiteral("0")},
        {QStringLiteral("dump"), QStringLiteral("--count"), QStringLiteral("-1")},
        {QStringLiteral("dump"), QStringLiteral("--from")},
        {QStringLiteral("dump"), QStringLiteral("7")},
        {QStringLiteral("generate")},
        {QStringLiteral("generate"), QStringLiteral("0")},
        {QStringLiteral("generate"), QStringLiteral("ten")},
        {QStringLiteral("generate"), QStringLiteral("2"), QStringLiteral("3")},
        {QStringLiteral("generate"), QStringLiteral("2"), QStringLiteral("--seed"), QStringLiteral("4294967296")},
    };
    for (const QStringList& args : cases) {
        const CliRun run = RunCliIn(untouched, args);
        EXPECT_EQ(run.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("usage: tev-cli"))) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << args.join(u' ').toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(untouched));
    EXPECT_EQ(RunCli({QStringLiteral("--client-folder")}).exitCode, 2);
}

TEST_F(TevCliTest, GeneratePastTheCapacityIsRefusedAndWritesNothing)
{
    const QString folder = preparedFolder();
    const QString ledger = folder + DataFileName::Ledger;
    WriteTestLedger(ledger, 50008);
    const qint64 size = QFileInfo(ledger).size();

    CliRun run = RunCliIn(folder, {QStringLiteral("generate"), QStringLiteral("2")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err, QStringLiteral("台帳データが 許容量台数 50009を超えました\n　確認してください。\n"));
    EXPECT_EQ(QFileInfo(ledger).size(), size);

    run = RunCliIn(folder, {QStringLiteral("generate"), QStringLiteral("1")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("records: 50009\n"));

    // A full ledger is no fault: the commands that only read say nothing about it.
    run = RunCliIn(folder, {QStringLiteral("info")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    EXPECT_EQ(infoValues(run).value(QStringLiteral("records")), QStringLiteral("50009"));

    // One past it (written by another program) is: records after 50009 are not used.
    WriteTestLedger(ledger, 50100);
    run = RunCliIn(folder, {QStringLiteral("info")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, QStringLiteral("tev-cli info: the ledger holds 50100 records, more than its capacity of 50009; "
                                      "records after 50009 are not used\n"));
}

TEST_F(TevCliTest, ClientFolderComesFromTheOptionBeforeTheEnvironment)
{
    const QString fromEnv = preparedFolder(QStringLiteral("env"));
    const QString fromOption = preparedFolder(QStringLiteral("option"));
    EXPECT_EQ(infoValues(RunCli({QStringLiteral("info")}, fromEnv)).value(QStringLiteral("data-folder")), fromEnv);
    const CliRun both = RunCli({QStringLiteral("--client-folder"), fromOption, QStringLiteral("info")}, fromEnv);
    EXPECT_EQ(infoValues(both).value(QStringLiteral("data-folder")), fromOption);
}

TEST_F(TevCliTest, AnUnreachableDataFolderIsNotSwitchedBackUnasked)
{
    // The client points to a data folder that does not exist: the start-up offers the recovery,
    // the console answers No, so the client settings stay as they were.
    const QString folder = preparedFolder();
    const QString missing = path(QStringLiteral("gone")) + u'/';
    QStringList client(50);
    client[ClientLine::DataFolder - 1] = missing;
    client[ClientLine::PreviousDataFolder - 1] = missing;
    TempClient::writeSettings(folder + SettingsFileName::Client, client);
    const QByteArray before = TempClient::readBytes(folder + SettingsFileName::Client);

    const CliRun run = RunCliIn(folder, {QStringLiteral("info")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith(missing + QStringLiteral("\n データフォルダー位置がおかしいです。\n"
                                                            " 一旦クライアントフォルダー設定に戻します。\n(answered No)\n")))
        << run.err.toStdString();
    EXPECT_EQ(TempClient::readBytes(folder + SettingsFileName::Client), before);
}

} // namespace
