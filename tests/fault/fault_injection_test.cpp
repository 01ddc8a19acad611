// Every operation that replaces user data, killed at its write calls one after another and run on
// a disk that refuses its writes: the data are always the old or the new state, whole; a failure
// says why; the next start needs no repair.
#include "support/fault_harness_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Ledger = QStringLiteral("Ma在庫品.dat");
const QString Shared = QStringLiteral("Ma在庫品基礎.dat");
const QString Client = QStringLiteral("MbVORN在庫品基礎.dat");
const QString ItemNumbers = QStringLiteral("Ma在庫品No.dat");
const QString List2 = QStringLiteral("Mb在庫品02.dat");

struct Operation {
    const char* name;
    QStringList changes;  // the files the operation is there to change
    bool namesReason;     // its failure message says why (full disk, no permission)
    bool together = false; // its files are all old or all new together after a fresh start
};

const Operation Operations[] = {
    {"settings", {Shared}, true},
    {"client-settings", {Client}, true},
    {"vocabulary", {List2, Shared}, true},
    {"item-numbers", {ItemNumbers}, true},
    {"store-new", {Ledger}, true},
    {"generate", {Ledger}, true},
    {"store-correction", {Ledger}, true},
    {"sort", {Ledger}, true},
    {"delete", {Ledger}, true},
    {"import-items", {Ledger, Shared}, true},
    {"import-vocab", {List2, Shared}, true},
    {"rollover", {Ledger, Shared}, true, true},
};

void PrintTo(const Operation& operation, std::ostream* out)
{
    *out << operation.name;
}

// A failure names the refusal, or says that the file could not be written (a ledger opened for
// reading only after the refusal) or an I/O failure where the cause was lost; never a missing
// file or another client.
void expectTruthfulReason(const QString& out, const QString& reason, const std::string& label)
{
    EXPECT_TRUE(out.contains(reason) || out.contains(QStringLiteral("書き込みできません。"))
                || out.contains(QStringLiteral("ディスクの準備ができていません。")))
        << label << ": " << out.toStdString();
    for (const QString& misleading : {QStringLiteral("ファイルが見つかりません。"), QStringLiteral("パスが見つかりません。"),
                                      QStringLiteral("他の端末が台帳を使用中です。"),
                                      QStringLiteral("他のクライアントが台帳を更新中です。")})
        EXPECT_FALSE(out.contains(misleading)) << label << ": " << out.toStdString();
}

// Kill points per operation; the operations with many calls are sampled.
constexpr int KillSamples = 18;
constexpr int FailSamples = 8;

// One prepared data folder for all cases. The settings name the folder, so every run works in
// the same place and starts from a copy of the prepared state.
class FaultInjectionTest : public ::testing::TestWithParam<Operation> {
protected:
    static void SetUpTestSuite()
    {
        root = new QTemporaryDir;
        work = root->path() + QStringLiteral("/data");
        QDir().mkpath(work);
        const WorkerRun prepared = RunFaultWorker(work, QStringLiteral("prepare"), FaultMode::Count, 0, QString(),
                                                  {QStringLiteral(TEV_TEST_DATA_DIR "/workbook")});
        ASSERT_EQ(prepared.exitCode, 0) << prepared.out.toStdString();
        base = root->path() + QStringLiteral("/base");
        CopyFolder(work, base);
        before = TakeSnapshot(base);
    }
    static void TearDownTestSuite()
    {
        delete root;
        root = nullptr;
    }

    void SetUp() override
    {
        ASSERT_FALSE(before.isEmpty());
        operation = QString::fromLatin1(GetParam().name);
        // The state the operation leaves when nothing goes wrong, and how many calls it makes.
        CopyFolder(base, work);
        const WorkerRun clean = RunFaultWorker(work, operation);
        ASSERT_EQ(clean.exitCode, 0) << clean.out.toStdString();
        ASSERT_GT(clean.calls, 0);
        totalCalls = clean.calls;
        after = TakeSnapshot(work);
        ASSERT_FALSE(DifferingFiles(after, before, GetParam().changes).isEmpty()) << "the operation changed nothing";
    }

    // The folder after a fault: old or new per file, and a new start that works.
    void expectConsistent(const std::string& label)
    {
        const QString settled = SettleAsAStartDoes(work);
        EXPECT_TRUE(settled.isEmpty()) << label << ": " << settled.toStdString();
        const FolderSnapshot now = TakeSnapshot(work);
        const QStringList problems = CompareWithStates(now, before, after);
        EXPECT_TRUE(problems.isEmpty()) << label << ": " << problems.join(u'\n').toStdString();
        if (GetParam().together) {
            const QStringList fromBefore = DifferingFiles(now, before, GetParam().changes);
            const QStringList fromAfter = DifferingFiles(now, after, GetParam().changes);
            EXPECT_TRUE(fromBefore.isEmpty() || fromAfter.isEmpty())
                << label << ": a mix of old and new: changed " << fromBefore.join(u' ').toStdString() << ", not yet "
                << fromAfter.join(u' ').toStdString();
        }
        const QString start = CheckFreshStart(work);
        EXPECT_TRUE(start.isEmpty()) << label << ": " << start.toStdString();
    }

