// The start of a new ledger year on a generated ledger: stocks carried into the previous-year
// stock, months, totals and rates emptied, planned quantities kept, a dated copy of the old
// ledger kept, the start month moved on, and the data files still pass the verify checks.
#include "settings/year_rollover.h"
#include "storage/field_text.h"
#include "storage/item_record.h"
#include "storage/ledger_lock.h"
#include "storage/ledger_check.h"
#include "storage/paths.h"
#include "storage/rollover_mark.h"
#include "storage/settings_files.h"
#include "storage/shared_settings_change.h"
#include "storage/synthetic_items.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <vector>

namespace {

class YearRolloverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        state().SharedSettings[SharedLine::StartMonth] = QStringLiteral("2025/04");
        ASSERT_TRUE(WriteClientSettings(state()).ok);
        ASSERT_TRUE(WriteSharedSettings(state()).ok);
        ASSERT_TRUE(AppendSyntheticItems(state(), ItemCount, 7).io.ok);
        // A record without an item stays as it is.
        QFile ledger(client.ledgerPath());
        ASSERT_TRUE(ledger.open(QIODevice::Append));
        ledger.write(ItemRecord().data(), ItemRecord::Length);
    }

    std::vector<ItemRecord> records() const
    {
        const QByteArray bytes = TempClient::readBytes(client.ledgerPath());
        std::vector<ItemRecord> all(size_t(bytes.size() / ItemRecord::Length));
        for (size_t n = 0; n < all.size(); ++n)
            all[n].assignBytes(bytes.constData() + n * ItemRecord::Length);
        return all;
    }

    QString startMonthInFile() const
    {
        SettingsLines lines;
        ReadSettingsFile(client.dataFolder() + SettingsFileName::Shared, lines);
        return lines[SharedLine::StartMonth];
    }

    AppState& state() { return client.state; }

    static constexpr int ItemCount = 300;
    const QDateTime when{QDate(2026, 4, 1), QTime(9, 30, 5)};
    TempClient client;
};

TEST_F(YearRolloverTest, CarriesStocksEmptiesTheMonthsAndKeepsADatedCopy)
{
    const QByteArray before = TempClient::readBytes(client.ledgerPath());
    const std::vector<ItemRecord> old = records();
    int withMovements = 0;
    for (const ItemRecord& item : old)
        withMovements += item.qty(QtyRow::Issued, QtyColumn::Total).isEmpty() ? 0 : 1;
    ASSERT_GT(withMovements, ItemCount / 2) << "the generated items have monthly quantities to clear";

    const RolloverResult result = RollOverLedgerYear(state(), QStringLiteral("2025/04"), QStringLiteral("2026/04"), when);
    ASSERT_TRUE(result.ok()) << result.io.detail.toStdString();
    EXPECT_EQ(result.itemCount, ItemCount);

    const QString copy = client.dataFolder() + QStringLiteral("M在庫台帳/Ma在庫品_20260401_093005.dat");
    EXPECT_EQ(result.backupPath, copy);
    EXPECT_EQ(TempClient::readBytes(copy), before) << "the copy is the ledger as it was";

    const std::vector<ItemRecord> now = records();
    ASSERT_EQ(now.size(), old.size());
    for (size_t n = 0; n < size_t(ItemCount); ++n) {
        const ItemRecord& was = old[n];
        const ItemRecord& item = now[n];
        SCOPED_TRACE(was.text(ItemField::Number).toStdString());
        EXPECT_EQ(item.text(ItemField::PreviousStock), was.text(ItemField::Stock));
        EXPECT_EQ(item.textNumber(ItemField::Stock), was.textNumber(ItemField::Stock));
        const double value = item.textNumber(ItemField::UnitPrice) * item.textNumber(ItemField::Stock);
        EXPECT_DOUBLE_EQ(item.textNumber(ItemField::StockValue), value < 1 ? 0 : value);
        for (int row : {int(QtyRow::Received), int(QtyRow::Issued)}) {
            for (int column = QtyColumn::FirstMonth; column <= QtyColumn::Rate; ++column) {
                if (column == QtyColumn::Planned)
                    EXPECT_EQ(item.qty(row, column), was.qty(row, column));
                else
                    EXPECT_EQ(item.qty(row, column), QString()) << "qty[" << row << "][" << column << "]";
            }
        }
        for (int field : {int(ItemField::Number), int(ItemField::Name), int(ItemField::UnitPrice), int(ItemField::ProperStock)})
            EXPECT_EQ(item.text(field), was.text(field));
    }
    EXPECT_EQ(now.back(), old.back()) << "the record without an item";

    EXPECT_EQ(state().SharedSettings[SharedLine::StartMonth], QStringLiteral("2026/04"));
    EXPECT_EQ(startMonthInFile(), QStringLiteral("2026/04"));
    EXPECT_EQ(CheckDataFiles(state()), QStringList()) << "verify finds nothing wrong";
}

