// move ITEMNO --month M (--in Q | --out Q) [--set]: a received or issued quantity of one month,
// through the same entry, stock check and store as the entry pad and "登　録".
#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/console_output.h"
#include "ledger/edit_session.h"
#include "ledger/ledger_view_state.h"
#include "ledger/stock_computation.h"
#include "storage/app_state.h"
#include "storage/field_text.h"
#include "storage/item_number_file.h"
#include "storage/item_record.h"
#include "storage/shared_checks.h"

int RunMove(Invocation& invocation)
{
    const QString in = QStringLiteral("--in");
    const QString out = QStringLiteral("--out");
    const QString month = QStringLiteral("--month");
    QStringList args = invocation.args();
    const bool replace = args.removeAll(QStringLiteral("--set")) > 0;
    const ParsedArguments parsed = ParseArguments(args, {month, in, out});
    if (!parsed.error.isEmpty())
        return invocation.usageError(parsed.error);
    if (parsed.positional.size() != 1)
        return invocation.usageError(QStringLiteral("move needs one item number"));
    const auto monthNo = ParseWholeNumber(parsed.options.value(month), 1, MonthsInYear);
    if (!monthNo)
        return invocation.usageError(QStringLiteral("--month needs a month of the ledger year, 1 to 12"));
    if (parsed.options.contains(in) == parsed.options.contains(out))
        return invocation.usageError(QStringLiteral("give either --in Q or --out Q"));
    const bool received = parsed.options.contains(in);
    const auto quantity = ParseNumber(parsed.options.value(received ? in : out));
    if (!quantity)
        return invocation.usageError(QStringLiteral("the quantity must be a plain decimal number"));

    AppState* state = invocation.startUp(Invocation::Access::Change);
    if (!state)
        return ExitFailed;
    if (!CheckStopAll(*state))
        return ExitFailed;
    // An unreadable ledger is said as such, not as an item number that is missing.
    if (!invocation.ledgerOpens(*state))
        return ExitFailed;
    const QString number = parsed.positional.front();
    LedgerViewState view;
    EditSession session(*state, view);
    // The record number found may hold another item by the time it is read (another client's sort
    // or deletion in between): the item read must be the one asked for, else it is looked up again.
    constexpr int Attempts = 3;
    for (int attempt = 1;; ++attempt) {
        RebuildItemNumberTable(*state);
        if (!FindItemNumber(*state, number)) {
            PrintError(QStringLiteral("tev-cli move: no item has the number %1\n").arg(number));
            return ExitFailed;
        }
        session.startCorrect(state->FoundRecordNo);
        if (session.mode() == 1 && session.item().text(ItemField::Number) == number)
            break;
        if (attempt == Attempts) {
            PrintError(QStringLiteral("tev-cli move: the item %1 keeps moving (other clients sort or delete); "
                                      "nothing was stored\n")
                           .arg(number));
            return ExitFailed;
        }
    }
    const int row = received ? QtyRow::Received : QtyRow::Issued;
    const double value = replace ? *quantity : session.item().qtyNumber(row, int(*monthNo)) + *quantity;
    session.selectMonthCell(row, int(*monthNo));
    if (!session.commitEntry(StoredNumberText(value).trimmed()))
        return ExitFailed;  // the message went to stderr; nothing was stored
    if (!session.store().stored())
        return ExitFailed;
    PrintOut(QStringLiteral("stock: %1\n").arg(DecimalText(StockOf(session.item()))));
    return ExitSuccess;
}
