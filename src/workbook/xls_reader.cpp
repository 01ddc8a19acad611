// Reading a legacy Excel 97 (BIFF) workbook through FreeXL, which runs in a child process
// (xls_cells.h). FreeXL gives no value for formula cells; those cells are found in the workbook
// stream and either get their stored result or are marked unreadable, so that the caller can
// say so instead of reading an empty cell.
#include "workbook/biff_formulas.h"
#include "workbook/workbook.h"
#include "workbook/xls_cells.h"

WorkbookStatus Workbook::loadXls(const QString& path, const QByteArray& bytes)
{
    const auto damaged = [](const char* what) {
        return WorkbookStatus::failure(WorkbookError::NotAWorkbook, QString::fromLatin1(what));
    };
    // FreeXL trusts the container's header and directory; a damaged one never reaches it.
    if (!IsSoundCompoundFile(bytes))
        return damaged("damaged .xls container");
    if (const char* failure = ReadXlsCells(path, m_sheet))
        return damaged(failure);
    for (const BiffFormula& formula : FindFirstSheetFormulas(bytes)) {
        const int row = formula.row + 1, column = formula.column + 1;
        switch (formula.result) {
        case BiffFormula::Number:
            m_sheet.setNumber(row, column, formula.number);
            break;
        case BiffFormula::Text:
            m_sheet.setText(row, column, QString(formula.text));
            break;
        case BiffFormula::Bool:
            m_sheet.setBool(row, column, formula.number != 0);
            break;
        case BiffFormula::Empty:
            m_sheet.clearValue(row, column);
            break;
        default:
            m_sheet.setUnreadableFormula(row, column);
        }
        // Only marks the cell: a legacy workbook is never written back.
        m_sheet.cellAt(row, column).formula = true;
    }
    return WorkbookStatus::success();
}
