#include "excel_output/common_documents_screen.h"

#include "excel_output/common_documents_workbook.h"
#include "excel_output/excel_error_report.h"
#include "storage/app_state.h"
#include "ui/busy_cursor.h"
#include "ui/screen_host.h"

QWidget* OpenCommonDocumentsFromMenu(ScreenHost& host)
{
    CommonDocumentsResult result;
    {
        BusyCursor busy;
        result = OpenCommonDocumentsWorkbook(host.state(), &host.desktop());
    }
    if (!result.status)
        ExcelErrorReport(host.state().dialogs, result.status.error);
    return nullptr;
}
