// "Sort" and "削　除" of the ledger screen with their panel: the sorted copy, the deletion list,
// "行削除", "閉じる" and "登　録", which makes the result the ledger through the safe commit.
#include "ledger/edit_frame_panel.h"
#include "ledger/edit_frame_screen.h"
#include "ledger/filter_panel.h"
#include "ledger/ledger_buttons_panel.h"
#include "ledger/ledger_commit.h"
#include "ledger/ledger_list_panel.h"
#include "ledger/ledger_screen.h"
#include "ledger/ledger_sort.h"
#include "ledger/ledger_texts.h"
#include "ledger/number_format.h"
#include "ledger/sort_delete_panel.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/ledger_file.h"
#include "ui/busy_cursor.h"
#include "ui/flex_grid.h"

#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <cerrno>

namespace {

const QString ErrorTitle = QStringLiteral("異常確認");
// A commit of fewer records finishes before a progress dialog would be worth showing.
constexpr int ProgressDialogRecords = 5000;

// The status button (Picture8) shows the step that runs.
void showStatus(QWidget* status, const QString& caption)
{
    if (auto* button = qobject_cast<QPushButton*>(status))
        button->setText(caption);
    status->show();
}

} // namespace

void LedgerScreen::connectSortDelete()
{
    connect(m_mainButtons->sortButton(), &QPushButton::clicked, this, &LedgerScreen::openSort);
    connect(m_mainButtons->deleteButton(), &QPushButton::clicked, this, &LedgerScreen::openDeletion);
    connect(m_sortDelete->sortStartButton(), &QPushButton::clicked, this, &LedgerScreen::runSort);
    connect(m_sortDelete->deleteRowButton(), &QPushButton::clicked, this, &LedgerScreen::removeSortDeleteRow);
    connect(m_sortDelete->registerButton(), &QPushButton::clicked, this, &LedgerScreen::registerSortDelete);
    connect(m_sortDelete->closeButton(), &QPushButton::clicked, this, &LedgerScreen::closeSortDelete);
}

void LedgerScreen::openSortDeletePanel(bool sortMode)
{
    fom11gamencler();
    m_editFrame->hide();
    m_filter->hide();
    BusyCursor busy;
    m_sortDelete->enterMode(sortMode);
    SortDeleteSession& session = m_sortDelete->session;
    IoResult read;
    session.table = ReadItemSummary(m_state, &read, &session.workingCount);
    m_sortDelete->countLabel()->setText(CountLabelText(session.workingCount));
    m_sortDelete->showSummary(session.table);
    m_sortDelete->show();
    m_sortDelete->raise();
    if (!read)
        m_state.dialogs.inform(ErrorTitle, LedgerOpenFailureMessage(read));
}

void LedgerScreen::openSort()
{
    if (!m_editing->settleUnsavedEntries())
        return;
    m_state.dialogs.inform(LedgerText::ExplanationTitle, QStringLiteral("　品名・在庫品Noの順でソートします。　　登録で反映　"));
    openSortDeletePanel(true);
}

void LedgerScreen::openDeletion()
{
    if (!m_editing->settleUnsavedEntries())
        return;
    m_state.dialogs.inform(LedgerText::ExplanationTitle,
                           QStringLiteral("　在庫品一覧表を表示し　対象品クリック⇒削除で実行されます。") + u'\r'
                               + QStringLiteral("　登録で反映　"));
    openSortDeletePanel(false);
}

void LedgerScreen::runSort()
{
    SortDeleteSession& session = m_sortDelete->session;
    showStatus(m_sortStatus, QStringLiteral("Sort中"));
    SortPreview preview;
    {
        BusyCursor busy;
        preview = PreviewSortedLedger(m_state);
    }
    m_sortDelete->countLabel()->setText(CountLabelText(preview.ledgerCount));
    if (!preview.io.ok) {
        m_sortStatus->hide();
        m_state.dialogs.inform(ErrorTitle, LedgerOpenFailureMessage(preview.io));
        return;
    }
    if (preview.ledgerCount > 0) {
        BusyCursor busy;
        session.sorted = true;
        session.removed.clear();
        session.workingCount = int(preview.rows.size());
        session.table = std::move(preview.rows);
        m_sortDelete->showSummary(session.table);
        m_sortDelete->list()->setCurrentCell(1, 1);
        m_sortDelete->setIndicatorColour(SortDeleteColour::Sorted);
        m_sortDelete->resultLabel()->setText(QStringLiteral("Sort完了"));
        // Rows of the sorted order can be removed once it is shown.
        m_sortDelete->deleteRowButton()->show();
    }
    m_sortStatus->hide();
}

