// The change log: its line format, the fields a store names, the history of one item, and
// appends of several processes that never mix.
#include "storage/change_log.h"
#include "storage/cp932_codec.h"
#include "storage/ledger_append.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QThread>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QString logPath(const TempClient& client)
{
    return client.dataFolder() + u"Ma在庫品履歴.log"_s;
}

QList<QByteArray> logLines(const TempClient& client)
{
    QByteArray bytes = TempClient::readBytes(logPath(client));
    EXPECT_TRUE(bytes.isEmpty() || bytes.endsWith("\r\n"));
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast();
    for (QByteArray& line : lines) {
        EXPECT_TRUE(line.endsWith('\r'));
        line.chop(1);
    }
    return lines;
}

TEST(ChangeLogLine, IsCp932TabSeparatedWithCrLfAndReadsBack)
{
    const ChangeLogEntry entry{u"2026/05/01 09:30:00"_s, u"PC-12"_s, u"訂正"_s, 7, u"A7"_s,
                               {u"品名: ボルト → ナット"_s, u"入庫 2026/04月: 5 → 8"_s}};
    const QByteArray line = FormatChangeLogLine(entry);
    EXPECT_EQ(line, Cp932::encode(u"2026/05/01 09:30:00\tPC-12\t訂正\t7\tA7\t品名: ボルト → ナット\t入庫 2026/04月: 5 → 8\r\n"_s));
    EXPECT_EQ(ParseChangeLogLine(line.chopped(2)), entry);

    // A line about a whole operation leaves record and item number empty; tabs and line breaks
    // inside values cannot split a line.
    const ChangeLogEntry summary{u"2026/05/01 09:30:00"_s, u"PC\t1"_s, u"並替"_s, 0, QString(), {u"件数:\r\n3"_s}};
    const QByteArray summaryLine = FormatChangeLogLine(summary);
    EXPECT_EQ(summaryLine, QByteArray("2026/05/01 09:30:00\tPC 1\t") + Cp932::encode(u"並替"_s) + "\t\t\t"
                               + Cp932::encode(u"件数:  3"_s) + "\r\n");
    EXPECT_EQ(ParseChangeLogLine(summaryLine.chopped(2)).recordNo, 0);
}

TEST(ChangeLogDiff, NamesEachChangedFieldWithOldAndNewText)
{
    ItemRecord before;
    before.setText(ItemField::Number, u"A1"_s);
    before.setText(ItemField::Name, u"ボルト"_s);
    before.setText(ItemField::Stock, u" 5"_s);
    before.setQty(QtyRow::Received, 1, u"5"_s);
    ItemRecord after = before;
    after.setText(ItemField::Name, u"六角ボルト"_s);
    after.setText(ItemField::Stock, u"5"_s); // the same number written differently: no change
    after.setQty(QtyRow::Received, 1, u"8"_s);
    after.setQty(QtyRow::Issued, 13, u"2"_s);

    EXPECT_EQ(DescribeChanges(before, after, PlainFieldNames()),
              (QStringList{u"text[1]: ボルト → 六角ボルト"_s, u"qty[1][1]: 5 → 8"_s, u"qty[2][13]:  → 2"_s}));
    EXPECT_TRUE(DescribeChanges(before, before, PlainFieldNames()).isEmpty());
}

TEST(ChangeLogHistory, ReturnsTheLinesOfOneItemOldestFirst)
{
    TempClient client;
    client.state.PcName = u"PC-1"_s;
    EXPECT_TRUE(ReadItemHistory(client.state, u"A1"_s).isEmpty()); // no log yet

    ChangeLog first(client.state, ChangeOperation::NewItem);
    first.addLine(1, u"A1"_s, {u"品名:  → ボルト"_s});
    first.addLine(10, u"A10"_s);
    ASSERT_TRUE(first.write());
    EXPECT_EQ(first.lineCount(), 0); // written lines are forgotten

    client.state.ChangeOrigin = u"tev-cli move"_s;
    ChangeLog second(client.state, ChangeOperation::Correction);
    second.addSummary({u"件数: 10"_s});
    second.addLine(1, u"A1"_s, {u"入庫 2026/04月: 5 → 8"_s});
    ASSERT_TRUE(second.write());

    const QList<ChangeLogEntry> history = ReadItemHistory(client.state, u"A1"_s);
    ASSERT_EQ(history.size(), 2);
    EXPECT_EQ(history[0].operation, u"新規登録"_s);
    EXPECT_EQ(history[0].changes, QStringList{u"品名:  → ボルト"_s});
    EXPECT_EQ(history[1].operation, u"訂正 (tev-cli move)"_s);
    EXPECT_EQ(history[1].pcName, u"PC-1"_s);
    EXPECT_EQ(history[1].recordNo, 1);
    EXPECT_TRUE(QDateTime::fromString(history[1].when, u"yyyy/MM/dd hh:mm:ss"_s).isValid());
    EXPECT_EQ(ReadItemHistory(client.state, u"A10"_s).size(), 1);
    EXPECT_TRUE(ReadItemHistory(client.state, u"A"_s).isEmpty());
    EXPECT_EQ(logLines(client).size(), 4);
}

