#include "ledger/item_summary.h"

#include "storage/app_state.h"
#include "storage/item_record.h"
#include "storage/ledger_file.h"

#include <QFile>

namespace {

ItemSummaryRow summaryOf(const ItemRecord& record, int recordNo)
{
    return {record.text(ItemField::Number), record.text(ItemField::Name), record.text(ItemField::Specification),
            record.text(ItemField::Maker), recordNo};
}

} // namespace

ItemSummaryTable ReadItemSummary(AppState& state, SummarySource source, bool* ok)
{
    ItemSummaryTable table;
    bool read = true;
    if (source == SummarySource::Ledger) {
        LedgerCloser closer(state);
        read = OpenLedger(state);
        if (read) {
            table.reserve(size_t(state.RecordCount));
            read = ScanLedger(state, 1, state.RecordCount,
                              [&](int n, const ItemRecord& record) { table.push_back(summaryOf(record, n)); });
        }
    } else {
        QFile file(RewritePath(state));
        read = file.open(QIODevice::ReadOnly);
        if (read) {
            const QByteArray bytes = file.readAll();
            const qsizetype count = RecordCountForLength(bytes.size());
            table.reserve(size_t(count));
            ItemRecord record;
            for (qsizetype k = 0; k < count; ++k) {
                record.clear();
                const qsizetype offset = k * ItemRecord::Length;
                const qsizetype length = std::min<qsizetype>(ItemRecord::Length, bytes.size() - offset);
                std::copy(bytes.constData() + offset, bytes.constData() + offset + length, record.data());
                table.push_back(summaryOf(record, int(k + 1)));
            }
        }
    }
    if (ok)
        *ok = read;
    return table;
}

bool RemoveSummaryRow(ItemSummaryTable& table, int row)
{
    if (row < 1 || row > int(table.size()) || table[size_t(row - 1)].isBlank())
        return false;
    table.erase(table.begin() + (row - 1));
    table.push_back(ItemSummaryRow{});
    return true;
}

QList<int> KeptRecordNumbers(const ItemSummaryTable& table, int workingCount)
{
    QList<int> kept;
    const int count = std::min(workingCount, int(table.size()));
    for (int p = 0; p < count; ++p)
        if (!table[size_t(p)].isBlank())
            kept.append(table[size_t(p)].recordNo);
    return kept;
}