TEST_F(YearRolloverTest, AFailedCopyChangesNothing)
{
    // A file where the output folder belongs: the copy cannot be written.
    TempClient::writeBytes(client.dataFolder() + DataFileName::OutputFolder, QByteArray("not a folder"));
    const QByteArray before = TempClient::readBytes(client.ledgerPath());

    const RolloverResult result = RollOverLedgerYear(state(), QStringLiteral("2025/04"), QStringLiteral("2026/04"), when);
    EXPECT_EQ(result.outcome, RolloverOutcome::BackupFailed);
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), before);
    EXPECT_EQ(state().SharedSettings[SharedLine::StartMonth], QStringLiteral("2025/04"));
    EXPECT_EQ(startMonthInFile(), QStringLiteral("2025/04"));
}

TEST_F(YearRolloverTest, ASecondRolloverInTheSameSecondKeepsTheFirstCopy)
{
    ASSERT_TRUE(RollOverLedgerYear(state(), QStringLiteral("2025/04"), QStringLiteral("2026/04"), when).ok());
    const RolloverResult second = RollOverLedgerYear(state(), QStringLiteral("2026/04"), QStringLiteral("2027/04"), when);
    ASSERT_TRUE(second.ok());
    EXPECT_NE(second.backupPath, client.dataFolder() + QStringLiteral("M在庫台帳/") + LedgerCopyName(when));
    EXPECT_EQ(QDir(client.dataFolder() + DataFileName::OutputFolder).entryList(QDir::Files).size(), 2);
}

// Two PCs opened the settings on 2025/04; A rolled over. B's choice, made on what its screen still
// shows, is decided on the file: no second rollover, no second copy, the new year's entries stay.
TEST_F(YearRolloverTest, ARolloverFromAMonthTheFileNoLongerHoldsIsRefused)
{
    ASSERT_TRUE(RollOverLedgerYear(state(), QStringLiteral("2025/04"), QStringLiteral("2026/04"), when).ok());
    const QByteArray rolled = TempClient::readBytes(client.ledgerPath());

    struct Case {
        const char* from;
        const char* to;
        RolloverOutcome outcome;
    };
    const Case cases[] = {
        {"2025/04", "2026/04", RolloverOutcome::AlreadyDone},
        {"2025/04", "2026/05", RolloverOutcome::MonthChanged},
        {"2026/04", "2026/10", RolloverOutcome::NotNextYear},
    };
    for (const Case& c : cases) {
        const RolloverResult result =
            RollOverLedgerYear(state(), QString::fromLatin1(c.from), QString::fromLatin1(c.to), when.addSecs(60));
        EXPECT_EQ(result.outcome, c.outcome) << c.from << " -> " << c.to;
        EXPECT_EQ(result.fileMonth, QStringLiteral("2026/04"));
    }
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), rolled);
    EXPECT_EQ(QDir(client.dataFolder() + DataFileName::OutputFolder).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(startMonthInFile(), QStringLiteral("2026/04"));
}

// The rollover changes line 9 only: what another PC set meanwhile stays, and a stop of all clients
// set meanwhile refuses it.
TEST_F(YearRolloverTest, OtherClientsSettingsStayAndTheirStopRefuses)
{
    SettingsLines other;
    ReadSettingsFile(client.dataFolder() + SettingsFileName::Shared, other);
    other[SharedLine::LoginPassword] = QStringLiteral("1");
    other[SharedLine::FirstListCount] = QStringLiteral("12");
    other[SharedLine::StopAll] = QStringLiteral("1");
    other[SharedLine::StopSetBy] = QStringLiteral("PC-ADMIN");
    ASSERT_TRUE(WriteSettingsFile(client.dataFolder() + SettingsFileName::Shared, other));
    const QByteArray ledger = TempClient::readBytes(client.ledgerPath());

    EXPECT_EQ(RollOverLedgerYear(state(), QStringLiteral("2025/04"), QStringLiteral("2026/04"), when).outcome,
              RolloverOutcome::Stopped);
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), ledger);
    EXPECT_FALSE(QDir(client.dataFolder() + DataFileName::OutputFolder).exists());

    other[SharedLine::StopAll] = QStringLiteral("0");
    other[SharedLine::StopSetBy] = QString();
    ASSERT_TRUE(WriteSettingsFile(client.dataFolder() + SettingsFileName::Shared, other));
    ASSERT_TRUE(RollOverLedgerYear(state(), QStringLiteral("2025/04"), QStringLiteral("2026/04"), when).ok());
    SettingsLines after;
    ReadSettingsFile(client.dataFolder() + SettingsFileName::Shared, after);
    other[SharedLine::StartMonth] = QStringLiteral("2026/04");
    EXPECT_EQ(after, other);
}

