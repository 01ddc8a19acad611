// The monthly in/out import of the ledger screen: "月毎入出庫処理" opens the monthly panel;
// "入出庫記載" hands the daily in/out workbook to the user's spreadsheet program (made from the
// blank form when the data folder has none yet); "入出庫転記" imports its monthly totals into the
// ledger and shows the list again from its first page. The first click of each asks once per
// opening of the screen.
#include "excel_import/daily_inout_workbook.h"
#include "excel_import/import_workbook_path.h"
#include "excel_import/monthly_import.h"
#include "ledger/edit_frame_panel.h"
#include "ledger/edit_frame_screen.h"
#include "ledger/ledger_buttons_panel.h"
#include "ledger/ledger_list_panel.h"
#include "ledger/ledger_screen.h"
#include "ledger/ledger_texts.h"
#include "ledger/monthly_import_panel.h"
#include "ledger/number_format.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/ledger_file.h"
#include "ui/busy_cursor.h"
#include "ui/screen_host.h"
#include "ui/twips.h"
#include "ui/widget_geometry.h"
#include "workbook/workbook_operations.h"

#include <QApplication>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>

namespace {

const QString ErrorTitle = QStringLiteral("異常確認");
const QString BusyCaption = QStringLiteral("入出庫取込中");
const QString RestingBusyCaption = QStringLiteral("Excel出力中");
constexpr int BusyPanelWidth = 3315;
constexpr int MonthlyPanelLeft = 8760;
constexpr int MonthlyPanelTop = 720;
// Ledgers from this size show a progress dialog while they are written.
constexpr int ProgressDialogRecords = 5000;

} // namespace

void LedgerScreen::connectMonthly()
{
    connect(m_mainButtons->monthlyButton(), &QPushButton::clicked, this, &LedgerScreen::openMonthlyPanel);
    connect(m_monthly->editButton(), &QPushButton::clicked, this, &LedgerScreen::editDailyWorkbook);
    connect(m_monthly->importButton(), &QPushButton::clicked, this, &LedgerScreen::importDailyWorkbook);
}

void LedgerScreen::openMonthlyPanel()
{
    m_editing->closePad();
    m_monthly->move(twipsRect(MonthlyPanelLeft, MonthlyPanelTop, 0, 0).topLeft());
    m_monthly->show();
    m_monthly->raise();
}

// The first click of a monthly button after the screen opened asks; any answer also keeps the
// data folder recovery from starting while the user works with the daily workbook.
bool LedgerScreen::confirmMonthlyClick(bool& asked, const QString& question)
{
    if (asked)
        return true;
    asked = true;
    m_state.suppressRecovery = true;
    return m_state.dialogs.ask(LedgerText::ExplanationTitle, question) == Dialogs::Answer::Yes;
}

void LedgerScreen::editDailyWorkbook()
{
    if (!confirmMonthlyClick(m_monthlyEditAsked, MonthlyEditQuestion()))
        return;
    m_monthly->hide();
    DailyWorkbookForEditing workbook;
    WorkbookStatus opened;
    {
        BusyCursor busy;
        workbook = PrepareDailyInOutWorkbook(m_state);
        if (workbook.problem.isEmpty())
            opened = OpenForEditing(workbook.path, m_host.desktop());
    }
    if (!workbook.problem.isEmpty())
        m_state.dialogs.inform(ErrorTitle, workbook.problem);
    else if (!opened)
        m_state.dialogs.inform(ErrorTitle, QStringLiteral("　日毎入出庫数量のExcelファイルを開けませんでした。") + u'\r'
                                               + QStringLiteral("　") + workbook.path);
}

void LedgerScreen::importDailyWorkbook()
{
    if (!confirmMonthlyClick(m_monthlyImportAsked, MonthlyImportQuestion()))
        return;
    m_monthly->hide();
    const QString path = DailyInOutWorkbookPath(m_state);
    MonthlyImportResult result;
    {
        BusyCursor busy;
        m_excelBusy->setText(BusyCaption);
        m_excelBusy->resize(twipsToPixels(BusyPanelWidth), m_excelBusy->height());
        m_excelBusy->show();
        m_excelBusy->raise();
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

        std::unique_ptr<QProgressDialog> progress;
        const CommitProgress report = [&](CommitStage stage, int done, int total) {
            if (stage == CommitStage::Started && total >= ProgressDialogRecords) {
                progress = std::make_unique<QProgressDialog>(QStringLiteral("月毎入出庫数量を登録しています。"),
                                                             QStringLiteral("中止"), 0, total, this);
                progress->setWindowModality(Qt::WindowModal);
                progress->setMinimumDuration(500);
            }
            if (!progress)
                return true;
            if (stage == CommitStage::Replaced)
                progress->setCancelButton(nullptr);
            progress->setValue(done);
            return stage == CommitStage::Replaced || !progress->wasCanceled();
        };
        result = ImportMonthlyWorkbook(m_state, path, report);
        progress.reset();
        m_excelBusy->setText(RestingBusyCaption);
        m_excelBusy->hide();
    }

    if (const QString refusal = MonthlyImportRefusal(result, path); !refusal.isEmpty()) {
        m_state.dialogs.inform(ErrorTitle, refusal);
        return;
    }
    if (!result.commit.ok()) {
        m_state.dialogs.inform(ErrorTitle, CommitFailureMessage(result.commit.io));
    } else {
        // An item open in the edit frame holds the values from before the import; storing it
        // would undo the imported months.
        m_editFrame->hide();
        m_state.dialogs.inform(MonthlyImportDoneTitle(), MonthlyImportDoneMessage());
        if (const QString notes = MonthlyImportNotes(result); !notes.isEmpty())
            m_state.dialogs.inform(MonthlyImportDoneTitle(), notes);
    }

    {
        LedgerCloser closer(m_state);
        OpenLedger(m_state);
    }
    if (m_state.RecordCount > 0)
        showFirstFullPage();
    setCountLabel(m_state.RecordCount);
    m_list->setStockValue(FormatNumber(m_state.TotalStockValue, NumberPattern::TotalValue));
}
