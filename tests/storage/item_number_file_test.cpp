#include "storage/item_number_file.h"

#include "storage/ledger_file.h"
#include "storage/settings_files.h"
#include "storage/shared_checks.h"
#include "support/temp_client_support.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// Writes records with the given item numbers and stock values.
void writeLedger(TempClient& client, const QList<std::pair<QString, QString>>& items)
{
    ASSERT_TRUE(OpenLedger(client.state));
    int n = 0;
    for (const auto& [number, value] : items) {
        client.state.CurrentRecord.clear();
        client.state.CurrentRecord.setText(0, number);
        client.state.CurrentRecord.setText(1, QStringLiteral("ボルト"));
        client.state.CurrentRecord.setText(6, value);
        ASSERT_TRUE(WriteRecord(client.state, ++n));
    }
    CloseLedger(client.state);
}

} // namespace

TEST(ItemNumberTable, EmptyLedger)
{
    TempClient client;
    client.state.TotalStockValue = 99;
    RebuildItemNumberTable(client.state);
    WriteItemNumberFile(client.state);
    EXPECT_EQ(client.state.TotalStockValue, 0);
    EXPECT_EQ(client.state.ItemNumbers.rowCount(), 0);
    EXPECT_TRUE(QFile::exists(client.dataFolder() + QStringLiteral("Ma在庫品No.dat")));
    EXPECT_TRUE(TempClient::readBytes(client.dataFolder() + QStringLiteral("Ma在庫品No.dat")).isEmpty());
    EXPECT_FALSE(FindItemNumber(client.state, QString()));
    EXPECT_FALSE(FindItemNumber(client.state, QStringLiteral("A-01")));
}

TEST(ItemNumberTable, RebuildFillsRowsSumsValuesAndWritesTheFile)
{
    TempClient client;
    writeLedger(client, {{QStringLiteral("A-01"), QStringLiteral(" 1200")}, {QStringLiteral("B-02"), QStringLiteral("")},
                         {QStringLiteral("C-03"), QStringLiteral(" 300.5")}});
    RebuildItemNumberTable(client.state);
    WriteItemNumberFile(client.state);

    EXPECT_DOUBLE_EQ(client.state.TotalStockValue, 1500.5);
    EXPECT_EQ(client.state.ItemNumbers.row(1).name, QStringLiteral("ボルト"));
    EXPECT_EQ(client.state.ItemNumbers.row(1).stockValue, QStringLiteral("1200"));
    EXPECT_EQ(TempClient::readBytes(client.dataFolder() + QStringLiteral("Ma在庫品No.dat")).left(30),
              QByteArray("\"A-01\",\"\x83\x7b\x83\x8b\x83\x67\",\"\",\"\",\"1200\"\r\n"));

    SumStockValue(client.state);
    EXPECT_DOUBLE_EQ(client.state.TotalStockValue, 1500.5);
    SumFilteredStockValue(client.state, {3, 0, 1});
    EXPECT_DOUBLE_EQ(client.state.FilteredStockValue, 1500.5);
    SumFilteredStockValue(client.state, {2});
    EXPECT_DOUBLE_EQ(client.state.FilteredStockValue, 0);
}

TEST(ItemNumberTable, SearchesFindTheLowestRecordAndCanSkipTheEditedOne)
{
    TempClient client;
    QList<std::pair<QString, QString>> items;
    for (int n = 1; n <= 12; ++n)
        items.append({QStringLiteral("N%1").arg(n), QString()});
    items[11].first = QStringLiteral("N7"); // record 12 has the number of record 7
    writeLedger(client, items);
    RebuildItemNumberTable(client.state);

    EXPECT_TRUE(FindItemNumber(client.state, QStringLiteral("N7")));
    EXPECT_EQ(client.state.FoundRecordNo, 7);
    EXPECT_FALSE(FindItemNumber(client.state, QStringLiteral("n7"))); // exact comparison
    EXPECT_FALSE(FindItemNumber(client.state, QStringLiteral(" N7")));

    client.state.CurrentRecordNo = 7;
    EXPECT_TRUE(FindOtherItemNumber(client.state, QStringLiteral("N7")));
    EXPECT_EQ(client.state.FoundRecordNo, 12);
    EXPECT_FALSE(FindOtherItemNumber(client.state, QStringLiteral("N3")) && client.state.FoundRecordNo == 7);

    client.state.CurrentRecordNo = 3;
    EXPECT_FALSE(FindOtherItemNumber(client.state, QStringLiteral("N3")));
}

TEST(ItemNumberTable, DailyRebuildFollowsTheStoredDate)
{
    const QDate today(2026, 12, 10);
    struct Case {
        QString stored;
        bool loaded;
        QString storedAfter;
    };
    const Case cases[] = {
        {QString(), false, QStringLiteral("2026/12/10")},
        {QStringLiteral("2026/12/09"), false, QStringLiteral("2026/12/10")},
        {QStringLiteral("2026/12/10"), false, QStringLiteral("2026/12/10")},
        {QStringLiteral("2026/12/11"), false, QStringLiteral("2026/12/11")}, // tomorrow: left alone
        {QStringLiteral("2026/12/01"), true, QStringLiteral("2026/12/01")},  // already loaded this run
    };
    for (const Case& c : cases) {
        TempClient client;
        writeLedger(client, {{QStringLiteral("A-01"), QStringLiteral(" 10")}});
        client.state.SharedSettings[13] = c.stored;
        client.state.ItemTableLoaded = c.loaded;

        BringItemNumberTableUpToDate(client.state, today);

        EXPECT_EQ(client.state.SharedSettings[13], c.storedAfter) << c.stored.toStdString();
        EXPECT_TRUE(client.state.ItemTableLoaded);
        // Whichever way, the table holds the ledger (the file it would read is never written).
        EXPECT_EQ(client.state.ItemNumbers.row(1).number, QStringLiteral("A-01"));
        EXPECT_TRUE(QFile::exists(client.dataFolder() + QStringLiteral("Ma在庫品No.dat")));
    }
}

TEST(SharedChecks, StopAllEndsOnlyClientsWithoutAdministratorRights)
{
    struct Case {
        QString stop;
        QString admin;
        bool ends;
    };
    const Case cases[] = {
        {QStringLiteral("1"), QStringLiteral("0"), true},
        {QStringLiteral("1"), QStringLiteral("1"), false},
        {QStringLiteral("0"), QStringLiteral("0"), false},
        {QString(), QString(), false},
    };
    for (const Case& c : cases) {
        TempClient client;
        client.state.SharedSettings[1] = c.stop;
        ASSERT_TRUE(WriteSharedSettings(client.state));
        client.state.SharedSettings[1] = QString(); // the stop is seen only after a fresh read
        client.state.ClientSettings[15] = c.admin;

        EXPECT_EQ(CheckStopAll(client.state), !c.ends);

        EXPECT_EQ(client.endRequests, c.ends ? 1 : 0);
        if (c.ends) {
            ASSERT_EQ(client.dialogs.shown().size(), 1);
            EXPECT_EQ(client.dialogs.shown()[0].title, QStringLiteral("管理確認"));
            EXPECT_EQ(client.dialogs.shown()[0].text,
                      QStringLiteral(" 管理者権限で全クライアントサーバが停止設定されました。 \r ソフトを停止します。 "));
        } else {
            EXPECT_TRUE(client.dialogs.shown().isEmpty());
        }
    }
}
