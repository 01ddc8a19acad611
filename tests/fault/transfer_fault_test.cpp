// The data transfer killed at its write calls one after another (into an empty folder, and into a
// folder whose data of another client it replaces), then the program started anew with the
// default answers: the client works either in the old folder with the old data or in the new
// folder with all of them (or, killed before its first write, where the registration put it: in a
// new folder that holds data of its own, untouched), never anywhere else and never on a mix; the
// start finishes or undoes the half-done step (and, asked to, makes the transfer once more); the
// old folder never holds anything written after its mark.
#include "storage/app_state.h"
#include "storage/change_log.h"
#include "storage/field_text.h"
#include "storage/paths.h"
#include "storage/quoted_text_file.h"
#include "storage/scripted_dialogs.h"
#include "storage/settings_files.h"
#include "storage/synthetic_items.h"
#include "storage/vocabulary.h"
#include "support/fault_harness_support.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Worker = QStringLiteral("tev-transfer-worker");
const QString Shared = SettingsFileName::Shared;
const QString Client = SettingsFileName::Client;

// The files whose bytes the transfer carries from the old folder into the new one.
const QStringList Carried{QStringLiteral("Mb在庫品02.dat"), QStringLiteral("Mb在庫品03.dat"),
                          QStringLiteral("Mb在庫品04.dat"), QStringLiteral("Mb在庫品05.dat"),
                          QStringLiteral("Mb在庫品06.dat"), QStringLiteral("Ma在庫品.dat"),
                          QStringLiteral("Ma在庫品履歴.log"), QStringLiteral("Mb在庫品メール.dat"),
                          QStringLiteral("M在庫資料/Mb入出庫月報.xlsx")};

constexpr int KillSamples = 30;

struct Target {
    const char* name;
    bool holdsData; // another client's data, which the transfer replaces
};

void PrintTo(const Target& target, std::ostream* out)
{
    *out << target.name;
}

// A data folder's data: the word lists, 40 items with a change log line each batch, the mail
// recipients and the daily in/out workbook, and the shared settings.
void writeDataFolder(const QString& folder, int items, std::uint32_t seed, const QString& startMonth)
{
    ScriptedDialogs dialogs;
    AppState state(dialogs);
    state.ClientFolder = folder;
    state.DataFolder = folder;
    state.PcName = QStringLiteral("PREPARE");
    state.SharedSettings[SharedLine::StartMonth] = startMonth;
    for (int list = VocabularyTable::FirstUsedList; list <= VocabularyTable::LastUsedList; ++list) {
        state.Vocabulary.setEntry(list, 1, VocabularyEntry{QStringLiteral("1"), QStringLiteral("語%1").arg(list)});
        state.SharedSettings[ListCountLine(list)] = QStringLiteral("2");
    }
    ASSERT_TRUE(WriteSettingsFile(folder + Shared, state.SharedSettings));
    ASSERT_TRUE(WriteVocabularyLists(state));
    ASSERT_TRUE(AppendSyntheticItems(state, items, seed).stored());
    ChangeLog log(state, ChangeOperation::Appended);
    log.addSummary({QStringLiteral("件数: %1").arg(items)});
    ASSERT_TRUE(log.write());
    TempClient::writeBytes(folder + QStringLiteral("Mb在庫品メール.dat"), "\"a@example.com\"\r\n");
    QDir().mkpath(folder + DataFileName::DocumentsFolder);
    TempClient::writeBytes(folder + QStringLiteral("M在庫資料/Mb入出庫月報.xlsx"), "PK\x03\x04 daily " + QByteArray::number(seed));
}

// The files of a snapshot that hold data: without the given names, lock files and the temporary
// file a killed replacement leaves beside its file ("NAME.XXXXXX").
FolderSnapshot dataFiles(FolderSnapshot snapshot, const QStringList& without = {})
{
    const FolderSnapshot all = snapshot;
    for (const QString& name : all.keys())
        if (without.contains(name) || IsHarmlessLeftover(name, all, all))
            snapshot.remove(name);
    return snapshot;
}

// The names whose content differs between two snapshots (or that only one has), for a failure's text.
std::string differences(const FolderSnapshot& now, const FolderSnapshot& expected)
{
    QStringList names = now.keys() + expected.keys();
    names.removeDuplicates();
    QStringList differing;
    for (const QString& name : names)
        if (now.value(name) != expected.value(name) || now.contains(name) != expected.contains(name))
            differing.append(name + (now.contains(name) ? (expected.contains(name) ? QString() : QStringLiteral(" (left)"))
                                                        : QStringLiteral(" (missing)")));
    return differing.join(QStringLiteral(", ")).toStdString();
}

SettingsLines settingsOf(const FolderSnapshot& snapshot)
{
    SettingsLines lines;
    ReadSettingsLines(SplitTextLines(snapshot.value(Shared)), lines);
    return lines;
}

