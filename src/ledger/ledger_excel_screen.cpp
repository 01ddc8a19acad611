// The workbook outputs of the ledger screen: "在庫品Excel" (question, then the whole ledger),
// the filter bar's "Excel出力" (the items of the HitList) and the edit frame's "個別仕様Excel"
// (the specification workbook of the item shown). Each shows the busy panel " Excel出力中　",
// hands the file to the user's spreadsheet program and tells where the file is (and when no
// program took it), or shows the error message. A ledger workbook of many items shows its
// progress, and is then offered to the purchase-mail recipients when any are registered.
#include "excel_output/item_spec_workbook.h"
#include "excel_output/ledger_workbook.h"
#include "excel_output/workbook_output_notice.h"
#include "ledger/edit_frame_panel.h"
#include "ledger/ledger_screen.h"
#include "mail/purchase_mail.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/ledger_file.h"
#include "ui/busy_cursor.h"
#include "ui/flex_grid.h"
#include "ui/screen_host.h"
#include "ui/twips.h"

#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QProgressDialog>

#include <memory>

namespace {
// From this many items on, the ledger workbook shows a progress dialog (a ledger of 50 009 items
// takes a second or two, which the window must not spend unpainted).
constexpr int ProgressDialogItems = 5000;

// The busy panel (Picture5) is 3315 twips wide while an output runs.
void showBusyPanel(QLabel* panel)
{
    panel->resize(twipsToPixels(3315), panel->height());
    panel->show();
    panel->raise();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
} // namespace

void LedgerScreen::exportLedgerWorkbook()
{
    fom11gamencler();
    if (m_state.dialogs.ask(LedgerWorkbookQuestionTitle(), LedgerWorkbookQuestion()) != Dialogs::Answer::Yes)
        return;
    writeLedgerWorkbook(nullptr);
}

void LedgerScreen::exportHitListWorkbook()
{
    const QList<int> hits = m_view.HitList;
    writeLedgerWorkbook(&hits);
}

void LedgerScreen::writeLedgerWorkbook(const QList<int>* records)
{
    showBusyPanel(m_excelBusy);
    LedgerWorkbookResult result;
    {
        BusyCursor busy;
        // The window is painted between steps (before the dialog appears as well); clicks wait.
        std::unique_ptr<QProgressDialog> progress;
        const LedgerWorkbookProgress report = [&](int written, int total) {
            if (!progress && total >= ProgressDialogItems) {
                progress = std::make_unique<QProgressDialog>(this);
                progress->setObjectName(QStringLiteral("ledgerWorkbookProgress"));
                progress->setWindowTitle(QStringLiteral("Excel出力中"));
                progress->setCancelButton(nullptr); // a cut-off output would leave no file
                progress->setRange(0, total);
                // It stays at its end while the file is saved, until the output is over.
                progress->setAutoReset(false);
                progress->setAutoClose(false);
                progress->setWindowModality(Qt::WindowModal);
                progress->setMinimumDuration(300);
            }
            if (progress) {
                progress->setLabelText(LedgerWorkbookProgressText(written, total));
                progress->setValue(written);
                QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            }
        };
        result = ExportLedgerWorkbook(m_state, &m_host.desktop(), QString(), records, report);
    }
    m_excelBusy->hide();
    if (!result.ledger) {
        m_state.dialogs.inform(QStringLiteral("異常確認"), LedgerOpenFailureMessage(result.ledger));
        return;
    }
    if (!ReportWorkbookOutput(m_state.dialogs, result.status, result.path))
        return;
    // The workbook just written may go to the purchase-mail recipients.
    if (PurchaseMailWanted(m_state)) {
        BusyCursor busy;
        SendPurchaseMail(m_state, OutputMailRequest(m_state, result.path, QDate::currentDate()));
    }
}

void LedgerScreen::exportItemSpecWorkbook()
{
    if (m_state.CurrentRecordNo < 1 || m_state.CurrentRecordNo > m_state.RecordCount) {
        m_state.dialogs.inform(NoCurrentItemTitle(), NoCurrentItemMessage());
        return;
    }
    // What the edit frame shows: the item number label, the captions and values of the edit
    // table's columns 0 to 4.
    ItemSpecContent content;
    content.itemNumber = m_editFrame->itemNumberText().trimmed();
    FlexGrid* grid = m_editFrame->itemGrid();
    for (int column = 0; column < 5; ++column) {
        content.captions[size_t(column)] = grid->textMatrix(0, column);
        content.values[size_t(column)] = grid->textMatrix(1, column).trimmed();
    }
    showBusyPanel(m_excelBusy);
    ItemSpecResult result;
    {
        BusyCursor busy;
        result = ExportItemSpecWorkbook(m_state, &m_host.desktop(), content);
    }
    m_excelBusy->hide();
    // The panel's resting width.
    m_excelBusy->resize(twipsToPixels(4630), m_excelBusy->height());
    ReportWorkbookOutput(m_state.dialogs, result.status, result.path);
}
