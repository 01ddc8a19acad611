#pragma once
// The caption table the ledger screens share (ColumnCaptions, 61 entries), the default column
// widths of the workbook outputs, the month headings of the ledger year and the year-month
// choices of the start-of-use chooser.
#include <QString>
#include <QStringList>
#include <array>

struct AppState;

// Entries of ColumnCaptions with a fixed meaning (the others follow the list columns).
namespace CaptionIndex {
enum : int {
    RecordNo = 1,
    ItemNumber = 2,     // shared settings line 14
    Name = 3,           // lines 15..18: name, specification, maker, place
    Place = 6,
    UnitPrice = 7,
    StockValue = 8,
    Unit = 9,           // line 19
    InOut = 14,
    Planned = 16,
    Rate = 17,
    StartOfUse = 18,
};
}

// Rebuilds ColumnCaptions and DefaultColumnWidths from the shared settings in memory.
void RebuildColumnCaptions(AppState& state);

// The twelve month headings from a start "yyyy/mm": "2026/04月" … "2027/03月". An unreadable
// start gives year 0 and month 0 ("0/00月", "0/01月", …).
std::array<QString, 12> MonthHeadings(const QString& startMonth);

// "yyyy/mm" for every month from January of `year` - 10 to December of `year` + 1 (144 entries).
QStringList StartOfUseChoices(int year);
