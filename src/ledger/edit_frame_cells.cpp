#include "ledger/edit_frame_cells.h"

#include "ledger/ledger_colours.h"
#include "ledger/number_format.h"
#include "ledger/stock_computation.h"
#include "storage/item_record.h"

int FieldOfItemColumn(int column)
{
    static constexpr int fields[ItemColumn::Count] = {
        ItemField::Name,          ItemField::Shiyo, ItemField::Maker, ItemField::Place,
        ItemField::UnitPrice,     ItemField::StockValue,    ItemField::Unit,  ItemField::PreviousStock,
        ItemField::ProperStock,   ItemField::Stock,         ItemField::StartOfUse,
    };
    return column >= 0 && column < ItemColumn::Count ? fields[column] : -1;
}

QString FrameNumber(double value, bool decimals, const QString& pattern, const QString& decimalPattern)
{
    if (!decimals)
        return FormatNumber(value, pattern);
    return value == 0 ? QString() : FormatNumber(value, decimalPattern);
}

QString QuantityCell(double value, bool decimals)
{
    return FrameNumber(value, decimals, NumberPattern::ShortInteger, NumberPattern::ShortDecimal);
}

namespace {

QString priceCell(double value, bool decimals)
{
    return FrameNumber(value, decimals, NumberPattern::Integer, QStringLiteral("#,###,###.0"));
}

void showMonths(FrameCells& cells, const ItemRecord& record, bool decimals)
{
    for (int row = QtyRow::Received; row <= QtyRow::Issued; ++row) {
        for (int col = QtyColumn::FirstMonth; col <= QtyColumn::Planned; ++col)
            cells.month[row][col] = QuantityCell(record.qtyNumber(row, col), decimals);
    }
}

} // namespace

FrameCells EmptyCells()
{
    FrameCells cells;
    cells.stockColour = LedgerColour::WindowBackground;
    return cells;
}

FrameCells FilledCells(const ItemRecord& record, bool decimals)
{
    FrameCells cells = EmptyCells();
    cells.itemNumber = record.text(ItemField::Number) + u' ';
    for (int col : {int(ItemColumn::Name), int(ItemColumn::Shiyo), int(ItemColumn::Maker),
                    int(ItemColumn::Place), int(ItemColumn::Unit), int(ItemColumn::StartOfUse)})
        cells.item[col] = record.text(FieldOfItemColumn(col));
    cells.item[ItemColumn::UnitPrice] = priceCell(record.textNumber(ItemField::UnitPrice), decimals);
    cells.item[ItemColumn::StockValue] = priceCell(record.textNumber(ItemField::StockValue), decimals);
    for (int col : {int(ItemColumn::PreviousStock), int(ItemColumn::ProperStock), int(ItemColumn::Stock)})
        cells.item[col] = QuantityCell(record.textNumber(FieldOfItemColumn(col)), decimals);
    cells.stockColour = StockCellColour(record.text(ItemField::Stock), record.text(ItemField::ProperStock));
    showMonths(cells, record, decimals);
    ShowRates(cells, record);
    return cells;
}

void ShowRecalculation(FrameCells& cells, const ItemRecord& record, bool decimals)
{
    showMonths(cells, record, decimals);
    const double stock = record.textNumber(ItemField::Stock);
    cells.item[ItemColumn::Stock] = stock == 0
        ? QStringLiteral("0")
        : FrameNumber(stock, decimals, QStringLiteral("##,###,###"), QStringLiteral("#,###,###.0"));
    cells.stockColour = RecalculatedStockColour(record);
    ShowRates(cells, record);
    ShowStockValue(cells, record, decimals);
}

void ShowStockValue(FrameCells& cells, const ItemRecord& record, bool decimals)
{
    const double value = record.textNumber(ItemField::StockValue);
    cells.item[ItemColumn::StockValue] = value < 1
        ? QStringLiteral("0")
        : FrameNumber(value, decimals, NumberPattern::Integer, NumberPattern::Decimal);
}

void ShowRates(FrameCells& cells, const ItemRecord& record)
{
    for (int row = QtyRow::Received; row <= QtyRow::Issued; ++row)
        cells.month[row][QtyColumn::Rate] = RateFormat(record.qty(row, QtyColumn::Rate));
}
