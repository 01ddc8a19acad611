// generate N [--seed S]: appends N synthetic items in one locked, all-or-nothing append.
#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/console_output.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/file_error.h"
#include "storage/ledger_file.h"
#include "storage/shared_checks.h"
#include "storage/synthetic_items.h"

namespace {

// Without --seed the items are the same on every run, so that a script can rely on them.
constexpr std::uint32_t DefaultSeed = 1;

} // namespace

int RunGenerate(Invocation& invocation)
{
    const ParsedArguments parsed = ParseArguments(invocation.args(), {QStringLiteral("--seed")});
    if (!parsed.error.isEmpty())
        return invocation.usageError(parsed.error);
    if (parsed.positional.size() != 1)
        return invocation.usageError(QStringLiteral("generate needs the number of items"));
    const auto count = ParseWholeNumber(parsed.positional.front(), 1, 1'000'000'000);
    if (!count)
        return invocation.usageError(QStringLiteral("the number of items must be a whole number of 1 or more"));
    std::uint32_t seed = DefaultSeed;
    if (parsed.options.contains(QStringLiteral("--seed"))) {
        const auto value = ParseWholeNumber(parsed.options.value(QStringLiteral("--seed")), 0, 0xFFFFFFFF);
        if (!value)
            return invocation.usageError(QStringLiteral("--seed needs a whole number from 0 to 4294967295"));
        seed = static_cast<std::uint32_t>(*value);
    }
    AppState* state = invocation.startUp(Invocation::Access::Change);
    if (!state)
        return ExitFailed;
    // Adding items is a data action: a stop of all clients by an administrator holds here too.
    if (!CheckStopAll(*state))
        return ExitFailed;

    const AppendResult result = AppendSyntheticItems(*state, static_cast<int>(*count), seed);
    switch (result.status) {
    case AppendResult::Status::Stored:
        PrintOut(QStringLiteral("records: %1\n").arg(state->RecordCount));
        return ExitSuccess;
    case AppendResult::Status::LedgerFull:
        state->dialogs.inform(QStringLiteral("データ容量確認"), CapacityMessage());
        return ExitFailed;
    case AppendResult::Status::Busy:
        PrintError(QStringLiteral("tev-cli generate: another client is appending to the ledger (%1); nothing was written\n")
                       .arg(result.io.path));
        return ExitFailed;
    case AppendResult::Status::Failed:
        break;
    }
    invocation.printMessage(LedgerWriteFailureMessage(result.io, result.partLeft));
    return ExitFailed;
}
