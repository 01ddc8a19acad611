// delete N [N …]: removes records by number and commits, as "登　録" of the delete panel does.
#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/console_output.h"
#include "cli/ledger_commands.h"
#include "ledger/item_summary.h"
#include "ledger/ledger_commit.h"
#include "storage/app_state.h"
#include "storage/ledger_file.h"
#include "storage/shared_checks.h"

#include <QSet>

int RunDelete(Invocation& invocation)
{
    if (invocation.args().isEmpty())
        return invocation.usageError(QStringLiteral("delete needs the numbers of the records to remove"));
    QSet<int> removed;
    for (const QString& arg : invocation.args()) {
        const auto number = ParseWholeNumber(arg, 1, AppState::MaxRecords);
        if (!number)
            return invocation.usageError(QStringLiteral("%1: a record number is a whole number of 1 or more").arg(arg));
        removed.insert(int(*number));
    }
    AppState* state = invocation.startUp(Invocation::Access::Change);
    if (!state)
        return ExitFailed;
    if (!CheckStopAll(*state))
        return ExitFailed;
    IoResult read;
    int count = 0;
    const ItemSummaryTable items = ReadItemSummary(*state, &read, &count);
    if (!read) {
        invocation.printMessage(LedgerOpenFailureMessage(read));
        return ExitFailed;
    }
    QList<ListedRecord> listed;
    QList<int> numbers = removed.values();
    std::sort(numbers.begin(), numbers.end());
    for (const int n : std::as_const(numbers)) {
        if (n > count) {
            PrintError(QStringLiteral("tev-cli delete: record %1 does not exist (the ledger holds %2); nothing was removed\n")
                           .arg(n)
                           .arg(count));
            return ExitFailed;
        }
        listed.append(items[size_t(n - 1)].listed());
    }
    // The records as just read go by identity: one that another client changes or moves before
    // the commit refuses the deletion instead of removing another item.
    const CommitResult committed = CommitDeletion(*state, listed);
    if (!committed.ok()) {
        PrintError(QStringLiteral("tev-cli delete: %1\n").arg(CommitFailureMessage(committed.io).replace(u'\r', u'\n')));
        return ExitFailed;
    }
    for (const ListedRecord& gone : std::as_const(listed))
        PrintOut(QStringLiteral("removed: %1\t%2\n").arg(gone.recordNo).arg(gone.number));
    PrintOut(QStringLiteral("records: %1\n").arg(committed.recordCount));
    return ExitSuccess;
}