TEST(ChangeLogAppend, StoringANewItemLeavesItsLineAndAFailingLogIsReportedOnceWithoutUndoingTheStore)
{
    TempClient client;
    client.state.CurrentRecord.setText(ItemField::Number, u"N1"_s);
    ASSERT_TRUE(StoreNewItem(client.state).stored());
    ASSERT_EQ(ReadItemHistory(client.state, u"N1"_s).size(), 1);
    EXPECT_EQ(ReadItemHistory(client.state, u"N1"_s)[0].operation, u"追加"_s);

    // A log that cannot be opened for appending (a folder stands in its place).
    ASSERT_TRUE(QFile::remove(logPath(client)));
    ASSERT_TRUE(QDir().mkdir(logPath(client)));
    client.state.CurrentRecord.setText(ItemField::Number, u"N2"_s);
    ASSERT_TRUE(StoreNewItem(client.state).stored());
    client.state.CurrentRecord.setText(ItemField::Number, u"N3"_s);
    const AppendResult third = StoreNewItem(client.state);
    ASSERT_TRUE(third.stored());
    EXPECT_FALSE(third.logWritten.ok);
    EXPECT_EQ(client.state.RecordCount, 3);
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].title, u"異常確認"_s);
    EXPECT_TRUE(client.dialogs.shown()[0].text.startsWith(u"　変更履歴に書き込めませんでした。\r　台帳の変更は登録されています。\r"_s));
    EXPECT_TRUE(client.dialogs.shown()[0].text.endsWith(logPath(client)));

    // Once the log works again, a later failure is told again.
    ASSERT_TRUE(QDir().rmdir(logPath(client)));
    client.state.CurrentRecord.setText(ItemField::Number, u"N4"_s);
    ASSERT_TRUE(StoreNewItem(client.state).stored());
    ASSERT_TRUE(QFile::remove(logPath(client)));
    ASSERT_TRUE(QDir().mkdir(logPath(client)));
    ASSERT_TRUE(StoreNewItem(client.state).stored());
    EXPECT_EQ(client.dialogs.shown().size(), 2);
}

// Two processes write batches of long lines at the same time: every batch lands whole.
TEST(ChangeLogAppend, BatchesOfTwoProcessesNeverInterleave)
{
    TempClient client;
    const QString worker = QStringLiteral(TEV_BIN_DIR "/tev-change-log-worker");
    constexpr int Batches = 400;
    constexpr int Lines = 12;
    QProcess first;
    QProcess second;
    first.start(worker, {client.dataFolder(), u"P"_s, QString::number(Batches), QString::number(Lines)});
    second.start(worker, {client.dataFolder(), u"Q"_s, QString::number(Batches), QString::number(Lines)});
    QElapsedTimer waited;
    waited.start();
    while (!(QFile::exists(client.dataFolder() + u"ready-P"_s) && QFile::exists(client.dataFolder() + u"ready-Q"_s))
           && waited.elapsed() < 30000)
        QThread::msleep(1);
    TempClient::writeBytes(client.dataFolder() + u"go"_s, {});
    ASSERT_TRUE(first.waitForFinished(60000));
    ASSERT_TRUE(second.waitForFinished(60000));
    ASSERT_EQ(first.exitCode(), 0);
    ASSERT_EQ(second.exitCode(), 0);

    const QList<QByteArray> lines = logLines(client);
    ASSERT_EQ(lines.size(), 2 * Batches * Lines);
    QSet<QString> batchesSeen;
    for (qsizetype at = 0; at < lines.size(); at += Lines) {
        const ChangeLogEntry head = ParseChangeLogLine(lines[at]);
        EXPECT_FALSE(batchesSeen.contains(head.itemNumber)) << head.itemNumber.toStdString();
        batchesSeen.insert(head.itemNumber);
        for (int k = 0; k < Lines; ++k) {
            const ChangeLogEntry entry = ParseChangeLogLine(lines[at + k]);
            ASSERT_EQ(entry.itemNumber, head.itemNumber) << "line " << at + k;
            ASSERT_EQ(entry.recordNo, k + 1) << "line " << at + k;
            ASSERT_EQ(entry.pcName, head.itemNumber.left(1));
            ASSERT_EQ(entry.changes, QStringList{QString(200, QChar(u'棚')) + QString::number(k + 1)});
        }
    }
    EXPECT_EQ(batchesSeen.size(), 2 * Batches);
}

// Clients that store new items at the same time: one line per item, with the record number the
// item received.
TEST(ChangeLogAppend, ConcurrentNewItemsEachLeaveTheirLineWithTheirRecordNumber)
{
    TempClient client;
    const QString worker = QStringLiteral(TEV_BIN_DIR "/tev-append-worker");
    QProcess first;
    QProcess second;
    first.start(worker, {client.dataFolder(), u"P"_s, u"100"_s});
    second.start(worker, {client.dataFolder(), u"Q"_s, u"100"_s});
    ASSERT_TRUE(first.waitForFinished(60000));
    ASSERT_TRUE(second.waitForFinished(60000));
    ASSERT_EQ(first.exitCode(), 0);
    ASSERT_EQ(second.exitCode(), 0);

    const QList<QByteArray> lines = logLines(client);
    ASSERT_EQ(lines.size(), 200);
    const QByteArray ledger = TempClient::readBytes(client.ledgerPath());
    QSet<int> records;
    for (const QByteArray& line : lines) {
        const ChangeLogEntry entry = ParseChangeLogLine(line);
        ASSERT_GE(entry.recordNo, 1);
        ASSERT_LE(entry.recordNo, 200);
        records.insert(entry.recordNo);
        ItemRecord stored;
        stored.assignBytes(ledger.constData() + (entry.recordNo - 1) * ItemRecord::Length);
        EXPECT_EQ(stored.text(ItemField::Number), entry.itemNumber);
    }
    EXPECT_EQ(records.size(), 200);
}

} // namespace
