#include "excel_import/import_cell_values.h"

#include "storage/field_text.h"
#include "workbook/sheet_row_cells.h"

#include <charconv>
#include <cmath>

QString WorkbookNumberText(double value)
{
    if (!std::isfinite(value))
        return QString();
    if (value == 0)
        return QStringLiteral("0");
    // The shortest digits that give the double back; most numbers of a sheet have 15 or fewer
    // and are shown as they are. Others are rounded to 15 and the double they give is written.
    char digits[400];
    auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific);
    int significant = 0;
    for (const char* p = digits; p < result.ptr && *p != 'e'; ++p)
        significant += *p >= '0' && *p <= '9';
    double shown = value;
    if (significant > 15) {
        result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific, 14);
        std::from_chars(digits, result.ptr, shown);
        if (shown == 0)
            return QStringLiteral("0");
    }
    result = std::to_chars(digits, digits + sizeof digits, shown, std::chars_format::fixed);
    if (result.ec != std::errc())
        return QString();
    return QString::fromLatin1(digits, result.ptr - digits);
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