class TransferFaultTest : public ::testing::TestWithParam<Target> {
protected:
    void SetUp() override
    {
        work = dir.path() + QStringLiteral("/work");
        client = work + QStringLiteral("/client/");
        old = work + QStringLiteral("/old/");
        target = work + QStringLiteral("/new/");
        for (const QString& folder : {client, old, target})
            QDir().mkpath(folder);
        writeDataFolder(old, 40, 7, QStringLiteral("2026/04"));
        if (GetParam().holdsData)
            writeDataFolder(target, 5, 3, QStringLiteral("2025/04"));
        // The client registered the new folder; the transfer comes next.
        QStringList lines(50);
        lines[ClientLine::DataFolder - 1] = target;
        lines[ClientLine::PreviousDataFolder - 1] = old;
        lines[ClientLine::TransferPending - 1] = QStringLiteral("1");
        TempClient::writeSettings(client + Client, lines);

        base = dir.path() + QStringLiteral("/base");
        CopyFolder(work, base);
        oldBefore = TakeSnapshot(old);
        targetBefore = TakeSnapshot(target);

        const WorkerRun clean = transfer();
        ASSERT_EQ(clean.exitCode, 0) << clean.out.toStdString();
        ASSERT_GT(clean.calls, 0);
        totalCalls = clean.calls;
        expectOnNewFolder("the transfer without a fault");
    }

    WorkerRun transfer(FaultMode mode = FaultMode::Count, long at = 0)
    {
        QStringList args{client, QStringLiteral("transfer"), target};
        if (GetParam().holdsData)
            args.append(QStringLiteral("replace"));
        return RunWatchedWorker(Worker, work, args, mode, at);
    }
    WorkerRun start(const QString& answers)
    {
        return RunWatchedWorker(Worker, work, {client, QStringLiteral("start"), answers});
    }
    SettingsLines clientSettings() const
    {
        SettingsLines lines;
        ReadSettingsFile(client + Client, lines);
        return lines;
    }

    // What holds in either end state: no copy left beside its place, the old folder's data as they
    // were (its settings too, but for a stop that is released), nothing pending, a start that works.
    void expectSettled(const std::string& label)
    {
        for (const QString& name : TakeSnapshot(work).keys())
            EXPECT_FALSE(name.endsWith(DataFileName::TransferCopySuffix)) << label << ": " << name.toStdString();
        const FolderSnapshot oldNow = TakeSnapshot(old);
        EXPECT_TRUE(dataFiles(oldNow, {Shared, DataFileName::MovedMark}) == dataFiles(oldBefore, {Shared}))
            << label << ": " << differences(dataFiles(oldNow, {Shared, DataFileName::MovedMark}), dataFiles(oldBefore, {Shared}));
        SettingsLines settings = settingsOf(oldNow);
        EXPECT_FALSE(ReadFlag(settings[SharedLine::StopAll])) << label;
        SettingsLines settingsBefore = settingsOf(oldBefore);
        for (int line : {int(SharedLine::StopAll), int(SharedLine::StopSetBy)})
            settings[size_t(line)] = settingsBefore[size_t(line)];
        EXPECT_EQ(settings, settingsBefore) << label;
        EXPECT_TRUE(clientSettings()[ClientLine::TransferTarget].isEmpty()) << label;
        const QString fresh = CheckFreshStart(client);
        EXPECT_TRUE(fresh.isEmpty()) << label << ": " << fresh.toStdString();
    }

    void expectOnOldFolder(const std::string& label)
    {
        EXPECT_EQ(clientSettings()[ClientLine::DataFolder], old) << label;
        EXPECT_FALSE(QFile::exists(old + DataFileName::MovedMark)) << label;
        // A target whose copies never took their places holds its own data as before (and at most
        // the dated copies made before the copies would have replaced them).
        if (!QFile::exists(target + DataFileName::TransferMark)) {
            FolderSnapshot now = dataFiles(TakeSnapshot(target));
            for (const QString& name : now.keys())
                if (name.contains(QStringLiteral("_置換前_")))
                    now.remove(name);
            EXPECT_TRUE(now == dataFiles(targetBefore)) << label << ": " << differences(now, dataFiles(targetBefore));
        }
        expectSettled(label);
    }

    void expectOnNewFolder(const std::string& label)
    {
        EXPECT_EQ(clientSettings()[ClientLine::DataFolder], target) << label;
        EXPECT_EQ(clientSettings()[ClientLine::PreviousDataFolder], target) << label;
        const auto lines = ReadTextLines(old + DataFileName::MovedMark);
        ASSERT_TRUE(lines && !lines->isEmpty()) << label;
        EXPECT_EQ(SplitQuotedLine(lines->first()).value(0), target) << label;
        EXPECT_FALSE(QFile::exists(target + DataFileName::TransferMark)) << label;
        const FolderSnapshot now = TakeSnapshot(target);
        for (const QString& name : Carried)
            EXPECT_EQ(now.value(name), oldBefore.value(name)) << label << ": " << name.toStdString();
        SettingsLines settings = settingsOf(now);
        EXPECT_EQ(settings[SharedLine::StartMonth], QStringLiteral("2026/04")) << label;
        EXPECT_FALSE(ReadFlag(settings[SharedLine::StopAll])) << label;
        if (GetParam().holdsData) {
            // The replaced ledger is kept, dated, in the new folder's output folder.
            bool kept = false;
            for (auto it = now.begin(); it != now.end(); ++it)
                kept = kept || (it.key().contains(QStringLiteral("_置換前_")) && it.value() == targetBefore.value(QStringLiteral("Ma在庫品.dat")));
            EXPECT_TRUE(kept) << label;
        }
        expectSettled(label);
    }

