// tev-cli import-items and import-vocab, run as a binary on a temporary client folder whose
// import folder holds the workbooks.
#include "cli_process_helper.h"
#include "storage/item_record.h"
#include "storage/paths.h"
#include "storage/settings_files.h"
#include "support/sheet_xml_support.h"
#include "workbook/workbook.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString Fixtures = QStringLiteral(TEV_TEST_DATA_DIR "/workbook/");

class ImportCommandsCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = m_dir.filePath(u"client"_s) + u'/';
        importFolder = m_dir.filePath(u"inp"_s) + u'/';
        QDir().mkpath(importFolder);
        PrepareCliClientFolder(folder, u"2019/04"_s);
        QStringList shared(50);
        shared[SharedLine::StartMonth - 1] = u"2019/04"_s;
        shared[SharedLine::ImportFolder - 1] = importFolder;
        shared[SharedLine::StartOfUse - 1] = u"1"_s;
        TempClient::writeSettings(folder + SettingsFileName::Shared, shared);
        WriteTestLedger(ledgerPath(), 10);
    }

    QString ledgerPath() const { return folder + DataFileName::Ledger; }
    QByteArray ledger() const { return TempClient::readBytes(ledgerPath()); }
    QString itemNumber(int n) const
    {
        ItemRecord record;
        record.assignBytes(ledger().constData() + qsizetype(n - 1) * ItemRecord::Length);
        return record.text(ItemField::Number);
    }
    SettingsLines sharedSettings() const
    {
        SettingsLines lines;
        ReadSettingsFile(folder + SettingsFileName::Shared, lines);
        return lines;
    }
    CliRun run(const QStringList& args) { return RunCliIn(folder, args); }

    QTemporaryDir m_dir;
    QString folder;
    QString importFolder;
};

} // namespace

TEST_F(ImportCommandsCliTest, ImportItemsReadsTheWorkbookOfTheImportFolder)
{
    ASSERT_TRUE(QFile::copy(Fixtures + u"Mb在庫品INP.xlsx"_s, importFolder + u"Mb在庫品INP.xlsx"_s));

    CliRun result = run({u"import-items"_s, u"--check"_s});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, u"checked: 6\n"_s);
    EXPECT_EQ(itemNumber(1), u"A1"_s); // --check writes nothing
    EXPECT_EQ(sharedSettings()[SharedLine::StartMonth], u"2019/04"_s);

    result = run({u"import-items"_s});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, u"imported: 6\n"_s);
    EXPECT_EQ(ledger().size(), 10 * ItemRecord::Length);
    EXPECT_EQ(itemNumber(1), u"A-001"_s);
    EXPECT_EQ(itemNumber(6), u"C-101"_s);
    EXPECT_EQ(itemNumber(7), u"A7"_s);
    EXPECT_EQ(sharedSettings()[SharedLine::StartMonth], u"2020/05"_s);
}

TEST_F(ImportCommandsCliTest, ProblemsGoToStderrAndTheImportGoesOn)
{
    const QString path = m_dir.filePath(u"problems.xlsx"_s);
    auto book = Workbook::createBlank(path);
    book->sheet().setText(5, 3, u"X1"_s);
    book->sheet().setText(5, 4, u"ボルト"_s);
    book->sheet().setText(7, 3, u"X1"_s);
    book->sheet().setText(7, 4, u"ナット"_s);
    book->sheet().setText(7, 8, u"時価"_s);
    ASSERT_TRUE(book->save().ok());

    CliRun result = run({u"import-items"_s, path, u"--check"_s});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, u"checked: 2\n"_s);
    const QStringList expected = {u"tev-cli import-items: 行 7 H列：数値の欄に文字「時価」があります（文字のまま取り込み、計算では0とします）"_s,
                                  u"tev-cli import-items: 行 7 C列：在庫品No「X1」が前の行と重複しています"_s};
    EXPECT_EQ(result.err.split(u'\n', Qt::SkipEmptyParts), expected);
    EXPECT_EQ(itemNumber(1), u"A1"_s);

    result = run({u"import-items"_s, path});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, u"imported: 2\n"_s);
    EXPECT_EQ(result.err.split(u'\n', Qt::SkipEmptyParts), expected);
    EXPECT_EQ(itemNumber(2), u"X1"_s);
    EXPECT_EQ(sharedSettings()[SharedLine::StartMonth], u"2019/04"_s); // the workbook names none
}

