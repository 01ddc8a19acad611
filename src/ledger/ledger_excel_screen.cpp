// The ledger workbook from the ledger screen: the question, the busy panel " Excel出力中　",
// the output and the hand-over to the user's spreadsheet program, or the error message.
#include "excel_output/excel_error_report.h"
#include "excel_output/ledger_workbook.h"
#include "ledger/ledger_screen.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "ui/busy_cursor.h"
#include "ui/screen_host.h"
#include "ui/widget_geometry.h"

#include <QApplication>
#include <QLabel>

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
    // The busy panel: 3315 twips wide, its caption on a picture 3135 wide.
    auto* panel = findChild<QLabel*>(QStringLiteral("BusyPanel"));
    if (!panel) {
        panel = new QLabel(QStringLiteral(" Excel出力中　"), this);
        panel->setObjectName(QStringLiteral("BusyPanel"));
        panel->setAlignment(Qt::AlignCenter);
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setGeometry(twipsRect((WidthTwips - 3315) / 2, (HeightTwips - 600) / 2, 3315, 600));
    }
    panel->show();
    panel->raise();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    LedgerWorkbookResult result;
    {
        BusyCursor busy;
        result = ExportLedgerWorkbook(m_state, &m_host.desktop(), QString(), records);
    }
    panel->hide();
    if (!result.status)
        ExcelErrorReport(m_state.dialogs, result.status.error);
}
