#include "menu/stock_alerts.h"

#include "storage/item_record.h"
#include "support/temp_client_support.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

struct Item {
    const char* number; // empty: a record without an item
    const char* stock;
    const char* proper;
};

void writeLedger(const QString& path, std::initializer_list<Item> items)
{
    QByteArray bytes;
    ItemRecord record;
    for (const Item& item : items) {
        record.clear();
        record.setText(ItemField::Number, QString::fromLatin1(item.number));
        record.setText(ItemField::Stock, QString::fromLatin1(item.stock));
        record.setText(ItemField::ProperStock, QString::fromLatin1(item.proper));
        bytes += record.bytes();
    }
    TempClient::writeBytes(path, bytes);
}

} // namespace

TEST(StockAlerts, LampsLightForZeroStockAndStockBelowProper)
{
    const struct {
        std::initializer_list<Item> items;
        bool zero;
        bool below;
        int counted;
    } cases[] = {
        {{}, false, false, 0},
        {{{"A1", " 5", " 5"}, {"A2", " 12", " 3"}}, false, false, 2},
        {{{"A1", " 5", " 5"}, {"A2", " 0", ""}}, true, false, 2},
        {{{"A1", "", ""}}, true, false, 1}, // an empty stock reads as 0
        {{{"A1", " 4", " 5"}}, false, true, 1},
        {{{"A1", " 4.5", " 5"}}, false, true, 1},
        {{{"A1", " 0", " 2"}, {"A2", " 9", " 1"}}, true, true, 2},
        {{{"A1", "-1", ""}}, true, true, 1},
        // Records without an item number are not items.
        {{{"", " 0", " 5"}, {"A2", " 7", " 7"}, {"", "", ""}}, false, false, 1},
    };
    for (const auto& c : cases) {
        TempClient client;
        writeLedger(client.ledgerPath(), c.items);
        const StockAlerts alerts = ScanStockAlerts(client.state);
        const int row = static_cast<int>(&c - cases);
        EXPECT_EQ(alerts.zeroStock, c.zero) << row;
        EXPECT_EQ(alerts.belowProper, c.below) << row;
        EXPECT_EQ(alerts.items, c.counted) << row;
        EXPECT_EQ(client.state.ledgerFile, nullptr) << row;
    }
}

TEST(StockAlerts, MissingLedgerIsNotCreatedAndAFullOneSaysNothing)
{
    TempClient client;
    EXPECT_EQ(ScanStockAlerts(client.state).items, 0);
    EXPECT_FALSE(QFile::exists(client.ledgerPath()));

    // A ledger at its capacity whose only item without stock is the last one.
    QByteArray bytes;
    bytes.reserve(qint64(AppState::MaxRecords) * ItemRecord::Length);
    ItemRecord record;
    record.setText(ItemField::Number, QStringLiteral("A"));
    record.setText(ItemField::Stock, QStringLiteral(" 5"));
    for (int n = 1; n < AppState::MaxRecords; ++n)
        bytes += record.bytes();
    record.setText(ItemField::Stock, QStringLiteral(" 0"));
    bytes += record.bytes();
    TempClient::writeBytes(client.ledgerPath(), bytes);

    const StockAlerts alerts = ScanStockAlerts(client.state);
    EXPECT_EQ(alerts.items, AppState::MaxRecords);
    EXPECT_TRUE(alerts.zeroStock);
    EXPECT_FALSE(alerts.belowProper);
    EXPECT_TRUE(client.dialogs.shown().isEmpty());
}
