#include "menu/stock_alerts.h"

#include "storage/app_state.h"
#include "storage/item_record.h"
#include "storage/ledger_file.h"

#include <memory>

namespace {

// A field that holds nothing but spaces (or nothing before its first NUL).
bool isBlankField(const char* data, int width)
{
    for (int i = 0; i < width && data[i] != '\0'; ++i)
        if (data[i] != ' ')
            return false;
    return true;
}

} // namespace

StockAlerts ScanStockAlerts(AppState& state)
{
    StockAlerts alerts;
    CloseLedger(state);
    if (state.DataFolder.isEmpty())
        return alerts;
    auto file = std::make_unique<QFile>(LedgerPath(state));
    if (!file->open(QIODevice::ReadOnly))
        return alerts;
    state.RecordCount = static_cast<int>(std::min<qint64>(RecordCountForLength(file->size()), AppState::MaxRecords));
    state.ledgerFile = std::move(file);
    LedgerCloser closer(state);

    ScanLedger(state, 1, state.RecordCount, [&alerts](int, const ItemRecord& record) {
        if (isBlankField(record.data() + ItemRecord::textOffset(ItemField::Number), ItemRecord::TextWidth))
            return;
        ++alerts.items;
        const double stock = record.textNumber(ItemField::Stock);
        if (stock <= 0)
            alerts.zeroStock = true;
        if (stock < record.textNumber(ItemField::ProperStock))
            alerts.belowProper = true;
    });
    return alerts;
}
