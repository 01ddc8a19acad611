#pragma once
// What the item edit frame shows, computed from the item being edited: the item number, the
// item row (MSFlexGrid1 row 1), the month table (MSFlexGrid2 rows 1 and 2) and the stock cell's
// colour. The screen only copies these texts into its grids.
#include <QString>
#include <QtGlobal>
#include <array>

class ItemRecord;

namespace ItemColumn {
enum : int { Name = 0, Shiyo = 1, Maker = 2, Place = 3, UnitPrice = 4, StockValue = 5, Unit = 6,
             PreviousStock = 7, ProperStock = 8, Stock = 9, StartOfUse = 10 };
inline constexpr int Count = 11;
}

struct FrameCells {
    QString itemNumber;  // FieldText of the item number followed by one space
    std::array<QString, ItemColumn::Count> item;
    std::array<std::array<QString, 16>, 3> month;  // [row][column], rows 1 and 2 used
    quint32 stockColour = 0;
};

// The record field behind an item-row column (-1 for none).
int FieldOfItemColumn(int column);

// A number as the frame shows it: off, by `pattern`; on, by `decimalPattern` unless it is 0.
QString FrameNumber(double value, bool decimals, const QString& pattern, const QString& decimalPattern);
QString QuantityCell(double value, bool decimals);

// The frame filled from a record, as "訂 正" and "次　項" show it.
FrameCells FilledCells(const ItemRecord& record, bool decimals);
// An empty frame.
FrameCells EmptyCells();
// After an accepted stock recalculation: the month cells, both totals, the rates, the stock
// ("0" on light pink at zero; white or light blue-violet otherwise) and the stock value.
void ShowRecalculation(FrameCells& cells, const ItemRecord& record, bool decimals);
// After a recalculation of the stock value only.
void ShowStockValue(FrameCells& cells, const ItemRecord& record, bool decimals);
// After a recalculation of the rates only.
void ShowRates(FrameCells& cells, const ItemRecord& record);