    // The registration's state: the new folder in use with its own data, the old one untouched.
    void expectAsRegistered(const std::string& label)
    {
        EXPECT_TRUE(GetParam().holdsData) << label;
        EXPECT_EQ(clientSettings()[ClientLine::PreviousDataFolder], old) << label;
        EXPECT_FALSE(QFile::exists(old + DataFileName::MovedMark)) << label;
        EXPECT_TRUE(dataFiles(TakeSnapshot(target)) == dataFiles(targetBefore))
            << label << ": " << differences(dataFiles(TakeSnapshot(target)), dataFiles(targetBefore));
        expectSettled(label);
    }

    void expectOnEither(const std::string& label)
    {
        const QString folder = clientSettings()[ClientLine::DataFolder];
        if (folder == old)
            expectOnOldFolder(label + " (on the old folder)");
        else if (folder == target && QFile::exists(old + DataFileName::MovedMark))
            expectOnNewFolder(label + " (on the new folder)");
        else if (folder == target)
            expectAsRegistered(label + " (as registered)");
        else
            ADD_FAILURE() << label << ": the client works in " << folder.toStdString();
    }

    // A copy of a prepared folder tree (empty folders included: the new folder may be one).
    void restore(const QString& from)
    {
        CopyFolder(from, work);
        for (const QString& folder : {client, old, target})
            QDir().mkpath(folder);
    }

    QTemporaryDir dir;
    QString work, client, old, target, base;
    FolderSnapshot oldBefore, targetBefore;
    long totalCalls = 0;
};

TEST_P(TransferFaultTest, KilledAtAnyWriteCallTheNextStartLeavesTheOldOrTheNewFolderWhole)
{
    const QString killed = dir.path() + QStringLiteral("/killed");
    int finished = 0;
    for (const long n : SampleCalls(totalCalls, KillSamples)) {
        const std::string label = std::string(GetParam().name) + " killed at call " + std::to_string(n) + " of "
            + std::to_string(totalCalls);
        restore(base);
        const WorkerRun run = transfer(FaultMode::Kill, n);
        ASSERT_TRUE(run.killed) << label << ": " << run.out.toStdString();
        // Whatever the kill left, the old folder's data are whole, and never anything after its mark.
        EXPECT_TRUE(dataFiles(TakeSnapshot(old), {Shared, DataFileName::MovedMark}) == dataFiles(oldBefore, {Shared}))
            << label << ": " << differences(dataFiles(TakeSnapshot(old), {Shared, DataFileName::MovedMark}), dataFiles(oldBefore, {Shared}));
        CopyFolder(work, killed);
        const SettingsLines left = clientSettings();
        const bool pending = !left[ClientLine::TransferTarget].isEmpty() && !QFile::exists(old + DataFileName::MovedMark);

        // The start with the default answers: the old folder, unless the transfer had passed its mark.
        const WorkerRun started = start(QString());
        ASSERT_EQ(started.exitCode, 0) << label << ": " << started.out.toStdString();
        EXPECT_FALSE(started.out.contains(QStringLiteral("データフォルダー位置がおかしい"))) << label << ": " << started.out.toStdString();
        expectOnEither(label);
        const WorkerRun again = start(QString());
        EXPECT_FALSE(again.out.contains(QStringLiteral("question:"))) << label << ", started again: " << again.out.toStdString();

        // The transfer runs again on what the start left.
        if (!QFile::exists(old + DataFileName::MovedMark)) {
            const WorkerRun retried = transfer();
            EXPECT_EQ(retried.exitCode, 0) << label << ", transferred again: " << retried.out.toStdString();
            expectOnNewFolder(label + ", transferred again");
        }

        // Asked to finish the transfer instead, the start makes it.
        if (pending) {
            restore(killed);
            const WorkerRun finishing = start(QStringLiteral("no,yes"));
            ASSERT_EQ(finishing.exitCode, 0) << label << ": " << finishing.out.toStdString();
            expectOnNewFolder(label + ", finished at the start");
            ++finished;
        }
    }
    EXPECT_GT(finished, 0);
}

INSTANTIATE_TEST_SUITE_P(Targets, TransferFaultTest,
                         ::testing::Values(Target{"empty_target", false}, Target{"target_in_use", true}),
                         [](const ::testing::TestParamInfo<Target>& info) { return std::string(info.param.name); });

} // namespace
