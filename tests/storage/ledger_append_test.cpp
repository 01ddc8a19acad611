#include "storage/ledger_append.h"

#include "storage/ledger_file.h"
#include "support/temp_client_support.h"

#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>

TEST(LedgerAppend, StoresAtTheTrueEndEvenWhenTheShownCountIsStale)
{
    TempClient client;
    WriteTestLedger(client.ledgerPath(), 5);
    client.state.RecordCount = 2; // another client appended since this one looked
    client.state.CurrentRecord.clear();
    client.state.CurrentRecord.setText(0, QStringLiteral("新品"));

    const AppendResult result = StoreNewItem(client.state);

    ASSERT_TRUE(result.stored());
    EXPECT_EQ(result.firstRecordNo, 6);
    EXPECT_EQ(client.state.CurrentRecordNo, 6);
    EXPECT_EQ(client.state.RecordCount, 6);
    ASSERT_TRUE(OpenLedger(client.state));
    ASSERT_TRUE(ReadRecord(client.state, 5));
    EXPECT_EQ(client.state.CurrentRecord.text(0), QStringLiteral("A5")); // not overwritten
    ASSERT_TRUE(ReadRecord(client.state, 6));
    EXPECT_EQ(client.state.CurrentRecord.text(0), QStringLiteral("新品"));
    CloseLedger(client.state);
}

TEST(LedgerAppend, AFullLedgerRefusesWithTheCapacityMessageAndWritesNothing)
{
    TempClient client;
    WriteTestLedger(client.ledgerPath(), 50009);
    const QByteArray before = TempClient::readBytes(client.ledgerPath());

    const AppendResult result = StoreNewItem(client.state);

    EXPECT_EQ(result.status, AppendResult::Status::LedgerFull);
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].text, QStringLiteral("台帳データが 許容量台数 50009を超えました\r　確認してください。"));
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), before);
}

TEST(LedgerAppend, TheLastFreePlaceIsTakenAndABatchIsAllOrNothing)
{
    TempClient client;
    WriteTestLedger(client.ledgerPath(), 50007);
    const auto fill = [](int recordNo, ItemRecord& record) {
        record.setText(0, QStringLiteral("B") + QString::number(recordNo));
    };
    EXPECT_EQ(AppendRecords(client.state, 3, fill).status, AppendResult::Status::LedgerFull);
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()).size(), 50007LL * 926);

    const AppendResult two = AppendRecords(client.state, 2, fill);
    ASSERT_TRUE(two.stored());
    EXPECT_EQ(two.firstRecordNo, 50008);
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()).size(), 50009LL * 926);
}

TEST(LedgerAppend, ADamagedTailIsNotKeptBetweenRecords)
{
    TempClient client;
    WriteTestLedger(client.ledgerPath(), 2);
    QFile file(client.ledgerPath());
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("half a record"); // shorter than half a record: overwritten
    file.close();
    ASSERT_TRUE(StoreNewItem(client.state).stored());
    EXPECT_EQ(client.state.CurrentRecordNo, 3);
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()).size(), 3 * 926);
}

TEST(LedgerAppend, TwoProcessesAppendingAtOnceLoseNothing)
{
    TempClient client;
    const QString worker = QStringLiteral(TEV_BIN_DIR "/tev-append-worker");
    QProcess first;
    QProcess second;
    first.start(worker, {client.dataFolder(), QStringLiteral("P"), QStringLiteral("200")});
    second.start(worker, {client.dataFolder(), QStringLiteral("Q"), QStringLiteral("200")});
    ASSERT_TRUE(first.waitForFinished(120000));
    ASSERT_TRUE(second.waitForFinished(120000));
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_EQ(second.exitCode(), 0);

    ASSERT_TRUE(OpenLedger(client.state));
    EXPECT_EQ(client.state.RecordCount, 400);
    QSet<QString> numbers;
    ScanLedger(client.state, 1, client.state.RecordCount,
               [&](int, const ItemRecord& record) { numbers.insert(record.text(0)); });
    CloseLedger(client.state);
    EXPECT_EQ(numbers.size(), 400);
    for (int k = 1; k <= 200; ++k) {
        EXPECT_TRUE(numbers.contains(QStringLiteral("P") + QString::number(k)));
        EXPECT_TRUE(numbers.contains(QStringLiteral("Q") + QString::number(k)));
    }
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()).size(), 400 * 926);
}
