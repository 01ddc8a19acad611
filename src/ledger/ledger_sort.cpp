#include "ledger/ledger_sort.h"

#include "ledger/sort_keys.h"
#include "storage/item_record.h"

#include <QStringList>

SortPreview PreviewSortedLedger(AppState& state)
{
    SortPreview preview;
    ItemSummaryTable table = ReadItemSummary(state, &preview.io, &preview.ledgerCount);
    if (!preview.io)
        return preview;
    QStringList keys;
    std::vector<size_t> named;
    keys.reserve(qsizetype(table.size()));
    for (size_t k = 0; k < table.size(); ++k) {
        const QString key = SortKeyText(table[k].name, table[k].number);
        if (key.isEmpty())
            continue;
        keys.append(key);
        named.push_back(k);
    }
    preview.rows.reserve(named.size());
    for (const int position : SortedKeyOrder(keys))
        preview.rows.push_back(std::move(table[named[size_t(position)]]));
    return preview;
}
