// tev-cli move: the month entry, stock check and store of the entry pad, from a script.
#include "cli_process_helper.h"
#include "storage/cp932_codec.h"
#include "storage/item_record.h"
#include "storage/settings_lines.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class MoveCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = dir.path() + QStringLiteral("/client/");
        PrepareCliClientFolder(folder, QStringLiteral("2026/04"));

        QFile file(ledger());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (const char* number : {"P-1", "P-2"}) {
            ItemRecord item;
            item.setText(ItemField::Number, QString::fromLatin1(number));
            item.setText(ItemField::UnitPrice, QStringLiteral("100"));
            item.setText(ItemField::PreviousStock, QStringLiteral("10"));
            file.write(item.data(), ItemRecord::Length);
        }
    }
    QString ledger() const { return folder + QStringLiteral("Ma在庫品.dat"); }
    ItemRecord record(int n) const
    {
        const QByteArray bytes = TempClient::readBytes(ledger()).mid((n - 1) * ItemRecord::Length, ItemRecord::Length);
        ItemRecord item;
        if (bytes.size() == ItemRecord::Length)
            item.assignBytes(bytes.constData());
        return item;
    }
    CliRun move(const QStringList& args) { return RunCliIn(folder, QStringList{QStringLiteral("move")} + args); }

    QTemporaryDir dir;
    QString folder;
};

TEST_F(MoveCommandTest, AddsOrSetsAMonthAndStoresTheRecalculatedItem)
{
    CliRun run = move({QStringLiteral("P-2"), QStringLiteral("--month"), QStringLiteral("3"), QStringLiteral("--in"),
                       QStringLiteral("5")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("stock: 15\n"));
    run = move({QStringLiteral("P-2"), QStringLiteral("--month"), QStringLiteral("3"), QStringLiteral("--in"),
                QStringLiteral("2.5")});
    EXPECT_EQ(run.out, QStringLiteral("stock: 17.5\n"));
    run = move({QStringLiteral("P-2"), QStringLiteral("--month"), QStringLiteral("4"), QStringLiteral("--out"),
                QStringLiteral("7"), QStringLiteral("--set")});
    EXPECT_EQ(run.out, QStringLiteral("stock: 10.5\n"));

    const ItemRecord item = record(2);
    EXPECT_EQ(item.qty(QtyRow::Received, 3), QStringLiteral("7.5"));
    EXPECT_EQ(item.qty(QtyRow::Issued, QtyColumn::Total), QStringLiteral("7"));
    EXPECT_EQ(item.text(ItemField::Stock), QStringLiteral("10.5"));
    EXPECT_EQ(item.textNumber(ItemField::StockValue), 1050);
    EXPECT_EQ(record(1).text(ItemField::Stock), QString()) << "other items untouched";
}

// The change log names the command; a log that cannot be written is told on stderr, and the
// entry stays stored.
TEST_F(MoveCommandTest, LeavesItsChangeLogLineOrWarnsWithoutFailing)
{
    const QStringList args{QStringLiteral("P-1"), QStringLiteral("--month"), QStringLiteral("2"), QStringLiteral("--in"),
                           QStringLiteral("4")};
    CliRun run = move(args);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString log = folder + QStringLiteral("Ma在庫品履歴.log");
    const QString line = Cp932::decode(TempClient::readBytes(log));
    EXPECT_TRUE(line.contains(QStringLiteral("\t訂正 (tev-cli move)\t1\tP-1\t"))) << line.toStdString();
    EXPECT_TRUE(line.contains(QStringLiteral("\t入庫 2026/05月:  → 4\t"))) << line.toStdString();

    ASSERT_TRUE(QFile::remove(log));
    ASSERT_TRUE(QDir().mkdir(log));
    run = move(args);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("変更履歴に書き込めませんでした。"))) << run.err.toStdString();
    EXPECT_EQ(record(1).qty(QtyRow::Received, 2), QStringLiteral("8"));
}

TEST_F(MoveCommandTest, ShortageAndBadUsageStoreNothing)
{
    const QByteArray before = TempClient::readBytes(ledger());
    const CliRun shortRun = move({QStringLiteral("P-1"), QStringLiteral("--month"), QStringLiteral("1"),
                                  QStringLiteral("--out"), QStringLiteral("11")});
    EXPECT_EQ(shortRun.exitCode, 1);
    EXPECT_TRUE(shortRun.err.contains(QStringLiteral("2026/04月 この数量では在庫数不足となります。")))
        << shortRun.err.toStdString();
    EXPECT_EQ(TempClient::readBytes(ledger()), before);

    EXPECT_EQ(move({QStringLiteral("NONE"), QStringLiteral("--month"), QStringLiteral("1"), QStringLiteral("--in"),
                    QStringLiteral("1")})
                  .exitCode,
              1);
    for (const QStringList& bad : {QStringList{QStringLiteral("P-1"), QStringLiteral("--month"), QStringLiteral("13"),
                                               QStringLiteral("--in"), QStringLiteral("1")},
                                   QStringList{QStringLiteral("P-1"), QStringLiteral("--month"), QStringLiteral("1")},
                                   QStringList{QStringLiteral("P-1"), QStringLiteral("--month"), QStringLiteral("1"),
                                               QStringLiteral("--in"), QStringLiteral("x")}})
        EXPECT_EQ(move(bad).exitCode, 2) << bad.join(u' ').toStdString();
    EXPECT_EQ(TempClient::readBytes(ledger()), before);
}

} // namespace