    // After a fault part-way: a reported success has stored everything, a failure says why, and
    // no file is left half-written.
    void expectStoredOrToldWhy(const WorkerRun& run, const QString& reason, const std::string& at)
    {
        if (run.exitCode == 0) {
            const QStringList notStored = DifferingFiles(TakeSnapshot(work), after, GetParam().changes);
            EXPECT_TRUE(notStored.isEmpty()) << at << ": reported done, but not stored: " << notStored.join(u' ').toStdString();
        } else {
            EXPECT_TRUE(run.out.contains(QStringLiteral("message: "))) << at << ": " << run.out.toStdString();
            expectTruthfulReason(run.out, reason, at);
        }
        expectConsistent(at);
    }

    static QTemporaryDir* root;
    static QString work;
    static QString base;
    static FolderSnapshot before;
    QString operation;
    long totalCalls = 0;
    FolderSnapshot after;
};

QTemporaryDir* FaultInjectionTest::root = nullptr;
QString FaultInjectionTest::work;
QString FaultInjectionTest::base;
FolderSnapshot FaultInjectionTest::before;

TEST_P(FaultInjectionTest, KilledAtAnyWriteCallLeavesOldOrNewStateAndAWorkingStart)
{
    // An operation of several files is killed at every one of its calls.
    const long samples = GetParam().together ? totalCalls : KillSamples;
    for (const long n : SampleCalls(totalCalls, int(samples))) {
        const std::string label = operation.toStdString() + " killed at call " + std::to_string(n) + " of "
            + std::to_string(totalCalls);
        CopyFolder(base, work);
        const WorkerRun run = RunFaultWorker(work, operation, FaultMode::Kill, n);
        EXPECT_TRUE(run.killed) << label << ": " << run.out.toStdString();
        expectConsistent(label);
        // The operation runs again on what the kill left: no stale lock or left-over file stops it.
        // A rollover that the start completed is not made a second time: it says so.
        const bool doneAlready = GetParam().together && DifferingFiles(TakeSnapshot(work), after, GetParam().changes).isEmpty();
        const WorkerRun again = RunFaultWorker(work, operation);
        if (doneAlready)
            EXPECT_TRUE(again.out.contains(QStringLiteral("既に"))) << label << ", run again: " << again.out.toStdString();
        else
            EXPECT_EQ(again.exitCode, 0) << label << ", run again: " << again.out.toStdString();
    }
}

TEST_P(FaultInjectionTest, RefusedWritesFailWithTheReasonAndKeepTheData)
{
    const std::pair<const char*, QString> refusals[] = {
        {"ENOSPC", QStringLiteral("ディスクの空き容量が不足しています。")},
        {"EACCES", QStringLiteral("書き込みできません。")},
    };
    for (const auto& [errnoName, reason] : refusals) {
        const std::string label = operation.toStdString() + " with " + errnoName;
        // Nothing can be written at all: the operation fails, says why, and every file stays as it was.
        CopyFolder(base, work);
        const WorkerRun refused = RunFaultWorker(work, operation, FaultMode::Fail, 1, QString::fromLatin1(errnoName));
        EXPECT_EQ(refused.exitCode, 1) << label << ": " << refused.out.toStdString();
        EXPECT_TRUE(refused.out.contains(QStringLiteral("message: "))) << label << ": " << refused.out.toStdString();
        if (GetParam().namesReason)
            EXPECT_TRUE(refused.out.contains(reason)) << label << ": " << refused.out.toStdString();
        const FolderSnapshot now = TakeSnapshot(work);
        EXPECT_TRUE(CompareWithStates(now, before, before).isEmpty())
            << label << ": " << CompareWithStates(now, before, before).join(u'\n').toStdString();

        // The writes start failing part-way.
        for (const long n : SampleCalls(totalCalls, FailSamples)) {
            const std::string at = label + " from call " + std::to_string(n) + " of " + std::to_string(totalCalls);
            CopyFolder(base, work);
            const WorkerRun run = RunFaultWorker(work, operation, FaultMode::Fail, n, QString::fromLatin1(errnoName));
            ASSERT_FALSE(run.killed) << at;
            expectStoredOrToldWhy(run, reason, at);
        }
    }
}

TEST_P(FaultInjectionTest, ADiskThatFillsPartWayLeavesNoPartOfARecordOrFile)
{
    // A real full disk stores part of the write that fills it: the part must be taken back.
    for (const long n : SampleCalls(totalCalls, FailSamples)) {
        const std::string at = operation.toStdString() + " with the disk full from call " + std::to_string(n) + " of "
            + std::to_string(totalCalls);
        CopyFolder(base, work);
        const WorkerRun run = RunFaultWorker(work, operation, FaultMode::DiskFull, n);
        ASSERT_FALSE(run.killed) << at;
        expectStoredOrToldWhy(run, QStringLiteral("ディスクの空き容量が不足しています。"), at);
    }
}

INSTANTIATE_TEST_SUITE_P(Operations, FaultInjectionTest, ::testing::ValuesIn(Operations),
                         [](const ::testing::TestParamInfo<Operation>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
