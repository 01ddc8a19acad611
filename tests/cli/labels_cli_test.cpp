// tev-cli labels: the labels of every item, of the listed ones or of the filter's hits as a PDF;
// an item number a barcode cannot hold is printed as a QR code and said so; bad options are usage
// errors and an unknown item number a failure, with no file written.
#include "cli_process_helper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(LabelsCli, WritesThePdfOfTheItemsAskedFor)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"data"_s) + u'/';
    PrepareCliClientFolder(folder, u"2026/04"_s);
    ASSERT_EQ(RunCliIn(folder, {u"generate"_s, u"30"_s, u"--seed"_s, u"5"_s}).exitCode, 0);
    const QString pdf = dir.filePath(u"labels.pdf"_s);

    const CliRun all = RunCliIn(folder, {u"labels"_s, u"--out"_s, pdf, u"--layout"_s, u"12"_s, u"--place"_s});
    ASSERT_EQ(all.exitCode, 0) << all.err.toStdString();
    EXPECT_EQ(all.outLines(), (QStringList{pdf, u"labels: 30"_s, u"pages: 3"_s}));
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(5) == "%PDF-");

    const CliRun dump = RunCliIn(folder, {u"dump"_s, u"--count"_s, u"2"_s});
    const QString first = dump.outLines().value(0).section(u'\t', 1, 1).trimmed();
    const QString second = dump.outLines().value(1).section(u'\t', 1, 1).trimmed();
    const CliRun two = RunCliIn(folder, {u"labels"_s, first, second, u"--out"_s, pdf, u"--code"_s, u"barcode"_s});
    ASSERT_EQ(two.exitCode, 0) << two.err.toStdString();
    EXPECT_EQ(two.outLines().value(1), u"labels: 2"_s);

    const CliRun filtered = RunCliIn(folder, {u"labels"_s, u"--filter"_s, u"1="_s + first, u"--out"_s, pdf});
    ASSERT_EQ(filtered.exitCode, 0) << filtered.err.toStdString();
    EXPECT_EQ(filtered.outLines().value(1), u"labels: 1"_s);
}

TEST(LabelsCli, RefusesWhatItCannotDoAndWritesNothing)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"data"_s) + u'/';
    PrepareCliClientFolder(folder, u"2026/04"_s);
    ASSERT_EQ(RunCliIn(folder, {u"generate"_s, u"3"_s}).exitCode, 0);
    const QString pdf = dir.filePath(u"labels.pdf"_s);
    const struct {
        QStringList args;
        int exitCode;
    } cases[] = {
        {{u"labels"_s}, 2},                                          // no --out
        {{u"labels"_s, u"--out"_s, pdf, u"--layout"_s, u"10"_s}, 2}, // not 12, 24 or 44
        {{u"labels"_s, u"--out"_s, pdf, u"--code"_s, u"ean"_s}, 2},
        {{u"labels"_s, u"NO-SUCH"_s, u"--out"_s, pdf}, 1},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCliIn(folder, c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.join(u' ').toStdString() << ": " << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(pdf));
    }

    // A folder where the PDF belongs is said so and stays a folder.
    const QString folderInPlace = dir.filePath(u"taken.pdf"_s);
    ASSERT_TRUE(QDir().mkpath(folderInPlace));
    const CliRun taken = RunCliIn(folder, {u"labels"_s, u"--out"_s, folderInPlace});
    EXPECT_EQ(taken.exitCode, 1);
    EXPECT_TRUE(taken.err.contains(u"ファイルの位置にフォルダーなどファイル以外のものがあります。"_s)) << taken.err.toStdString();
    EXPECT_TRUE(QFileInfo(folderInPlace).isDir());
}
