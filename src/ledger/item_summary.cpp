#include "ledger/item_summary.h"

#include "storage/app_state.h"
#include "storage/item_record.h"
#include "storage/ledger_file.h"

#include <cerrno>

ItemSummaryTable ReadItemSummary(AppState& state, IoResult* io, int* ledgerCount)
{
    ItemSummaryTable table;
    LedgerCloser closer(state);
    IoResult read = OpenLedger(state);
    if (read) {
        table.reserve(size_t(state.RecordCount));
        const bool scanned = ScanLedger(state, 1, state.RecordCount, [&](int n, const ItemRecord& record) {
            table.push_back({record.text(ItemField::Number), record.text(ItemField::Name),
                             record.text(ItemField::Shiyo), record.text(ItemField::Maker), n,
                             RecordDigest(record.data())});
        });
        if (!scanned)
            read = IoResult::failure(LedgerPath(state), EIO, QStringLiteral("the ledger cannot be read"));
    }
    if (io)
        *io = read;
    if (ledgerCount)
        *ledgerCount = read ? state.RecordCount : 0;
    return table;
}

std::optional<ItemSummaryRow> RemoveSummaryRow(ItemSummaryTable& table, int row)
{
    if (row < 1 || row > int(table.size()) || table[size_t(row - 1)].isBlank())
        return std::nullopt;
    ItemSummaryRow removed = std::move(table[size_t(row - 1)]);
    table.erase(table.begin() + (row - 1));
    table.push_back(ItemSummaryRow{});
    return removed;
}
