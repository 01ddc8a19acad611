// tev-cli filter, sort, delete and recalc, run as a binary on a temporary client folder.
#include "cli_process_helper.h"
#include "storage/item_record.h"
#include "storage/paths.h"
#include "storage/settings_lines.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class LedgerCommandsCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = m_dir.filePath(u"client"_s) + u'/';
        PrepareCliClientFolder(folder, u"2023/04"_s);
        // number, name, specification, stock value
        const QStringList items[] = {{u"9"_s, u"ボルト"_s, u"M8"_s, u" 100"_s},   {u"X1"_s, QString(), u"M8"_s, u" 5"_s},
                                     {u"10"_s, u"ボルト"_s, u"M10"_s, u" 200"_s}, {u"A1"_s, u"ナット"_s, u"M8"_s, u" 1.5"_s}};
        QFile file(ledgerPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (const QStringList& item : items) {
            ItemRecord record;
            record.setText(ItemField::Number, item[0]);
            record.setText(ItemField::Name, item[1]);
            record.setText(ItemField::Shiyo, item[2]);
            record.setText(ItemField::StockValue, item[3]);
            file.write(record.data(), ItemRecord::Length);
        }
    }
    QString ledgerPath() const { return folder + DataFileName::Ledger; }
    CliRun run(const QStringList& args) { return RunCliIn(folder, args); }
    QStringList numbers()
    {
        const CliRun dump = run({u"dump"_s});
        QStringList numbers;
        for (const QString& line : dump.outLines())
            numbers.append(line.split(u'\t').value(1));
        return numbers;
    }

    QTemporaryDir m_dir;
    QString folder;
};

TEST_F(LedgerCommandsCliTest, FilterPrintsTheHitsAndRefusesBadConditions)
{
    struct Case {
        QStringList args;
        int exitCode;
        QStringList lines;
    };
    const Case cases[] = {
        {{u"2=ボルト"_s}, 0, {u"1"_s, u"3"_s, u"hits: 2"_s}},
        {{u"3=M8"_s, u"2=ト"_s}, 0, {u"1"_s, u"4"_s, u"hits: 2"_s}},
        {{u"2=ぼると"_s}, 0, {u"hits: 0"_s}},
        {{u"2="_s}, 1, {}},            // no complete condition
        {{u"6=100"_s}, 2, {}},         // a column that cannot be filtered
        {{u"ボルト"_s}, 2, {}},
        {{}, 2, {}},
        {{u"1=a"_s, u"2=b"_s, u"3=c"_s, u"4=d"_s}, 2, {}},
    };
    for (const Case& c : cases) {
        const CliRun result = run(QStringList{u"filter"_s} + c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args.join(u' ').toStdString() << result.err.toStdString();
        if (c.exitCode == 0)
            EXPECT_EQ(result.outLines(), c.lines) << c.args.join(u' ').toStdString();
    }
    EXPECT_TRUE(run({u"filter"_s, u"2="_s}).err.contains(u"絞込の条件が設定されてません。"_s));
}

TEST_F(LedgerCommandsCliTest, SortAndDeleteCommitAndRecalcSums)
{
    CliRun result = run({u"recalc"_s});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.outLines(), QStringList{u"total-stock-value: 306.5"_s});

    result = run({u"sort"_s});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.outLines(), QStringList{u"records: 3"_s});
    EXPECT_EQ(numbers(), (QStringList{u"A1"_s, u"10"_s, u"9"_s}));
    // The sort leaves no working copy or temporary file behind.
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        EXPECT_FALSE(name.startsWith(u"Ma在庫品仮"_s) || name.startsWith(u"Ma在庫品.dat."_s)) << name.toStdString();

    for (const QStringList& bad : {QStringList{}, QStringList{u"x"_s}, QStringList{u"0"_s}})
        EXPECT_EQ(run(QStringList{u"delete"_s} + bad).exitCode, 2) << bad.join(u' ').toStdString();
    const QByteArray before = TempClient::readBytes(ledgerPath());
    EXPECT_EQ(run({u"delete"_s, u"4"_s}).exitCode, 1);
    EXPECT_EQ(TempClient::readBytes(ledgerPath()), before);

    result = run({u"delete"_s, u"3"_s, u"1"_s, u"3"_s});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.outLines(), (QStringList{u"removed: 1\tA1"_s, u"removed: 3\t9"_s, u"records: 1"_s}));
    EXPECT_EQ(numbers(), QStringList{u"10"_s});
    EXPECT_EQ(run({u"recalc"_s}).outLines(), QStringList{u"total-stock-value: 200"_s});
}

} // namespace

namespace {

// A year end from a script: the month is checked against the file, the copy's path and the count
// are printed, and the same year end a second time, or while all clients are stopped, is refused.
TEST_F(LedgerCommandsCliTest, RolloverStartsTheNextYearOnceAndOnlyThat)
{
    const QByteArray old = TempClient::readBytes(ledgerPath());
    struct Refusal {
        QStringList args;
        int exitCode;
    };
    const Refusal refusals[] = {{{u"2023/10"_s}, 1}, {{u"2025/04"_s}, 1}, {{u"april"_s}, 2}, {{}, 2}};
    for (const Refusal& r : refusals)
        EXPECT_EQ(run(QStringList{u"rollover"_s} + r.args).exitCode, r.exitCode) << r.args.join(u' ').toStdString();
    EXPECT_EQ(TempClient::readBytes(ledgerPath()), old);

    const CliRun done = run({u"rollover"_s, u"2024/04"_s});
    ASSERT_EQ(done.exitCode, 0) << done.err.toStdString();
    ASSERT_EQ(done.outLines().size(), 2);
    const QString copy = done.outLines()[0].mid(QStringLiteral("copy: ").size());
    EXPECT_TRUE(copy.startsWith(folder + u"M在庫台帳/Ma在庫品_"_s)) << copy.toStdString();
    EXPECT_EQ(TempClient::readBytes(copy), old);
    EXPECT_EQ(done.outLines()[1], u"records: 4"_s);
    EXPECT_TRUE(run({u"info"_s}).out.contains(u"2024/04"_s));

    const CliRun again = run({u"rollover"_s, u"2024/04"_s});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.err.contains(u"既に 2024/04"_s)) << again.err.toStdString();

    QStringList shared(50);
    shared[SharedLine::StartMonth - 1] = u"2024/04"_s;
    shared[SharedLine::StopAll - 1] = u"1"_s;
    shared[SharedLine::StopSetBy - 1] = u"PC-ADMIN"_s;
    TempClient::writeSettings(folder + SettingsFileName::Shared, shared);
    const QByteArray rolled = TempClient::readBytes(ledgerPath());
    const CliRun stopped = run({u"rollover"_s, u"2025/04"_s});
    EXPECT_EQ(stopped.exitCode, 1);
    EXPECT_EQ(TempClient::readBytes(ledgerPath()), rolled);
}

} // namespace
