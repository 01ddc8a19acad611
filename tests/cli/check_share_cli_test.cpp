// tev-cli check-share: the steps on a local folder all work and leave nothing behind; what is not
// a folder fails with exit 1.
#include "cli_process_helper.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(CheckShareCli, ALocalFolderPassesEveryStepAndKeepsNothingOfTheCheck)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"data"_s) + u'/';
    PrepareCliClientFolder(folder, u"2026/04"_s);
    ASSERT_EQ(RunCliIn(folder, {u"info"_s}).exitCode, 0); // the start-up seeds the folder first
    const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    const CliRun run = RunCliIn(folder, {u"check-share"_s});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.outLines();
    ASSERT_EQ(lines.size(), 10) << run.out.toStdString();
    EXPECT_EQ(lines.first(), u"folder: "_s + folder);
    for (const QString& step : {u"exclusive folder creation"_s, u"lock"_s, u"write in place"_s, u"append"_s,
                                u"rename over a closed file"_s})
        EXPECT_GE(lines.indexOf(QRegularExpression(u"ok   "_s + step + u": .*"_s)), 0) << step.toStdString();
    EXPECT_EQ(lines.last(), u"the folder can hold the shared data"_s);
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
}

TEST(CheckShareCli, WhatIsNotAFolderFailsAndTwoFoldersAreAUsageError)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"plain.txt"_s);
    QFile(file).open(QIODevice::WriteOnly);
    const CliRun notAFolder = RunCli({u"check-share"_s, file});
    EXPECT_EQ(notAFolder.exitCode, 1);
    EXPECT_TRUE(notAFolder.err.contains(u"not a folder"_s)) << notAFolder.err.toStdString();

    const CliRun tooMany = RunCli({u"check-share"_s, dir.path(), dir.path()});
    EXPECT_EQ(tooMany.exitCode, 2);
}
