// tev-cli import-monthly, run as a binary on a temporary client folder with the daily workbook
// fixture in "M在庫資料".
#include "cli_process_helper.h"
#include "storage/item_record.h"
#include "storage/paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(ImportMonthlyCliTest, ChecksImportsAndRefusesAMissingWorkbook)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"client"_s) + u'/';
    PrepareCliClientFolder(folder, u"2026/04"_s);
    QDir().mkpath(folder + u"M在庫資料"_s);
    ASSERT_TRUE(QFile::copy(QStringLiteral(TEV_TEST_DATA_DIR "/workbook/Mb入出庫月報.xls"),
                            folder + u"M在庫資料/Mb入出庫月報.xls"_s));
    {
        QFile file(folder + DataFileName::Ledger);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (const QString& number : {u"A-001"_s, u"B-010"_s, u"C-100"_s}) {
            ItemRecord record;
            record.setText(ItemField::Number, number);
            record.setText(ItemField::PreviousStock, u"10"_s);
            file.write(record.data(), ItemRecord::Length);
        }
    }
    const QByteArray before = TempClient::readBytes(folder + DataFileName::Ledger);

    CliRun run = RunCliIn(folder, {u"import-monthly"_s, u"--check"_s});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.outLines(), QStringList{u"checked: 3"_s});
    EXPECT_TRUE(run.err.contains(u"ZZ-999"_s) && run.err.contains(u"B-010"_s) && run.err.contains(u"skipped: 1"_s))
        << run.err.toStdString();
    EXPECT_EQ(TempClient::readBytes(folder + DataFileName::Ledger), before);

    run = RunCliIn(folder, {u"import-monthly"_s});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.outLines(), QStringList{u"imported: 3"_s});
    const QByteArray after = TempClient::readBytes(folder + DataFileName::Ledger);
    ASSERT_EQ(after.size(), before.size());
    ItemRecord a001;
    a001.assignBytes(after.constData());
    EXPECT_EQ(a001.qty(QtyRow::Received, 1), u"5"_s);
    EXPECT_EQ(a001.qty(QtyRow::Issued, 2), u"5"_s);
    EXPECT_EQ(a001.text(ItemField::Stock), u"9"_s);

    run = RunCliIn(folder, {u"import-monthly"_s, folder + u"nothing.xlsx"_s});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(u"日毎入出庫数量のExcelファイルが見つかりません。"_s)) << run.err.toStdString();
    EXPECT_EQ(TempClient::readBytes(folder + DataFileName::Ledger), after);

    EXPECT_EQ(RunCliIn(folder, {u"import-monthly"_s, u"a.xlsx"_s, u"b.xlsx"_s}).exitCode, 2);
    EXPECT_EQ(RunCliIn(folder, {u"import-monthly"_s, u"--force"_s}).exitCode, 2);
}

} // namespace
