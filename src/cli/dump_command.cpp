// dump: the records as tab-separated lines (record number, text[0..11], received and issued
// quantities of columns 1..15).
#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/console_output.h"
#include "cli/dump_line.h"
#include "storage/app_state.h"
#include "storage/item_record.h"
#include "storage/ledger_file.h"

int RunDump(Invocation& invocation)
{
    const ParsedArguments parsed =
        ParseArguments(invocation.args(), {QStringLiteral("--from"), QStringLiteral("--count")});
    if (!parsed.error.isEmpty())
        return invocation.usageError(parsed.error);
    if (!parsed.positional.isEmpty())
        return invocation.usageError(QStringLiteral("unexpected argument %1").arg(parsed.positional.front()));
    qint64 from = 1;
    qint64 count = AppState::MaxRecords;
    if (parsed.options.contains(QStringLiteral("--from"))) {
        const auto value = ParseWholeNumber(parsed.options.value(QStringLiteral("--from")), 1, 1'000'000'000);
        if (!value)
            return invocation.usageError(QStringLiteral("--from needs a record number of 1 or more"));
        from = *value;
    }
    if (parsed.options.contains(QStringLiteral("--count"))) {
        const auto value = ParseWholeNumber(parsed.options.value(QStringLiteral("--count")), 0, 1'000'000'000);
        if (!value)
            return invocation.usageError(QStringLiteral("--count needs a whole number of 0 or more"));
        count = *value;
    }
    AppState* state = invocation.startUp();
    if (!state)
        return ExitFailed;

    LedgerCloser closer(*state);
    if (const IoResult opened = OpenLedger(*state); !opened) {
        invocation.printMessage(LedgerOpenFailureMessage(opened));
        return ExitFailed;
    }
    const qint64 last = std::min<qint64>(state->RecordCount, from + count - 1);
    if (from > last)
        return ExitSuccess;

    QByteArray buffer;
    constexpr qsizetype FlushBytes = 1 << 20;
    const bool read = ScanLedger(*state, static_cast<int>(from), static_cast<int>(last),
                                 [&](int n, const ItemRecord& record) {
                                     buffer += DumpLine(n, record).toUtf8();
                                     if (buffer.size() >= FlushBytes) {
                                         PrintOutBytes(buffer);
                                         buffer.clear();
                                     }
                                 });
    PrintOutBytes(buffer);
    if (!read) {
        PrintError(QStringLiteral("tev-cli dump: the ledger cannot be read: %1\n").arg(LedgerPath(*state)));
        return ExitFailed;
    }
    return ExitSuccess;
}
