// tev-cli on data folders that are not what they should be: unusable client settings, links in
// the place of data files, a view-only client, a damaged ledger. Nothing is written anywhere else,
// nothing is followed, and the message says what is wrong.
#include "cli_process_helper.h"
#include "storage/item_record.h"
#include "storage/paths.h"
#include "storage/settings_lines.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class DataSafetyCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = dir.filePath(u"client"_s) + u'/';
        PrepareCliClientFolder(folder, u"2026/04"_s);
        ASSERT_EQ(RunCliIn(folder, {u"generate"_s, u"20"_s}).exitCode, 0);
        QDir().mkpath(workingFolder());
    }
    QString workingFolder() const { return dir.filePath(u"cwd"_s); }
    // tev-cli run from a working folder of its own, so that a write that strays there shows.
    CliRun run(const QStringList& args)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(u"TEV_CLIENT_FOLDER"_s);
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(workingFolder());
        process.start(QStringLiteral(TEV_BIN_DIR "/tev-cli"), QStringList{u"--client-folder"_s, folder} + args);
        CliRun result;
        if (!process.waitForFinished(120000))
            return result;
        result.exitCode = process.exitCode();
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }
    QString ledger() const { return folder + DataFileName::Ledger; }

    QTemporaryDir dir;
    QString folder;
};

// Commands that change the ledger, and one that only reads it.
const QList<QStringList> Writers = {
    {u"generate"_s, u"3"_s},
    {u"move"_s, u"G000001"_s, u"--month"_s, u"1"_s, u"--in"_s, u"2"_s},
    {u"sort"_s},
    {u"delete"_s, u"2"_s},
};

TEST_F(DataSafetyCliTest, UnusableClientSettingsStopEveryCommandBeforeAnyFileIsTouched)
{
    const QString settings = folder + SettingsFileName::Client;
    const struct {
        const char* what;
        std::function<void()> damage;
        QString said;
    } cases[] = {
        {"empty", [&] { TempClient::writeBytes(settings, {}); }, u"フォルダーが設定されていません。"_s},
        {"binary", [&] { TempClient::writeBytes(settings, QByteArray("\x01\x82zz\xff\r\nrel/dir\r\n", 14)); },
         u"データフォルダーが使用できません。"_s},
        {"a folder", [&] { QFile::remove(settings); QDir().mkpath(settings); }, u"client settings: cannot be read: it is a folder"_s},
    };
    const QByteArray before = TempClient::readBytes(ledger());
    for (const auto& c : cases) {
        c.damage();
        for (const QStringList& args : Writers + QList<QStringList>{{u"info"_s}}) {
            const CliRun result = run(args);
            EXPECT_EQ(result.exitCode, 1) << c.what << " " << args.join(u' ').toStdString();
            EXPECT_TRUE(result.err.contains(c.said)) << c.what << ": " << result.err.toStdString();
        }
        EXPECT_EQ(TempClient::readBytes(ledger()), before) << c.what;
        EXPECT_TRUE(QDir(workingFolder()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) << c.what;
        QDir(settings).removeRecursively();
        QFile::remove(settings);
        PrepareCliClientFolder(folder, u"2026/04"_s);
    }
}

TEST_F(DataSafetyCliTest, ALinkInThePlaceOfADataFileIsRefusedAndItsTargetStaysAsItWas)
{
    const QString elsewhere = dir.filePath(u"elsewhere"_s) + u'/';
    QDir().mkpath(elsewhere);
    for (const QString& name : {DataFileName::Ledger, DataFileName::ItemNumbers, SettingsFileName::Shared, DataFileName::ChangeLog}) {
        const QString inPlace = folder + name;
        const QString target = elsewhere + name;
        ASSERT_TRUE(QFile::rename(inPlace, target) || (TempClient::writeBytes(target, "x"), true));
        const QByteArray before = TempClient::readBytes(target);
        ASSERT_TRUE(QFile::link(target, inPlace));
        for (const QStringList& args : Writers) {
            const CliRun result = run(args);
            EXPECT_EQ(result.exitCode, 1) << name.toStdString() << " " << args.join(u' ').toStdString();
            EXPECT_TRUE(result.err.contains(u"シンボリックリンク"_s)) << name.toStdString() << ": " << result.err.toStdString();
            EXPECT_TRUE(result.err.contains(inPlace)) << name.toStdString();
        }
        EXPECT_EQ(TempClient::readBytes(target), before) << name.toStdString();
        EXPECT_TRUE(QFileInfo(inPlace).isSymLink());
        QFile::remove(inPlace);
        QFile::rename(target, inPlace);
    }
    EXPECT_EQ(run({u"verify"_s}).out.trimmed(), u"ok"_s);
}

TEST_F(DataSafetyCliTest, AViewOnlyClientIsRefusedEveryChangeButMayWriteWorkbooks)
{
    QStringList values(50);
    values[ClientLine::DataFolder - 1] = folder;
    values[ClientLine::PreviousDataFolder - 1] = folder;
    values[ClientLine::ViewOnly - 1] = u"1"_s;
    TempClient::writeSettings(folder + SettingsFileName::Client, values);
    const QByteArray before = TempClient::readBytes(ledger());
    for (const QStringList& args : Writers + QList<QStringList>{{u"import-items"_s}, {u"import-vocab"_s}, {u"import-monthly"_s}, {u"repair"_s}}) {
        const CliRun result = run(args);
        EXPECT_EQ(result.exitCode, 1) << args.join(u' ').toStdString();
        EXPECT_TRUE(result.err.contains(u"当クライアントは確認のみの設定です。"_s)) << args.join(u' ').toStdString() << result.err.toStdString();
    }
    EXPECT_EQ(TempClient::readBytes(ledger()), before);
    EXPECT_EQ(run({u"info"_s}).exitCode, 0);
    const QString exported = dir.filePath(u"ledger.xlsx"_s);
    const CliRun output = run({u"export-ledger"_s, u"--out"_s, exported});
    EXPECT_EQ(output.exitCode, 0) << output.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(exported));
}

