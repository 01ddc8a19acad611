#include "excel_import/import_cell_values.h"

#include "storage/field_text.h"
#include "workbook/sheet_row_cells.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

QString WorkbookNumberText(double value)
{
    if (!std::isfinite(value))
        return QString();
    // Fifteen significant digits, then the shortest fixed form of the double they give.
    char rounded[32];
    const int length = std::snprintf(rounded, sizeof rounded, "%.14e", value);
    const double shown = std::strtod(rounded, nullptr);
    if (length <= 0 || shown == 0)
        return QStringLiteral("0");
    char digits[400];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, shown, std::chars_format::fixed);
    if (error != std::errc())
        return QString();
    return QString::fromLatin1(digits, end - digits);
}

ImportCell ReadImportCell(const SheetRowCells& row, int column)
{
    ImportCell cell;
    switch (row.kind(column)) {
    case CellKind::Empty:
        break;
    case CellKind::Number:
        cell.text = WorkbookNumberText(row.number(column));
        break;
    case CellKind::UnreadableFormula:
        cell.unreadable = true;
        break;
    case CellKind::Error:
        cell.error = true;
        cell.text = row.text(column);
        break;
    default:
        cell.text = FieldText(row.text(column));
    }
    return cell;
}
