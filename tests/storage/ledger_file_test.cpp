#include "storage/ledger_file.h"

#include "storage/item_record.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

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
        QString notice; // what the screens tell once on opening
        int count;
    };
    const QString message = QStringLiteral("台帳データが 許容量台数 50009を超えました\r　確認してください。");
    const Case cases[] = {
        {50008, QString(), 50008},
        {50009, message, 50009},
        {50100, message + QStringLiteral("\r　台帳の 50100 件のうち 50009 件目までを使用しています。"), 50009},
    };
    for (const Case& c : cases) {
        TempClient client;
        WriteTestLedger(client.ledgerPath(), c.records);
        client.state.CurrentRecordNo = 3;
        ASSERT_TRUE(OpenLedger(client.state));
        EXPECT_EQ(client.state.RecordCount, c.count) << c.records;
        // Opening the ledger shows nothing: every page turn and command opens it.
        EXPECT_TRUE(client.dialogs.shown().isEmpty());
        EXPECT_EQ(CapacityNotice(client.state), c.notice) << c.records;
        if (!c.notice.isEmpty()) {
            EXPECT_EQ(client.state.CurrentRecordNo, 50009);
            // Records beyond the capacity are not read.
            EXPECT_TRUE(ReadRecord(client.state, 50009));
            EXPECT_FALSE(ReadRecord(client.state, 50010));
        } else {
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

TEST(LedgerFile, WhatIsNotAPlainFileInTheLedgersPlaceIsRefusedWithItsReason)
{
    struct Case {
        const char* what;
        std::function<void(TempClient&)> prepare;
        int errorCode;
        QString said;
    };
    const Case cases[] = {
        {"a link", [](TempClient& c) {
             WriteTestLedger(c.root() + QStringLiteral("/elsewhere.dat"), 2);
             QFile::link(c.root() + QStringLiteral("/elsewhere.dat"), c.ledgerPath());
         }, ELOOP, QStringLiteral("シンボリックリンク")},
        {"a folder", [](TempClient& c) { QDir().mkpath(c.ledgerPath()); }, EISDIR, QStringLiteral("フォルダー")},
        {"a relative data folder", [](TempClient& c) { c.state.DataFolder = QString(); }, EINVAL, QString()},
    };
    for (const Case& c : cases) {
        TempClient client;
        c.prepare(client);
        const IoResult opened = OpenLedger(client.state);
        EXPECT_EQ(opened.errorCode, c.errorCode) << c.what;
        EXPECT_FALSE(client.state.ledgerFile) << c.what;
        EXPECT_TRUE(LedgerOpenFailureMessage(opened).contains(c.said)) << c.what;
    }
    // Nothing was created in the working folder for the relative one.
    EXPECT_FALSE(QFile::exists(QStringLiteral("Ma在庫品.dat")));
}

TEST(LedgerFile, AnUnreadableLedgerSaysSo)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    TempClient client;
    WriteTestLedger(client.ledgerPath(), 2);
    QFile::setPermissions(client.ledgerPath(), QFileDevice::WriteOwner);
    const IoResult opened = OpenLedger(client.state);
    EXPECT_EQ(opened.errorCode, EACCES);
    EXPECT_TRUE(LedgerOpenFailureMessage(opened).contains(QStringLiteral("読み取りの権限がありません")));
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
