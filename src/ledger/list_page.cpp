#include "ledger/list_page.h"

#include "ledger/column_captions.h"
#include "ledger/ledger_colours.h"
#include "ledger/ledger_view_state.h"
#include "ledger/number_format.h"
#include "storage/app_state.h"
#include "storage/field_text.h"
#include "storage/item_record.h"
#include "storage/ledger_file.h"

namespace {

constexpr int ReceivedTotalColumn = 12;
constexpr int InOutColumn = 13;
constexpr int PlannedColumn = 26;
constexpr int RateColumn = 27;

// Columns 12..27 of one quantity row.
void fillQuantities(ListRow& row, const ItemRecord& record, int qtyRow, const ListOptions& options)
{
    row[InOutColumn] = qtyRow == QtyRow::Received ? QStringLiteral("入庫") : QStringLiteral("出庫");
    row[ReceivedTotalColumn] = QuantityFormatB(record.qty(qtyRow, QtyColumn::Total), options.decimals);
    for (int month = QtyColumn::FirstMonth; month <= QtyColumn::LastMonth; ++month)
        row[FirstMonthColumn + month - 1] = QuantityFormatB(record.qty(qtyRow, month), options.decimals);
    row[PlannedColumn] = QuantityFormatB(record.qty(qtyRow, QtyColumn::Planned), options.decimals);
    row[RateColumn] = RateFormat(record.qty(qtyRow, QtyColumn::Rate));
}

// The reading loop of both kinds of page. `lastRow` is the rows-used limit of the loop (24
// for the whole ledger, which reads one record past a full page; 23 for a filter result).
ListPage readPage(AppState& state, LedgerViewState& view, const RecordReader& read, int count, int lastRow,
                  const std::function<int(int position)>& recordAt)
{
    ListPage page;
    const ListOptions options = ListOptionsOf(state);
    int& cursor = view.page.DisplayCursor;
    int rowsUsed = 0;
    while (rowsUsed <= lastRow) {
        ++cursor;
        if (cursor > count) {
            ++rowsUsed;
            if (rowsUsed <= LastListRow)
                page.blankRows.push_back(rowsUsed);
            continue;
        }
        const int recordNo = recordAt(cursor);
        ++page.recordsRead;
        if (!read(recordNo)) {
            for (int row = rowsUsed + 1; row <= LastListRow; ++row)
                page.blankRows.push_back(row);
            break;
        }
        if (cursor < int(view.ShownRecordNo.size()))
            view.ShownRecordNo[cursor] = recordNo;
        ++rowsUsed;
        if (rowsUsed <= LastListRow) {
            page.items.push_back({rowsUsed, ItemRowsOf(state.CurrentRecord, recordNo, options)});
            ++rowsUsed;
        }
    }
    return page;
}

} // namespace

ListOptions ListOptionsOf(const AppState& state)
{
    return ListOptions{ReadFlag(state.SharedSettings[SharedLine::Decimals]),
                       ReadFlag(state.SharedSettings[SharedLine::StartOfUse])};
}

ListRow ListCaptionRow(const AppState& state, bool startOfUse)
{
    ListRow row;
    for (int col = 0; col <= InOutColumn; ++col)
        row[col] = state.ColumnCaptions[col + 1];
    const auto months = MonthHeadings(state.SharedSettings[SharedLine::StartMonth]);
    for (int k = 0; k < 12; ++k)
        row[FirstMonthColumn + k] = months[k];
    row[PlannedColumn] = QStringLiteral("予定数量");
    row[RateColumn] = QStringLiteral("達成率(%)");
    if (startOfUse)
        row[StartOfUseColumn] = QStringLiteral("使用開始年");
    return row;
}

ListItemRows ItemRowsOf(const ItemRecord& record, int shownRecordNo, const ListOptions& options)
{
    ListItemRows rows;
    ListRow& r = rows.received;
    r[0] = QString::number(shownRecordNo);
    for (int field = ItemField::Number; field <= ItemField::Place; ++field)
        r[field + 1] = record.text(field);
    r[6] = IntegerFormat(record.text(ItemField::UnitPrice));
    r[7] = IntegerFormat(record.text(ItemField::StockValue));
    r[8] = record.text(ItemField::Unit);
    r[9] = QuantityFormatA(record.text(ItemField::PreviousStock), options.decimals);
    r[10] = QuantityFormatA(record.text(ItemField::ProperStock), options.decimals);
    const QString stock = record.text(ItemField::Stock);
    r[StockColumn] = QuantityFormatA(stock, options.decimals);
    rows.stockColour = StockCellColour(stock, record.text(ItemField::ProperStock));
    if (!stock.isEmpty() && ReadNumber(stock) == 0)
        r[StockColumn] = QStringLiteral("0");
    fillQuantities(r, record, QtyRow::Received, options);
    if (options.startOfUse)
        r[StartOfUseColumn] = record.text(ItemField::StartOfUse);
    fillQuantities(rows.issued, record, QtyRow::Issued, options);
    return rows;
}

RecordReader LedgerRecordReader(AppState& state)
{
    return [&state](int recordNo) { return ReadRecord(state, recordNo); };
}

ListPage ReadFullListPage(AppState& state, LedgerViewState& view, const RecordReader& read)
{
    LedgerCloser closer(state);
    OpenLedger(state);
    return readPage(state, view, read, state.RecordCount, LastListRow, [](int position) { return position; });
}

ListPage ReadHitListPage(AppState& state, LedgerViewState& view, const RecordReader& read)
{
    LedgerCloser closer(state);
    OpenLedger(state);
    const QList<int>& hits = view.HitList;
    return readPage(state, view, read, view.hitCount(), LastListRow - 1,
                    [&hits](int position) { return hits.value(position - 1); });
}
