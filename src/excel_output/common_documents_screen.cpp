#include "excel_output/common_documents_screen.h"

#include "excel_output/common_documents_workbook.h"
#include "excel_output/workbook_output_notice.h"
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
    // The list the user keeps is only opened: it is worth a message only when no program took it.
    ReportWorkbookOutput(host.state().dialogs, result.status, result.path, result.created);
    return nullptr;
}
