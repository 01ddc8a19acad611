#include "cli/workbook_export_report.h"

#include "cli/command.h"
#include "cli/console_output.h"
#include "excel_output/excel_error_report.h"
#include "storage/ledger_file.h"

int ReportWorkbookExport(const QString& command, const WorkbookStatus& status, const QString& path,
                         const IoResult* ledger)
{
    if (ledger && !*ledger) {
        PrintError(QStringLiteral("tev-cli %1: %2\n").arg(command, LedgerOpenFailureMessage(*ledger).replace(u'\r', u'\n')));
        return ExitFailed;
    }
    if (!status) {
        const ExcelErrorMessage message = ExcelErrorText(status.error);
        PrintError(QStringLiteral("tev-cli %1: %2: %3\n").arg(command, message.title, message.text));
        return ExitFailed;
    }
    PrintOut(path + u'\n');
    return ExitSuccess;
}