TEST_F(DataSafetyCliTest, ADamagedLedgerIsRefusedByEveryWriterUntilRepairKeepsACopyAndTheSoundRecords)
{
    QByteArray bytes = TempClient::readBytes(ledger());
    bytes[7 * ItemRecord::Length - 1] = ' '; // record 7 loses its line end
    bytes.append(830, ' ');                  // and a cut-off record follows the last one
    TempClient::writeBytes(ledger(), bytes);
    for (const QStringList& args : Writers) {
        const CliRun result = run(args);
        EXPECT_EQ(result.exitCode, 1) << args.join(u' ').toStdString();
        EXPECT_TRUE(result.err.contains(u"台帳ファイルが壊れているため、書き込みをしませんでした。"_s))
            << args.join(u' ').toStdString() << ": " << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(u"tev-cli repair"_s));
    }
    EXPECT_EQ(TempClient::readBytes(ledger()), bytes);

    const CliRun repaired = run({u"repair"_s});
    ASSERT_EQ(repaired.exitCode, 0) << repaired.err.toStdString();
    EXPECT_TRUE(repaired.out.contains(u"20 件のうち 19 件を残しました。"_s)) << repaired.out.toStdString();
    EXPECT_TRUE(repaired.out.contains(u"末尾の 830 バイト"_s));
    EXPECT_TRUE(repaired.out.contains(u"7 件目（在庫品No G000007）のレコードの終わりが CR LF ではありません。"_s));
    EXPECT_TRUE(repaired.out.endsWith(u"records: 19\n"_s));
    const QStringList copies = QDir(folder + DataFileName::OutputFolder).entryList({u"Ma在庫品_破損_*.dat"_s});
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(TempClient::readBytes(folder + DataFileName::OutputFolder + u'/' + copies[0]), bytes);
    EXPECT_EQ(run({u"verify"_s}).out.trimmed(), u"ok"_s);
    EXPECT_EQ(run({u"generate"_s, u"1"_s}).exitCode, 0);
    // A sound ledger is left alone.
    const CliRun again = run({u"repair"_s});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_TRUE(again.out.contains(u"修復は不要です"_s));
}

TEST_F(DataSafetyCliTest, AClientFolderWhoseNameTheCodePageCannotHoldIsRefused)
{
    const QString odd = dir.filePath(u"café☃"_s);
    QDir().mkpath(odd);
    const CliRun result = RunCliIn(odd, {u"info"_s});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(u"フォルダー名に使えない文字「é」があります。"_s)) << result.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(odd + u'/' + SettingsFileName::Client));
}

} // namespace