// A rollover killed between its steps leaves its mark; the next writer (or start) finishes it when
// the ledger is the rolled-over one and drops it when the ledger was never replaced.
TEST_F(YearRolloverTest, AHalfDoneRolloverIsFinishedOrUndoneByTheNextWriter)
{
    const QByteArray old = TempClient::readBytes(client.ledgerPath());
    ASSERT_TRUE(RollOverLedgerYear(state(), QStringLiteral("2025/04"), QStringLiteral("2026/04"), when).ok());
    const QByteArray rolled = TempClient::readBytes(client.ledgerPath());
    const QString copyName = LedgerCopyName(when);
    const QString logPath = client.dataFolder() + DataFileName::ChangeLog;

    for (const bool replaced : {true, false}) {
        SCOPED_TRACE(replaced ? "ledger replaced" : "ledger not replaced");
        // The state a kill leaves: the old start month, no log line, the mark.
        TempClient::writeBytes(client.ledgerPath(), replaced ? rolled : old);
        ASSERT_TRUE(ChangeSharedSettings(state(), {{SharedLine::StartMonth, QStringLiteral("2025/04")}}));
        QFile::remove(logPath);
        const RolloverMark mark{QStringLiteral("2025/04"), QStringLiteral("2026/04"), copyName, LedgerDigest(rolled),
                                ItemCount, QStringLiteral("2026/04/01 09:30:05"), QStringLiteral("PC-A")};
        ASSERT_TRUE(WriteRolloverMark(client.dataFolder(), mark));

        const RolloverSettlement settled = SettleHalfDoneRolloverNow(state());
        ASSERT_TRUE(settled.io.ok) << settled.io.detail.toStdString();
        EXPECT_EQ(settled.kind, replaced ? RolloverSettlement::Kind::Finished : RolloverSettlement::Kind::Undone);
        EXPECT_FALSE(ReadRolloverMark(client.dataFolder()));
        EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), replaced ? rolled : old);
        EXPECT_EQ(startMonthInFile(), replaced ? QStringLiteral("2026/04") : QStringLiteral("2025/04"));
        EXPECT_EQ(TempClient::readBytes(logPath).contains("20260401_093005.dat"), replaced) << "the log line names the copy";
        EXPECT_FALSE(RolloverSettlementMessage(settled).isEmpty());
        // Offered again, the year is not rolled over a second time.
        if (replaced)
            EXPECT_EQ(RollOverLedgerYear(state(), QStringLiteral("2025/04"), QStringLiteral("2026/04"), when).outcome,
                      RolloverOutcome::AlreadyDone);
    }
}

// A mark that cannot be read (damaged, or a link in its place) cannot be settled either way: every
// writer refuses, saying so, and the ledger stays as it is.
TEST_F(YearRolloverTest, AnUnreadableRolloverMarkStopsEveryWriterWithItsReason)
{
    const QString mark = client.dataFolder() + DataFileName::RolloverMark;
    const QByteArray ledger = TempClient::readBytes(client.ledgerPath());
    for (const bool link : {false, true}) {
        SCOPED_TRACE(link ? "a link" : "damaged");
        QFile::remove(mark);
        if (link)
            ASSERT_TRUE(QFile::link(client.ledgerPath(), mark));
        else
            TempClient::writeBytes(mark, QByteArray("\"2025/04\"\r\n"));

        const RolloverSettlement settled = SettleHalfDoneRolloverNow(state());
        EXPECT_EQ(settled.io.errorCode, EBADMSG);
        EXPECT_TRUE(RolloverSettlementMessage(settled).contains(QStringLiteral("完了するまで台帳への登録はできません")));
        EXPECT_EQ(AppendSyntheticItems(state(), 1, 9).io.errorCode, EBADMSG);
        EXPECT_EQ(RollOverLedgerYear(state(), QStringLiteral("2025/04"), QStringLiteral("2026/04"), when).outcome,
                  RolloverOutcome::CommitFailed);
        EXPECT_EQ(TempClient::readBytes(client.ledgerPath()), ledger);
    }
}

} // namespace
