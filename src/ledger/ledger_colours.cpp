#include "ledger/ledger_colours.h"

#include "storage/field_text.h"

quint32 StockCellColour(const QString& stock, const QString& properStock)
{
    if (FieldText(stock).isEmpty())
        return LedgerColour::WindowBackground;
    const double value = ReadNumber(stock);
    if (value == 0 || value < -1)
        return LedgerColour::ZeroStock;
    return value >= ReadNumber(properStock) ? LedgerColour::WindowBackground : LedgerColour::BelowProper;
}