void LedgerScreen::removeSortDeleteRow()
{
    SortDeleteSession& session = m_sortDelete->session;
    const int row = m_sortDelete->list()->currentRow();
    showStatus(m_sortStatus, session.sortMode ? QStringLiteral("行削除中") : QStringLiteral("削除中"));
    BusyCursor busy;
    // Only a row that still holds an item can be removed; a blank row would otherwise lower the
    // count and drop the last item kept.
    const std::optional<ItemSummaryRow> removed = RemoveSummaryRow(session.table, row);
    if (!removed) {
        m_sortStatus->hide();
        return;
    }
    if (!session.sortMode)
        m_sortDelete->setIndicatorColour(SortDeleteColour::Working);
    session.removed.append(removed->listed());
    --session.workingCount;
    m_sortDelete->countLabel()->setText(CountLabelText(session.workingCount));
    m_sortDelete->showSummary(session.table);
    m_sortDelete->list()->setCurrentCell(std::min(row, int(session.table.size())), 1);
    m_sortStatus->hide();
    m_sortDelete->resultLabel()->setText(QStringLiteral("削除完了"));
}

void LedgerScreen::registerSortDelete()
{
    SortDeleteSession& session = m_sortDelete->session;
    if (session.sortMode && !session.sorted) {
        m_state.dialogs.inform(LedgerText::ExplanationTitle, QStringLiteral("　Sort開始で並べ替えてから登録してください。"));
        return;
    }
    int planned = 0;
    {
        BusyCursor busy;
        planned = session.sortMode ? CountAfterSort(m_state, int(session.removed.size()))
                                   : CountAfterDeletion(m_state, int(session.removed.size()));
    }
    const QString question = (session.sortMode ? QStringLiteral("　並べ替えた順で在庫品台帳を登録します。")
                                               : QStringLiteral("　削除した結果で在庫品台帳を登録します。"))
        + u'\r' + QStringLiteral("　登録後の台帳は ") + QString::number(planned) + QStringLiteral(" 件になります。") + u'\r'
        + QStringLiteral("　よろしいですか？");
    if (m_state.dialogs.askDefaultNo(LedgerText::ExplanationTitle, question) != Dialogs::Answer::Yes)
        return;

    CommitResult result;
    {
        BusyCursor busy;
        std::unique_ptr<QProgressDialog> progress;
        if (planned >= ProgressDialogRecords) {
            progress = std::make_unique<QProgressDialog>(QStringLiteral("在庫品台帳を登録しています。"),
                                                         QStringLiteral("中止"), 0, planned, this);
            progress->setWindowModality(Qt::WindowModal);
            progress->setMinimumDuration(500);
        }
        const CommitProgress report = [&](CommitStage stage, int done, int) {
            if (!progress)
                return true;
            if (stage == CommitStage::Replaced)
                progress->setCancelButton(nullptr);
            progress->setValue(done);
            return stage == CommitStage::Replaced || !progress->wasCanceled();
        };
        result = session.sortMode ? CommitSort(m_state, session.removed, report)
                                  : CommitDeletion(m_state, session.removed, report);
    }
    if (!result.ok()) {
        m_state.dialogs.inform(ErrorTitle, CommitFailureMessage(result.io));
        if (result.io.errorCode == EBADMSG) {
            closeSortDelete();
            offerLedgerRepair();
        }
        return;
    }
    m_sortDelete->hide();
    m_sortDelete->session = SortDeleteSession{};
    m_state.CurrentRecordNo = m_state.RecordCount;
    showFirstFullPage();
    m_list->setStockValue(FormatNumber(m_state.TotalStockValue, NumberPattern::TotalValue));
}

void LedgerScreen::closeSortDelete()
{
    const bool sortMode = m_sortDelete->session.sortMode;
    m_sortDelete->hide();
    m_sortDelete->session = SortDeleteSession{};
    if (sortMode)
        showFirstFullPage();
}