TEST_F(ImportCommandsCliTest, CellsWithoutAValueRefuseTheImportEvenPastTheOtherProblems)
{
    // As report generators and scripts write a workbook: formulas without their results.
    const QString path = m_dir.filePath(u"generated.xlsx"_s);
    ASSERT_TRUE(SaveWorkbookWithSheet(
        path, SheetXml("<row r=\"5\"><c r=\"C5\" t=\"inlineStr\"><is><t>G1</t></is></c>"
                       "<c r=\"D5\" t=\"inlineStr\"><is><t>Café</t></is></c><c r=\"M5\"><f>K5+N5-N6</f></c></row>"
                       "<row r=\"7\"><c r=\"C7\" t=\"inlineStr\"><is><t>G2</t></is></c>"
                       "<c r=\"D7\" t=\"inlineStr\"><is><t>座金</t></is></c><c r=\"N7\" t=\"e\"><f>1/0</f><v>#DIV/0!</v></c></row>")));
    const QByteArray before = ledger();
    const QStringList expected = {
        u"tev-cli import-items: 行 5 D列：保存できない文字「é」があります（「?」になります）"_s,
        u"tev-cli import-items: 行 5 M列：計算式の結果が保存されていないため読み取れません"_s,
        u"tev-cli import-items: 行 7 N列：エラー値「#DIV/0!」は数値として取り込めません"_s,
        u"tev-cli import-items: インポート用Excelファイルに値を読み取れないセルがあるため、取り込みません。"_s,
    };
    for (const QStringList& args : {QStringList{u"import-items"_s, path, u"--check"_s}, QStringList{u"import-items"_s, path}}) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const CliRun result = run(args);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
        const QStringList lines = result.err.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_GE(lines.size(), expected.size()) << result.err.toStdString();
        EXPECT_EQ(lines.mid(0, expected.size()), expected);
        EXPECT_EQ(ledger(), before);
    }
}

TEST_F(ImportCommandsCliTest, ATooLargeSheetIsRefusedWithItsSize)
{
    // A sheet that inflates to 300 MB from a file of a few hundred kilobytes.
    const QString path = m_dir.filePath(u"large.xlsx"_s);
    std::string rows = "<row r=\"5\">";
    rows.append(300u * 1024 * 1024, ' ');
    rows += "</row>";
    ASSERT_TRUE(SaveWorkbookWithSheet(path, SheetXml(rows)));
    const CliRun result = run({u"import-items"_s, path, u"--check"_s});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(u"インポート用Excelファイルが大きすぎるため読み込みません。"_s)) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(u"（シートの大きさ 300 MB、上限 256 MB）"_s)) << result.err.toStdString();
}

TEST_F(ImportCommandsCliTest, UnreadableWorkbooksFailWithTheMessageAndWriteNothing)
{
    const QByteArray before = ledger();
    struct Case {
        QStringList args;
        QString message;
    };
    const QString missing = importFolder + u"Mb在庫品INP.xls"_s;
    const Case cases[] = {
        {{u"import-items"_s}, u"インポート用Excelファイルが見つかりません。\n"_s + missing},
        {{u"import-items"_s, Fixtures + u"damaged/truncated.xlsx"_s}, u"インポート用Excelファイルを読み込めません。"_s},
        {{u"import-items"_s, Fixtures + u"damaged/not_a_workbook.xlsx"_s}, u"（Excelファイルではないか、壊れています）"_s},
        {{u"import-vocab"_s, Fixtures + u"damaged/cut_in_half.xls"_s}, u"インポート用Excelファイルを読み込めません。"_s},
        {{u"import-vocab"_s}, u"インポート用Excelファイルが見つかりません。"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const CliRun result = run(c.args);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_TRUE(result.err.contains(c.message)) << result.err.toStdString();
    }
    EXPECT_EQ(ledger(), before);
    EXPECT_EQ(sharedSettings()[SharedLine::StartMonth], u"2019/04"_s);

    EXPECT_EQ(run({u"import-items"_s, u"a.xlsx"_s, u"b.xlsx"_s}).exitCode, 2);
    EXPECT_EQ(run({u"import-vocab"_s, u"--out"_s, u"x"_s}).exitCode, 2);
}

TEST_F(ImportCommandsCliTest, OverCapacityWritesTheFirst50009AndFails)
{
    const QString path = m_dir.filePath(u"big.xlsx"_s);
    auto book = Workbook::createBlank(path);
    const int items = 50010;
    for (int k = 1; k <= items; ++k) {
        book->sheet().setText(5 + 2 * (k - 1), 3, u"N%1"_s.arg(k));
        book->sheet().setText(5 + 2 * (k - 1), 4, u"品"_s);
    }
    ASSERT_TRUE(book->save().ok());
    book.reset();

    const CliRun result = run({u"import-items"_s, path});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, u"imported: 50009\n"_s);
    EXPECT_TRUE(result.err.contains(u"在庫品インポートデータが許容量件数 50009を超えました\n　確認してください。"_s))
        << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(u"行 100023："_s));
    EXPECT_EQ(ledger().size(), qsizetype(50009) * ItemRecord::Length);
    EXPECT_EQ(itemNumber(50009), u"N50009"_s);
}

TEST_F(ImportCommandsCliTest, ImportVocabWritesTheListsAndTheirCounts)
{
    ASSERT_TRUE(QFile::copy(Fixtures + u"Mb在庫品項目INP.xls"_s, importFolder + u"Mb在庫品項目INP.xls"_s));
    CliRun result = run({u"import-vocab"_s, u"--check"_s});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, u"checked: 13\n"_s);

    result = run({u"import-vocab"_s});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, u"imported: 13\n"_s);
    const SettingsLines shared = sharedSettings();
    const QString counts[] = {u"5"_s, u"3"_s, u"1"_s, u"4"_s, u"5"_s};
    for (int list = 2; list <= 6; ++list)
        EXPECT_EQ(shared[list + 1], counts[list - 2]) << "list " << list;
    const QByteArray units = TempClient::readBytes(folder + u"Mb在庫品06.dat"_s);
    EXPECT_EQ(units.count('\n'), 5);
    EXPECT_TRUE(units.startsWith("\"\",\"\x8c\xc2\"\r\n")); // "個" in cp932
}
