// filter COL=WORD [COL=WORD [COL=WORD]]: the ledger screen's filter, hit record numbers printed.
#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/console_output.h"
#include "cli/ledger_commands.h"
#include "ledger/filter_scan.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/ledger_file.h"
#include "storage/shared_checks.h"

std::optional<FilterConditionRows> ParseFilterArguments(const QStringList& args, QString* error)
{
    if (args.isEmpty() || args.size() > 3) {
        *error = QStringLiteral("filter needs one to three conditions COL=WORD");
        return std::nullopt;
    }
    FilterConditionRows rows;
    for (qsizetype k = 0; k < args.size(); ++k) {
        const qsizetype equals = args[k].indexOf(u'=');
        const auto column = equals > 0 ? ParseWholeNumber(args[k].left(equals), 1, 99) : std::nullopt;
        if (!column || !IsFilterableColumn(int(*column))) {
            *error = QStringLiteral("%1: a condition is COL=WORD with COL one of 1, 2, 3, 4, 5 and 8").arg(args[k]);
            return std::nullopt;
        }
        rows[size_t(k)] = {QString::number(*column), QString(), args[k].mid(equals + 1)};
    }
    return rows;
}

int RunFilter(Invocation& invocation)
{
    QString error;
    std::optional<FilterConditionRows> rows = ParseFilterArguments(invocation.args(), &error);
    if (!rows)
        return invocation.usageError(error);
    AppState* state = invocation.startUp();
    if (!state)
        return ExitFailed;
    if (!CheckStopAll(*state))
        return ExitFailed;
    const FilterConditions conditions = NormaliseFilterConditions(*rows);
    if (!conditions.hasComplete()) {
        state->dialogs.inform(QStringLiteral("登録確認"), QStringLiteral("絞込の条件が設定されてません。　"));
        return ExitFailed;
    }
    if (!invocation.ledgerOpens(*state))
        return ExitFailed;
    const FilterScanResult result = ScanForHits(*state, conditions);
    if (!result.ok) {
        PrintError(QStringLiteral("tev-cli filter: the ledger cannot be read: %1\n").arg(LedgerPath(*state)));
        return ExitFailed;
    }
    QString out;
    for (const int recordNo : result.hits)
        out += QString::number(recordNo) + u'\n';
    out += QStringLiteral("hits: %1\n").arg(result.hits.size());
    PrintOut(out);
    return ExitSuccess;
}

std::optional<QList<int>> FilterHitsOf(Invocation& invocation, AppState& state, FilterConditionRows rows)
{
    const FilterConditions conditions = NormaliseFilterConditions(rows);
    if (!conditions.hasComplete()) {
        state.dialogs.inform(QStringLiteral("登録確認"), QStringLiteral("絞込の条件が設定されてません。　"));
        return std::nullopt;
    }
    const FilterScanResult scan = ScanForHits(state, conditions);
    if (!scan.ok) {
        invocation.printMessage(QStringLiteral("the ledger cannot be read: %1").arg(LedgerPath(state)));
        return std::nullopt;
    }
    return scan.hits;
}

bool TakeFilterOptions(QStringList& args, std::optional<FilterConditionRows>& rows, QString& error)
{
    QStringList filters;
    if (!TakeRepeatedOption(args, QStringLiteral("--filter"), filters)) {
        error = QStringLiteral("option --filter needs a value COL=WORD");
        return false;
    }
    rows.reset();
    if (filters.isEmpty())
        return true;
    rows = ParseFilterArguments(filters, &error);
    return rows.has_value();
}
