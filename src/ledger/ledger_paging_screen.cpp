// The list side of the ledger screen: showing pages, paging, list clicks and "次　項" of the
// edit frame. The core decides every page and every cell; this only calls and draws.
#include "ledger/colour_label_widget.h"
#include "ledger/edit_frame_panel.h"
#include "ledger/edit_frame_screen.h"
#include "ledger/filter_panel.h"
#include "ledger/ledger_colours.h"
#include "ledger/ledger_list_panel.h"
#include "ledger/ledger_screen.h"
#include "ledger/ledger_texts.h"
#include "ledger/monthly_import_panel.h"
#include "ledger/sort_delete_panel.h"
#include "ledger/vocabulary_panel.h"
#include "storage/app_state.h"
#include "storage/ledger_file.h"
#include "storage/shared_checks.h"
#include "ui/busy_cursor.h"
#include "ui/flex_grid.h"

void LedgerScreen::showFullListPage()
{
    BusyCursor busy;
    m_list->drawPage(ReadFullListPage(m_state, m_view, m_read));
}

void LedgerScreen::showHitListPage()
{
    {
        BusyCursor busy;
        m_list->drawPage(ReadHitListPage(m_state, m_view, m_read));
    }
    setPageLabel(m_view.page.PageNumber);
}

void LedgerScreen::setPageLabel(int pageNumber)
{
    m_list->setPageText(PageLabelText(pageNumber));
}

void LedgerScreen::setCountLabel(int count)
{
    m_list->setCountText(CountLabelText(count));
}

void LedgerScreen::nextPage()
{
    if (!m_editing->settleUnsavedEntries())
        return;
    fom11gamencler();
    m_list->clearGrid();
    resetListGrid();
    m_view.page = NextPage(m_view.page, m_state.RecordCount);
    setPageLabel(m_view.page.PageNumber);
    showFullListPage();
    CheckStopAll(m_state);
}

void LedgerScreen::previousPage()
{
    if (!m_editing->settleUnsavedEntries())
        return;
    fom11gamencler();
    m_list->clearGrid();
    resetListGrid();
    m_view.page = PreviousPage(m_view.page, m_state.RecordCount);
    setPageLabel(m_view.page.PageNumber);
    showFullListPage();
    CheckStopAll(m_state);
}

// In filter mode the page buttons of the result stay as they are: no clearing of the screen,
// and the rows of the new page overwrite or blank the old ones.
void LedgerScreen::nextHitPage()
{
    if (!m_editing->settleUnsavedEntries())
        return;
    m_view.page = NextHitPage(m_view.page, m_view.hitCount());
    showHitListPage();
    CheckStopAll(m_state);
}

void LedgerScreen::previousHitPage()
{
    if (!m_editing->settleUnsavedEntries())
        return;
    m_view.page = PreviousHitPage(m_view.page, m_view.hitCount());
    showHitListPage();
    CheckStopAll(m_state);
}

void LedgerScreen::listCellClicked(int row, int col)
{
    m_list->grid()->setCurrentCell(row, col);
    if (m_view.filterMode)
        m_filter->takeListCell(row, col);
}

void LedgerScreen::nextItemOfPage()
{
    if (!m_editing->settleUnsavedEntries())
        return;
    m_vocabulary->hide();
    m_editing->closePad();
    if (!CheckStopAll(m_state))
        return;
    FlexGrid* grid = m_list->grid();
    const NextItemStep step = NextItemOfPage(
        grid->currentRow(), [grid](int row) { return grid->textMatrix(row, 0); }, m_state.RecordCount);
    grid->setCurrentCell(step.currentRow, std::max(grid->currentColumn(), 1));
    if (step.recordNo == 0)
        return;
    {
        LedgerCloser closer(m_state);
        OpenLedger(m_state);
        if (!ReadRecord(m_state, step.recordNo))
            return;
    }
    m_state.CurrentRecordNo = step.recordNo;
    m_editFrame->showCurrentRecord();
    m_view.LedgerMode = 1;
    m_editFrame->modeCaption()->setText(QStringLiteral("訂 正"));
    m_editFrame->setRecordNoText(RecordNoLabelText(step.recordNo));
    m_editFrame->modeCaption()->setColourValue(LedgerColour::ModeCaption);
}
