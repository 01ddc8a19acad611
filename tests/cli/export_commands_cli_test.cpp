// tev-cli export-ledger, export-spec and export-vocab, run as a binary on a temporary client
// folder; the written workbooks are read back with the spreadsheet layer.
#include "cli_process_helper.h"
#include "storage/item_record.h"
#include "storage/paths.h"
#include "workbook/workbook_operations.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class ExportCommandsCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = m_dir.filePath(u"client"_s) + u'/';
        PrepareCliClientFolder(folder, u"2023/04"_s);
        QDir().mkpath(folder + u"M在庫台帳"_s);
        QDir().mkpath(folder + u"M在庫資料"_s);
        const QStringList items[] = {{u"9"_s, u"ボルト"_s, u"M8"_s}, {u"X1"_s, u"ナット"_s, u"M8"_s}, {u"10"_s, u"ボルト"_s, u"M10"_s}};
        QFile file(folder + DataFileName::Ledger);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (const QStringList& item : items) {
            ItemRecord record;
            record.setText(ItemField::Number, item[0]);
            record.setText(ItemField::Name, item[1]);
            record.setText(ItemField::Shiyo, item[2]);
            file.write(record.data(), ItemRecord::Length);
        }
    }
    CliRun run(const QStringList& args) { return RunCliIn(folder, args); }
    // The first sheet of the workbook whose path the command printed.
    std::unique_ptr<Workbook> printed(const CliRun& result)
    {
        std::unique_ptr<Workbook> book;
        EXPECT_EQ(result.outLines().size(), 1) << result.err.toStdString();
        EXPECT_TRUE(OpenForReading(result.out.trimmed(), book).ok()) << result.out.toStdString();
        return book;
    }

    QTemporaryDir m_dir;
    QString folder;
};

} // namespace

TEST_F(ExportCommandsCliTest, ExportLedgerWritesAllItemsOrTheFiltersHits)
{
    CliRun result = run({u"export-ledger"_s});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.trimmed().startsWith(folder + u"M在庫台帳/在庫品台帳"_s));
    auto book = printed(result);
    ASSERT_TRUE(book);
    EXPECT_EQ(book->sheet().text(3, 3), u"3"_s);
    EXPECT_EQ(book->sheet().text(4, 16), u"2023/04月"_s);

    const QString out = m_dir.filePath(u"hits.xlsx"_s);
    result = run({u"export-ledger"_s, u"--filter"_s, u"2=ボルト"_s, u"--out"_s, out, u"--filter=3=M1"_s});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.trimmed(), out);
    book = printed(result);
    ASSERT_TRUE(book);
    EXPECT_EQ(book->sheet().text(3, 3), u"1"_s);
    EXPECT_EQ(book->sheet().text(5, 3), u"10"_s);
}

TEST_F(ExportCommandsCliTest, ExportCommandsRefuseBadUsageAndReportFailures)
{
    const QStringList usage[] = {{u"export-ledger"_s, u"--filter"_s},
                                 {u"export-ledger"_s, u"--filter"_s, u"7=x"_s},
                                 {u"export-ledger"_s, u"extra"_s},
                                 {u"export-spec"_s},
                                 {u"export-spec"_s, u"9"_s, u"10"_s},
                                 {u"export-vocab"_s, u"--to"_s, u"x"_s}};
    for (const QStringList& args : usage)
        EXPECT_EQ(run(args).exitCode, 2) << args.join(u' ').toStdString();
    EXPECT_EQ(run({u"export-spec"_s, u"NONE"_s}).exitCode, 1);

    // A start puts back a missing output folder, so a file stands in its place here.
    QDir(folder + u"M在庫台帳"_s).removeRecursively();
    TempClient::writeBytes(folder + u"M在庫台帳"_s, QByteArray("not a folder"));
    const CliRun missing = run({u"export-vocab"_s});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(u"出力Excelフォルダーが見つかりません。"_s)) << missing.err.toStdString();
    EXPECT_TRUE(missing.out.isEmpty());
}

TEST_F(ExportCommandsCliTest, ExportSpecMakesTheItemsWorkbookAndReusesIt)
{
    CliRun result = run({u"export-spec"_s, u"X1"_s});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.trimmed(), folder + u"M在庫資料/在庫品仕様X1.xlsx"_s);
    auto book = printed(result);
    ASSERT_TRUE(book);
    EXPECT_EQ(book->sheet().text(4, 3), u"X1"_s);
    EXPECT_EQ(book->sheet().text(7, 3), u"ナット"_s);
    // The user's note survives the next output.
    book->sheet().setText(7, 5, u"六角"_s);
    ASSERT_TRUE(book->save().ok());
    result = run({u"export-spec"_s, u"X1"_s});
    ASSERT_EQ(result.exitCode, 0);
    book = printed(result);
    ASSERT_TRUE(book);
    EXPECT_EQ(book->sheet().text(7, 5), u"六角"_s);
}

TEST_F(ExportCommandsCliTest, ExportVocabWritesTheListsToTheGivenFile)
{
    const QString out = m_dir.filePath(u"vocab.xlsx"_s);
    const CliRun result = run({u"export-vocab"_s, u"--out"_s, out});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.trimmed(), out);
    auto book = printed(result);
    ASSERT_TRUE(book);
    EXPECT_EQ(book->sheet().text(3, 2), u"在庫品リストBox項目"_s);
}
