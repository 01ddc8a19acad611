// A commit killed at any moment leaves the ledger either as it was or as the new one, whole.
#include "support/temp_client_support.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace {

constexpr int Records = 20000;
constexpr qsizetype RecordLength = 926;

// The ledger the worker's commit writes: the records in reverse order.
QByteArray reversedLedger(const QByteArray& ledger)
{
    QByteArray out;
    out.reserve(ledger.size());
    for (qsizetype n = ledger.size() / RecordLength; n >= 1; --n)
        out.append(ledger.constData() + (n - 1) * RecordLength, RecordLength);
    return out;
}

class LedgerCommitCrashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteTestLedger(client.ledgerPath(), Records);
        oldLedger = TempClient::readBytes(client.ledgerPath());
        newLedger = reversedLedger(oldLedger);
    }

    // Starts the worker, waits until it reports `point` (or for `delayMs`), then kills it.
    void runAndKill(const QString& point, int delayMs = 0)
    {
        QProcess process;
        process.start(QStringLiteral(TEV_BIN_DIR "/tev-ledger-commit-worker"), {client.dataFolder(), point});
        ASSERT_TRUE(process.waitForReadyRead(30000)) << point.toStdString();
        if (delayMs > 0)
            QThread::msleep(unsigned(delayMs));
        ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
        process.waitForFinished(10000);
    }

    // "old", "new" or "broken".
    std::string ledgerState() const
    {
        const QByteArray now = TempClient::readBytes(client.ledgerPath());
        return now == oldLedger ? "old" : (now == newLedger ? "new" : "broken");
    }

    TempClient client;
    QByteArray oldLedger;
    QByteArray newLedger;
};

TEST_F(LedgerCommitCrashTest, KilledAtEachStepOfTheCommit)
{
    const std::pair<const char*, const char*> cases[] = {
        {"before", "old"}, {"during", "old"}, {"written", "old"}, {"replaced", "new"}};
    for (const auto& [point, expected] : cases) {
        runAndKill(QString::fromLatin1(point));
        EXPECT_EQ(ledgerState(), expected) << point;
        // Start every case from the old ledger again.
        TempClient::writeBytes(client.ledgerPath(), oldLedger);
    }
}

TEST_F(LedgerCommitCrashTest, KilledAtRandomMomentsOfRepeatedCommits)
{
    for (int round = 0; round < 10; ++round) {
        runAndKill(QStringLiteral("loop"), 5 + int(QRandomGenerator::global()->bounded(120)));
        const std::string state = ledgerState();
        // Every commit reverses the ledger, so both states are one of the two.
        EXPECT_TRUE(state == "old" || state == "new") << "round " << round << ": " << state;
    }
}

} // namespace
