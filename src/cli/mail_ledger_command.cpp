// mail-ledger: writes the ledger workbook (not opened) and mails it to the purchase-mail
// recipients, as the ledger screen does after "在庫品Excel" when the user agrees; meant for a
// scheduled monthly stock report.
#include "cli/command.h"
#include "cli/console_output.h"
#include "cli/workbook_export_report.h"
#include "excel_output/ledger_workbook.h"
#include "ledger/column_captions.h"
#include "mail/purchase_mail.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"

#include <QDate>

int RunMailLedger(Invocation& invocation)
{
    if (!invocation.args().isEmpty())
        return invocation.usageError(QStringLiteral("mail-ledger takes no arguments"));
    AppState* state = invocation.startUp();
    if (!state)
        return ExitFailed;
    // Nobody to send to: nothing is written and no server is contacted.
    if (PurchaseMailToList(state->MailAddressTable).isEmpty()) {
        state->dialogs.inform(PurchaseMailTitle(), NoRecipientsMessage());
        return ExitFailed;
    }
    RebuildColumnCaptions(*state);
    const QDate today = QDate::currentDate();
    const LedgerWorkbookResult written = ExportLedgerWorkbook(*state, nullptr, LedgerWorkbookPath(*state, today));
    if (const int status = ReportWorkbookExport(QStringLiteral("mail-ledger"), written.status, written.path, &written.ledger);
        status != ExitSuccess)
        return status;
    const PurchaseMailResult mailed = SendPurchaseMail(*state, OutputMailRequest(*state, written.path, today));
    if (mailed.outcome != PurchaseMailOutcome::Sent) {
        if (!mailed.detail.isEmpty())
            PrintError(QStringLiteral("tev-cli mail-ledger: %1\n").arg(mailed.detail));
        return ExitFailed;
    }
    PrintOut(QStringLiteral("sent: %1 recipients\n").arg(mailed.recipients));
    return ExitSuccess;
}
