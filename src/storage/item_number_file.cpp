#include "storage/item_number_file.h"

#include "storage/app_state.h"
#include "storage/field_text.h"
#include "storage/ledger_file.h"
#include "storage/moved_folder.h"
#include "storage/paths.h"
#include "storage/quoted_text_file.h"
#include "storage/settings_files.h"
#include "storage/shared_settings_change.h"

namespace {

ItemNumberRow rowOf(const ItemRecord& record)
{
    return ItemNumberRow{record.text(ItemField::Number), record.text(ItemField::Name),
                         record.text(ItemField::Shiyo), record.text(ItemField::Maker),
                         record.text(ItemField::StockValue)};
}

QString todayText(const QDate& today)
{
    return today.toString(QStringLiteral("yyyy/MM/dd"));
}

bool search(AppState& state, const QString& number, int skip)
{
    {
        LedgerCloser closer(state);
        OpenLedger(state);
    }
    state.FoundRecordNo = state.ItemNumbers.find(number, state.RecordCount, skip);
    return state.FoundRecordNo != 0;
}

} // namespace

void RebuildItemNumberTable(AppState& state)
{
    LedgerCloser closer(state);
    state.TotalStockValue = 0;
    if (!OpenLedger(state))
        return;
    state.ItemNumbers.reset(state.RecordCount);
    ScanLedger(state, 1, state.RecordCount, [&](int n, const ItemRecord& record) {
        ItemNumberRow row = rowOf(record);
        state.TotalStockValue += record.textNumber(ItemField::StockValue);
        state.ItemNumbers.setRow(n, std::move(row));
    });
}

IoResult WriteItemNumberFile(AppState& state)
{
    if (const IoResult moved = RefuseWhenMoved(state.DataFolder); !moved)
        return moved;
    {
        LedgerCloser closer(state);
        OpenLedger(state);
    }
    QStringList lines;
    lines.reserve(state.RecordCount);
    for (int n = 1; n <= state.RecordCount; ++n) {
        const ItemNumberRow& row = state.ItemNumbers.row(n);
        lines.append(JoinQuotedLine({row.number, row.name, row.specification, row.maker, row.stockValue}));
    }
    return WriteTextLines(state.DataFolder + DataFileName::ItemNumbers, lines);
}

void ReadItemNumberFile(AppState& state)
{
    {
        LedgerCloser closer(state);
        OpenLedger(state);
    }
    const auto lines = ReadTextLines(state.DataFolder + DataFileName::ItemNumbersRead);
    if (!lines || lines->size() < state.RecordCount) {
        RebuildItemNumberTable(state);
        WriteItemNumberFile(state);
        return;
    }
    state.ItemNumbers.reset(state.RecordCount);
    for (int n = 1; n <= state.RecordCount; ++n) {
        const QStringList v = SplitQuotedLine(lines->at(n - 1));
        state.ItemNumbers.setRow(n, ItemNumberRow{v.value(0), v.value(1), v.value(2), v.value(3), v.value(4)});
    }
}

void BringItemNumberTableUpToDate(AppState& state, const QDate& today)
{
    if (state.ItemTableLoaded) {
        ReadItemNumberFile(state);
        return;
    }
    QString& lastRebuild = state.SharedSettings[SharedLine::LastRebuildDate];
    qint64 days = 1; // an unset or unreadable date always rebuilds
    if (lastRebuild.isEmpty()) {
        lastRebuild = todayText(today);
    } else {
        const QDate last = QDate::fromString(lastRebuild.left(10), QStringLiteral("yyyy/MM/dd"));
        if (last.isValid())
            days = last.daysTo(today);
    }
    if (days >= 1) {
        lastRebuild = todayText(today);
        ChangeSharedSettings(state, {{SharedLine::LastRebuildDate, lastRebuild}});
        RebuildItemNumberTable(state);
        WriteItemNumberFile(state);
    } else {
        ReadItemNumberFile(state);
    }
    state.ItemTableLoaded = true;
}

void SumStockValue(AppState& state)
{
    LedgerCloser closer(state);
    state.TotalStockValue = 0;
    if (!OpenLedger(state))
        return;
    ScanLedger(state, 1, state.RecordCount, [&](int, const ItemRecord& record) {
        state.TotalStockValue += record.textNumber(ItemField::StockValue);
    });
}

void SumFilteredStockValue(AppState& state, const QList<int>& hitList)
{
    LedgerCloser closer(state);
    state.FilteredStockValue = 0;
    if (!OpenLedger(state))
        return;
    for (int n : hitList) {
        if (n != 0 && ReadRecord(state, n))
            state.FilteredStockValue += state.CurrentRecord.textNumber(ItemField::StockValue);
    }
}

bool FindItemNumber(AppState& state, const QString& number)
{
    return search(state, number, 0);
}

bool FindOtherItemNumber(AppState& state, const QString& number)
{
    return search(state, number, state.CurrentRecordNo);
}
