// Reading a legacy Excel 97 (BIFF) workbook through FreeXL. FreeXL gives no value for formula
// cells; those cells are found in the workbook stream and either get their stored result or
// are marked unreadable, so that the caller can say so instead of reading an empty cell.
#include "workbook/biff_formulas.h"
#include "workbook/workbook.h"

#include <QFile>
#include <freexl.h>

namespace {
class XlsHandle {
public:
    ~XlsHandle()
    {
        if (handle)
            freexl_close(handle);
    }
    const void* handle = nullptr;
};
} // namespace

WorkbookStatus Workbook::loadXls(const QString& path, const QByteArray& bytes)
{
    const auto damaged = [](const char* what) {
        return WorkbookStatus::failure(WorkbookError::NotAWorkbook, QString::fromLatin1(what));
    };
    // FreeXL trusts the container's header and directory; a damaged one never reaches it.
    if (!IsSoundCompoundFile(bytes))
        return damaged("damaged .xls container");
    XlsHandle xls;
    if (freexl_open(QFile::encodeName(path).constData(), &xls.handle) != FREEXL_OK)
        return damaged("unreadable .xls");
    unsigned int sheets = 0;
    if (freexl_get_info(xls.handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || sheets < 1)
        return damaged("no worksheet");
    if (freexl_select_active_worksheet(xls.handle, 0) != FREEXL_OK)
        return damaged("first worksheet");
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(xls.handle, &rows, &columns) != FREEXL_OK || rows > 65536 || columns > 256)
        return damaged("sheet dimensions");
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue value;
            if (freexl_get_cell_value(xls.handle, r, c, &value) != FREEXL_OK)
                return damaged("cell");
            const int row = int(r) + 1, column = int(c) + 1;
            switch (value.type) {
            case FREEXL_CELL_INT:
                m_sheet.setNumber(row, column, value.value.int_value);
                break;
            case FREEXL_CELL_DOUBLE:
                m_sheet.setNumber(row, column, value.value.double_value);
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                if (value.value.text_value)
                    m_sheet.setText(row, column, std::string_view(value.value.text_value));
                break;
            default:
                break;
            }
        }
    }
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
