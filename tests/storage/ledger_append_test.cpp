#include "ledger/ledger_repair.h"
#include "storage/ledger_append.h"

#include "storage/ledger_file.h"
#include "support/temp_client_support.h"

#include <QDateTime>
#include <QProcess>
#include <QSet>
#include <cerrno>
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

TEST(LedgerAppend, ADamagedLedgerIsNotWrittenOnUntilItIsRepaired)
{
    struct Case {
        const char* what;
        QByteArray tail;  // appended to two sound records
        bool cutLastEnd;  // the last record loses its CR LF
        QString named;
    };
    const Case cases[] = {
        {"short tail", QByteArray("half a record"), false, QStringLiteral("2 件目の後に 13 バイト")},
        {"tail counted as a record", QByteArray(830, ' '), false, QStringLiteral("2 件目の後に 830 バイト")},
        {"last record cut", QByteArray(), true, QStringLiteral("2 件目のレコードの終わり")},
    };
    for (const Case& c : cases) {
        TempClient client;
        WriteTestLedger(client.ledgerPath(), 2);
        QByteArray bytes = TempClient::readBytes(client.ledgerPath()) + c.tail;
        if (c.cutLastEnd)
            bytes[2 * 926 - 1] = ' ';
        TempClient::writeBytes(client.ledgerPath(), bytes);
        const AppendResult refused = StoreNewItem(client.state);
        EXPECT_EQ(refused.status, AppendResult::Status::Failed) << c.what;
        EXPECT_EQ(refused.io.errorCode, EBADMSG) << c.what;
        EXPECT_TRUE(LedgerWriteFailureMessage(refused.io).contains(c.named))
            << c.what << ": " << LedgerWriteFailureMessage(refused.io).toStdString();
        EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), bytes) << c.what;

        const RepairResult repaired = RepairLedger(client.state, QDateTime(QDate(2026, 12, 1), QTime(9, 30)));
        ASSERT_TRUE(repaired.io.ok) << c.what;
        EXPECT_TRUE(repaired.wasDamaged);
        // The damaged file is kept as it was, under a dated name.
        EXPECT_EQ(TempClient::readBytes(repaired.copyPath), bytes) << c.what;
        EXPECT_TRUE(repaired.copyPath.endsWith(QStringLiteral("M在庫台帳/Ma在庫品_破損_20261201_093000.dat")));
        EXPECT_EQ(repaired.recordsKept, c.cutLastEnd ? 1 : 2) << c.what;
        ASSERT_TRUE(StoreNewItem(client.state).stored()) << c.what;
        EXPECT_EQ(TempClient::readBytes(client.ledgerPath()).size(), (repaired.recordsKept + 1) * 926) << c.what;
    }
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
