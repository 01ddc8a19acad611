#include "storage/ledger_file.h"

#include "storage/item_record.h"
#include "support/temp_client_support.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(LedgerFile, MissingLedgerIsCreatedEmpty)
{
    TempClient client;
    client.state.RecordCount = 7;
    ASSERT_TRUE(OpenLedger(client.state));
    CloseLedger(client.state);
    EXPECT_EQ(client.state.RecordCount, 0);
    EXPECT_TRUE(QFile::exists(client.ledgerPath()));
    EXPECT_TRUE(client.dialogs.shown().isEmpty());
}

TEST(LedgerFile, CapacityBoundary)
{
    struct Case {
        int records;
        bool message;
        int count;
    };
    const Case cases[] = {{50008, false, 50008}, {50009, true, 50009}, {50100, true, 50009}};
    for (const Case& c : cases) {
        TempClient client;
        WriteTestLedger(client.ledgerPath(), c.records);
        client.state.CurrentRecordNo = 3;
        ASSERT_TRUE(OpenLedger(client.state));
        EXPECT_EQ(client.state.RecordCount, c.count) << c.records;
        if (c.message) {
            ASSERT_EQ(client.dialogs.shown().size(), 1);
            EXPECT_EQ(client.dialogs.shown()[0].title, QStringLiteral("データ容量確認"));
            EXPECT_EQ(client.dialogs.shown()[0].text,
                      QStringLiteral("台帳データが 許容量台数 50009を超えました\r　確認してください。"));
            EXPECT_EQ(client.state.CurrentRecordNo, 50009);
            // Records beyond the capacity are not read.
            EXPECT_TRUE(ReadRecord(client.state, 50009));
            EXPECT_FALSE(ReadRecord(client.state, 50010));
        } else {
            EXPECT_TRUE(client.dialogs.shown().isEmpty());
            EXPECT_EQ(client.state.CurrentRecordNo, 3);
        }
        CloseLedger(client.state);
    }
}

TEST(LedgerFile, DamagedTailCountsByRounding)
{
    struct Case {
        int extraBytes;
        int count;
    };
    const Case cases[] = {{0, 3}, {1, 3}, {462, 3}, {463, 4}, {925, 4}};
    for (const Case& c : cases) {
        TempClient client;
        WriteTestLedger(client.ledgerPath(), 3);
        QFile file(client.ledgerPath());
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(QByteArray(c.extraBytes, 'x'));
        file.close();
        ASSERT_TRUE(OpenLedger(client.state));
        EXPECT_EQ(client.state.RecordCount, c.count) << c.extraBytes;
        // The partial record reads as what is there, the rest blank, without a crash.
        EXPECT_TRUE(ReadRecord(client.state, client.state.RecordCount));
        EXPECT_EQ(client.state.CurrentRecord.data()[924], '\r');
        CloseLedger(client.state);
    }
}

TEST(LedgerFile, RecordsSitAtTheirOffsetsAndEndInCrLf)
{
    TempClient client;
    ASSERT_TRUE(OpenLedger(client.state));
    for (int n = 1; n <= 3; ++n) {
        client.state.CurrentRecord.clear();
        client.state.CurrentRecord.setText(0, QStringLiteral("No%1").arg(n));
        ASSERT_TRUE(WriteRecord(client.state, n));
    }
    EXPECT_EQ(client.state.RecordCount, 3);
    // Beyond the end + 1 is refused.
    EXPECT_FALSE(WriteRecord(client.state, 5));
    // Correct record 2 in place.
    client.state.CurrentRecord.setText(0, QStringLiteral("修正"));
    ASSERT_TRUE(WriteRecord(client.state, 2));
    CloseLedger(client.state);

    const QByteArray bytes = TempClient::readBytes(client.ledgerPath());
    ASSERT_EQ(bytes.size(), 3 * 926);
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(bytes.mid(n * 926 - 2, 2), QByteArray("\r\n"));
    EXPECT_EQ(bytes.mid(2 * 926, 4), QByteArray("No3 "));
    EXPECT_EQ(bytes.mid(926, 4), QByteArray("\x8f\x43\x90\xb3"));

    ASSERT_TRUE(OpenLedger(client.state));
    ASSERT_TRUE(ReadRecord(client.state, 2));
    EXPECT_EQ(client.state.CurrentRecord.text(0), QStringLiteral("修正"));
    EXPECT_FALSE(ReadRecord(client.state, 4));
    EXPECT_FALSE(ReadRecord(client.state, 0));
    CloseLedger(client.state);
}

TEST(LedgerFile, ScanVisitsEveryRecordInOrder)
{
    TempClient client;
    WriteTestLedger(client.ledgerPath(), 9000); // more than one read block
    ASSERT_TRUE(OpenLedger(client.state));
    int visited = 0;
    bool inOrder = true;
    ScanLedger(client.state, 1, client.state.RecordCount, [&](int n, const ItemRecord& record) {
        ++visited;
        inOrder = inOrder && record.text(0) == QStringLiteral("A") + QString::number(n);
    });
    CloseLedger(client.state);
    EXPECT_EQ(visited, 9000);
    EXPECT_TRUE(inOrder);
}

TEST(LedgerFile, RewriteFileProtocol)
{
    TempClient client;
    WriteTestLedger(client.ledgerPath(), 3);
    TempClient::writeBytes(client.dataFolder() + QStringLiteral("Ma在庫品仮.dat"), QByteArray(926 * 5, ' '));

    ASSERT_TRUE(OpenLedger(client.state));
    ASSERT_TRUE(OpenRewriteFile(client.state));
    EXPECT_EQ(client.state.CurrentRecordNo, 5);
    DeleteRewriteFile(client.state);
    ASSERT_TRUE(OpenRewriteFile(client.state));
    EXPECT_EQ(client.state.CurrentRecordNo, 0);
    // Keep records 3 and 1, in that order.
    int k = 0;
    for (int n : {3, 1}) {
        ASSERT_TRUE(ReadRecord(client.state, n));
        client.state.RewriteRecord = client.state.CurrentRecord;
        ASSERT_TRUE(WriteRewriteRecord(client.state, ++k));
    }
    CloseLedger(client.state);
    CloseRewriteFile(client.state);
    ASSERT_TRUE(OpenRewriteFile(client.state));
    EXPECT_EQ(client.state.CurrentRecordNo, 2);
    ASSERT_TRUE(ReadRewriteRecord(client.state, 1));
    EXPECT_EQ(client.state.RewriteRecord.text(0), QStringLiteral("A3"));
    EXPECT_FALSE(ReadRewriteRecord(client.state, 3));
    DeleteRewriteFile(client.state);
    EXPECT_FALSE(QFile::exists(client.dataFolder() + QStringLiteral("Ma在庫品仮.dat")));
    DeleteRewriteFile(client.state); // a missing file is not an error
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()).size(), 3 * 926); // ledger untouched
}

TEST(LedgerFile, UnreachableFolderFailsQuietly)
{
    TempClient client;
    client.state.DataFolder = client.root() + QStringLiteral("/missing/");
    client.state.RecordCount = 4;
    EXPECT_FALSE(OpenLedger(client.state));
    EXPECT_EQ(client.state.RecordCount, 4);
    EXPECT_FALSE(ReadRecord(client.state, 1));
    EXPECT_TRUE(client.dialogs.shown().isEmpty());
}
