// The synthetic item generator behind `tev-cli generate` and the benchmarks.
#include "storage/cp932_codec.h"
#include "storage/item_record.h"
#include "storage/ledger_append.h"
#include "storage/ledger_check.h"
#include "storage/ledger_file.h"
#include "storage/paths.h"
#include "storage/synthetic_items.h"
#include "support/temp_client_support.h"

#include <QRegularExpression>
#include <QSet>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QList<ItemRecord> readAll(AppState& state)
{
    QList<ItemRecord> records;
    LedgerCloser closer(state);
    OpenLedger(state);
    ScanLedger(state, 1, state.RecordCount, [&](int, const ItemRecord& r) { records.append(r); });
    return records;
}

TEST(SyntheticItems, EveryItemIsConsistentAndNeverShortOfStock)
{
    TempClient client;
    ASSERT_TRUE(AppendSyntheticItems(client.state, 3000, 42).stored());
    const QList<ItemRecord> records = readAll(client.state);
    ASSERT_EQ(records.size(), 3000);
    EXPECT_TRUE(CheckLedgerFile(LedgerPath(client.state)).ok());

    const QRegularExpression numberPattern(QStringLiteral("^G\\d{6}$"));
    QSet<QString> numbers;
    int withPlanned = 0;
    for (int k = 0; k < records.size(); ++k) {
        const ItemRecord& r = records[k];
        const std::string where = r.text(ItemField::Number).toStdString();
        EXPECT_EQ(r.text(ItemField::Number), QStringLiteral("G%1").arg(k + 1, 6, 10, QChar(u'0')));
        numbers.insert(r.text(ItemField::Number));
        for (int i : {1, 2, 3, 4, 7}) {
            EXPECT_FALSE(r.text(i).isEmpty()) << where;
            EXPECT_FALSE(r.text(i).contains(u'?')) << where; // every word is cp932
        }
        double stock = r.textNumber(ItemField::PreviousStock);
        double received = 0;
        double issued = 0;
        for (int m = QtyColumn::FirstMonth; m <= QtyColumn::LastMonth; ++m) {
            stock += r.qtyNumber(QtyRow::Received, m) - r.qtyNumber(QtyRow::Issued, m);
            received += r.qtyNumber(QtyRow::Received, m);
            issued += r.qtyNumber(QtyRow::Issued, m);
            EXPECT_GE(stock, 0) << where << " month " << m;
        }
        EXPECT_EQ(r.qty(QtyRow::Received, QtyColumn::Total), QString::number(received)) << where;
        EXPECT_EQ(r.qty(QtyRow::Issued, QtyColumn::Total), QString::number(issued)) << where;
        EXPECT_EQ(r.textNumber(ItemField::Stock), stock) << where;
        EXPECT_EQ(r.textNumber(ItemField::StockValue), r.textNumber(ItemField::UnitPrice) * stock) << where;
        for (int row : {1, 2}) {
            const double planned = r.qtyNumber(row, QtyColumn::Planned);
            if (planned == 0)
                continue;
            ++withPlanned;
            EXPECT_EQ(r.qtyNumber(row, QtyColumn::Rate),
                      std::floor(r.qtyNumber(row, QtyColumn::Total) * 1000 / planned)) << where;
        }
        // Numbers are written as the program writes computed values: one leading space.
        EXPECT_EQ(QByteArray(r.data() + ItemRecord::textOffset(ItemField::Stock), 1), QByteArray(" "));
    }
    EXPECT_EQ(numbers.size(), 3000);
    EXPECT_GT(withPlanned, 1000);
}

TEST(SyntheticItems, TheSameSeedGivesTheSameItems)
{
    TempClient a;
    TempClient b;
    TempClient c;
    AppendSyntheticItems(a.state, 200, 7);
    AppendSyntheticItems(b.state, 200, 7);
    AppendSyntheticItems(c.state, 200, 8);
    const QByteArray bytesA = TempClient::readBytes(LedgerPath(a.state));
    EXPECT_EQ(bytesA.size(), 200 * ItemRecord::Length);
    EXPECT_EQ(bytesA, TempClient::readBytes(LedgerPath(b.state)));
    EXPECT_NE(bytesA, TempClient::readBytes(LedgerPath(c.state)));
}

TEST(SyntheticItems, NumbersAlreadyInTheLedgerAreAvoided)
{
    TempClient client;
    // Record 1 holds the number record 2 would get; record 2 will be appended as the second item.
    ItemRecord record;
    record.setText(ItemField::Number, QStringLiteral("G000003"));
    client.state.CurrentRecord = record;
    ASSERT_TRUE(StoreNewItem(client.state).stored());
    record.setText(ItemField::Number, QStringLiteral("G000003-1"));
    client.state.CurrentRecord = record;
    ASSERT_TRUE(StoreNewItem(client.state).stored());

    ASSERT_TRUE(AppendSyntheticItems(client.state, 3, 1).stored());
    const QList<ItemRecord> records = readAll(client.state);
    ASSERT_EQ(records.size(), 5);
    EXPECT_EQ(records[2].text(ItemField::Number), QStringLiteral("G000003-2"));
    EXPECT_EQ(records[3].text(ItemField::Number), QStringLiteral("G000004"));
    EXPECT_EQ(records[4].text(ItemField::Number), QStringLiteral("G000005"));
}

} // namespace
