// Commits a new ledger and can be stopped for good at a chosen point of the commit, so that a
// test can kill it there. Usage: tev-ledger-commit-worker FOLDER POINT
// POINT: "before" (lock taken, nothing written), "during" (half the records written),
// "written" (everything written, not yet replaced), "replaced" (new ledger in place, clean-up
// not done) or "loop" (commits forever, alternating two orders, for kills at random moments).
// The ledger in FOLDER is reversed by each commit. Prints the point reached, then sleeps.
#include "ledger/ledger_commit.h"
#include "storage/app_state.h"
#include "storage/item_record.h"
#include "storage/scripted_dialogs.h"

#include <QCoreApplication>
#include <QStringList>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void announceAndWait(const char* point)
{
    std::printf("%s\n", point);
    std::fflush(stdout);
    for (;;)
        QThread::sleep(60);
}

bool reverse(std::vector<ItemRecord>& records)
{
    std::reverse(records.begin(), records.end());
    return true;
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
    if (point == QStringLiteral("loop")) {
        std::puts("ready");
        std::fflush(stdout);
        for (;;) {
            if (!CommitLedgerEdit(state, reverse).ok())
                return 1;
        }
    }
    const CommitResult result = CommitLedgerEdit(state, reverse, [&](CommitStage stage, int done, int total) {
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
