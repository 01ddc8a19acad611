// Commits a new ledger and can be stopped for good at a chosen point of the commit, so that a
// test can kill it there. Usage: tev-ledger-commit-worker FOLDER POINT
// POINT: "before" (lock taken, nothing written), "during" (half the records written),
// "written" (everything written, not yet replaced), "replaced" (new ledger in place, clean-up
// not done) or "loop" (commits forever, alternating two orders, for kills at random moments).
// The ledger in FOLDER is reversed by each commit. Prints the point reached, then sleeps.
#include "ledger/ledger_commit.h"
#include "storage/app_state.h"
#include "storage/ledger_file.h"
#include "storage/scripted_dialogs.h"

#include <QCoreApplication>
#include <QStringList>
#include <QThread>
#include <cstdio>

namespace {

void announceAndWait(const char* point)
{
    std::printf("%s\n", point);
    std::fflush(stdout);
    for (;;)
        QThread::sleep(60);
}

QList<int> reversed(int count)
{
    QList<int> order;
    for (int n = count; n >= 1; --n)
        order.append(n);
    return order;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    ScriptedDialogs dialogs;
    AppState state(dialogs);
    state.ClientFolder = args[1];
    state.DataFolder = args[1];
    const QString point = args[2];
    {
        LedgerCloser closer(state);
        OpenLedger(state);
    }
    const int count = state.RecordCount;
    if (point == QStringLiteral("loop")) {
        std::puts("ready");
        std::fflush(stdout);
        for (;;) {
            if (!CommitKeptRecords(state, reversed(count), count).ok())
                return 1;
        }
    }
    const CommitResult result = CommitKeptRecords(state, reversed(count), count, [&](CommitStage stage, int done, int total) {
        if (point == QStringLiteral("before") && stage == CommitStage::Started)
            announceAndWait("before");
        if (point == QStringLiteral("during") && stage == CommitStage::Writing && done >= total / 2)
            announceAndWait("during");
        if (point == QStringLiteral("written") && stage == CommitStage::Written)
            announceAndWait("written");
        if (point == QStringLiteral("replaced") && stage == CommitStage::Replaced)
            announceAndWait("replaced");
        return true;
    });
    std::puts(result.ok() ? "committed" : "failed");
    return result.ok() ? 0 : 1;
}
