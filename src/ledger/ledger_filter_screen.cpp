// The filter of the ledger screen: opening it from a list cell, filling conditions from list
// clicks, "絞込開始", "再絞込" and leaving it. The scans are core code; "再計算" over the result
// belongs to the edit table's controller.
#include "ledger/filter_panel.h"
#include "ledger/filter_scan.h"
#include "ledger/edit_frame_panel.h"
#include "ledger/edit_frame_screen.h"
#include "ledger/ledger_buttons_panel.h"
#include "ledger/ledger_list_panel.h"
#include "ledger/ledger_screen.h"
#include "ledger/ledger_texts.h"
#include "ledger/monthly_import_panel.h"
#include "ledger/number_format.h"
#include "ledger/sort_delete_panel.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/ledger_file.h"
#include "ui/busy_cursor.h"
#include "ui/colours.h"
#include "ui/flex_grid.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr quint32 FilterBadgeWheat = 11788021; // RGB 245, 222, 179
const QString ResultTitle = QStringLiteral("在庫品台帳確認");

QString filterExplanation()
{
    return joinLines({QStringLiteral("　絞り込み　在庫品リストから対象品を抽出"),
                      QStringLiteral("　絞り込み対象項目は1項目から3項目設定可能"),
                      QStringLiteral("　例　・品名のみ ・品名 AND 仕様等　・品名 AND 仕様 AND メーカー名 等"),
                      QStringLiteral("　順序はどこに設定しても可能"),
                      QStringLiteral("　項目設定は設定枠が表示されるので、設定枠をクリック"),
                      QStringLiteral("　検索項目はリストの列をクリックで設定されます"),
                      QStringLiteral("　検索項目の名称は手入力でも可能で、語句中文字検索もできます。")});
}

void paintBadge(QPushButton* badge, const QString& caption, quint32 colour)
{
    badge->setText(caption);
    QPalette palette = badge->palette();
    palette.setColor(QPalette::Button, colourFromWindows(colour, palette));
    badge->setPalette(palette);
    badge->setAutoFillBackground(true);
}

} // namespace

void LedgerScreen::connectFilter()
{
    FilterBarPanel* bar = m_list->filterBar();
    connect(m_mainButtons->filterButton(), &QPushButton::clicked, this, &LedgerScreen::openFilter);
    connect(m_filter, &FilterPanel::listCellTaken, this, &LedgerScreen::filterListCellClicked);
    connect(m_filter, &FilterPanel::wordEntered, this, &LedgerScreen::storeFilterWord);
    connect(bar->startButton(), &QPushButton::clicked, this, &LedgerScreen::startFilter);
    connect(bar->refilterButton(), &QPushButton::clicked, this, &LedgerScreen::refilter);
    connect(bar->clearButton(), &QPushButton::clicked, this, &LedgerScreen::leaveFilter);
    connect(bar->excelButton(), &QPushButton::clicked, this, &LedgerScreen::exportHitListWorkbook);
    connect(m_filter->closeButton(), &QPushButton::clicked, this, &LedgerScreen::leaveFilter);
}

void LedgerScreen::openFilter()
{
    if (!m_editing->settleUnsavedEntries())
        return;
    m_state.dialogs.inform(LedgerText::ExplanationTitle, filterExplanation());
    FlexGrid* grid = m_list->grid();
    const int row = grid->currentRow();
    const int col = grid->currentColumn();
    if (!IsFilterableColumn(col)) {
        m_state.dialogs.inform(LedgerText::ExplanationTitle, QStringLiteral("  絞り込み枠ではありません。　"));
        return;
    }
    fom11gamencler();
    FilterBarPanel* bar = m_list->filterBar();
    m_filter->show();
    m_filter->hideWordEditor();
    bar->show();
    paintBadge(m_list->statusBadge(), QStringLiteral("絞込中"), FilterBadgeWheat);
    m_list->statusBadge()->show();
    bar->startButton()->show();
    bar->clearButton()->show();
    for (QWidget* hidden : {static_cast<QWidget*>(m_mainButtons->filterButton()), static_cast<QWidget*>(m_mainButtons->sortButton()),
                            static_cast<QWidget*>(m_mainButtons->deleteButton()),
                            static_cast<QWidget*>(m_mainButtons->ledgerExcelButton()),
                            static_cast<QWidget*>(m_monthly->importButton()), static_cast<QWidget*>(m_monthly->editButton()),
                            static_cast<QWidget*>(m_editFrame), static_cast<QWidget*>(m_sortDelete)})
        hidden->hide();

    m_filter->clearConditions();
    m_filterConditions = FilterConditions{};
    m_view.HitList.clear();
    m_view.page.DisplayCursor = 0;
    m_view.page.PageNumber = 1;
    m_view.filterMode = true;

    m_filter->fillCurrentRow(col, grid->textMatrix(0, col), row >= 1 ? grid->textMatrix(row, col) : QString());
}

void LedgerScreen::filterListCellClicked(int row, int col)
{
    if (!IsFilterableColumn(col)) {
        m_state.dialogs.inform(QStringLiteral("在庫品リスト"), QStringLiteral("絞り込み位置が枠外です。　　　　"));
        return;
    }
    FlexGrid* grid = m_list->grid();
    m_filter->fillCurrentRow(col, grid->textMatrix(0, col), row >= 1 ? grid->textMatrix(row, col) : QString());
}

void LedgerScreen::storeFilterWord(const QString& text)
{
    FilterConditionRows rows = m_filter->rows();
    FilterConditionRow& row = rows[size_t(m_filter->currentRow())];
    if (ReadNumber(row.columnText) == 0) {
        m_state.dialogs.inform(LedgerText::ExplanationTitle, QStringLiteral("検索列枠が設定されていません。　"));
        return;
    }
    row.word = FieldText(text);
    m_filter->setRows(rows);
    m_filter->hideWordEditor();
    m_filter->advanceRow();
}

// Step common to both scans: the table normalised in place, the editor closed, the page reset.
bool LedgerScreen::normaliseFilter(const QString& incompleteMessage)
{
    FilterConditionRows rows = m_filter->rows();
    m_filterConditions = NormaliseFilterConditions(rows);
    m_filter->setRows(rows);
    m_filter->hideWordEditor();
    m_view.page.DisplayCursor = 0;
    m_view.page.PageNumber = 0;
    if (m_filterConditions.hasComplete())
        return true;
    m_state.dialogs.inform(LedgerText::ExplanationTitle, incompleteMessage);
    return false;
}

void LedgerScreen::showFirstHitPage()
{
    m_view.page = FirstPage();
    showHitListPage();
    setPageLabel(1);
    setCountLabel(m_view.hitCount());
    m_list->grid()->setCurrentCell(1, 1);
}

void LedgerScreen::giveUpFilterResult(const QString& emptyMessage)
{
    m_state.dialogs.inform(ResultTitle, m_filterConditions.wordsText() + u'\r' + emptyMessage);
    m_sortDelete->hide();
    m_view.page = FirstPage();
    m_view.HitList.clear();
}

void LedgerScreen::startFilter()
{
    if (normaliseFilter(QStringLiteral("絞込の条件が設定されてません。　"))) {
        FilterScanResult result;
        {
            BusyCursor busy;
            result = ScanForHits(m_state, m_filterConditions);
        }
        m_view.HitList = result.hits;
        FilterBarPanel* bar = m_list->filterBar();
        bar->clearButton()->show();
        bar->excelButton()->show();
        if (m_view.hitCount() > 12) {
            bar->refilterButton()->show();
            bar->placeButtonsFirst({bar->refilterButton(), bar->clearButton()});
        }
        if (m_view.hitCount() > 0) {
            showFirstHitPage();
            m_pageButtons->hide();
            m_hitPageButtons->show();
            bar->startButton()->hide();
            m_mainButtons->filterButton()->hide();
        } else {
            giveUpFilterResult(QStringLiteral("　のデータ絞込みで対象データが見つかりません。"));
        }
    }
    m_filter->setCurrentRow(0, 1);
}

void LedgerScreen::refilter()
{
    if (!normaliseFilter(QStringLiteral("再絞込の条件が設定されてません。　")))
        return;
    {
        BusyCursor busy;
        RefilterHits(m_state, m_view.HitList, m_filterConditions);
    }
    FilterBarPanel* bar = m_list->filterBar();
    bar->refilterButton()->hide();
    if (m_view.hitCount() > 0) {
        showFirstHitPage();
        bar->excelButton()->show();
        bar->placeButtonsFirst({bar->clearButton()});
        bar->maxPageLabel()->setText(QStringLiteral("Max P") + QString::number(MaxPageOf(m_view.hitCount())));
        bar->maxPageLabel()->show();
    } else {
        bar->clearButton()->show();
        giveUpFilterResult(QStringLiteral("　のデータ再絞り込みで対象データが見つかりません。"));
    }
}

// "絞込解除" and "閉じる" alike; both show the ledger's total again, which "再計算" may have
// replaced by the result's total.
void LedgerScreen::leaveFilter()
{
    FilterBarPanel* bar = m_list->filterBar();
    m_filter->hide();
    m_filter->hideWordEditor();
    bar->hideButtons();
    bar->hide();
    bar->placeButtons();
    paintBadge(m_list->statusBadge(), QStringLiteral("準備中"), WindowsColour::ButtonFace);
    m_list->statusBadge()->hide();
    m_mainButtons->filterButton()->show();
    m_pageButtons->show();
    m_hitPageButtons->hide();
    m_mainButtons->ledgerExcelButton()->show();
    const bool viewOnly = ReadFlag(m_state.ClientSettings[ClientLine::ViewOnly]);
    const bool monthly = ReadFlag(m_state.SharedSettings[SharedLine::MonthlyImport]);
    m_mainButtons->sortButton()->setVisible(!viewOnly);
    m_mainButtons->deleteButton()->setVisible(!viewOnly);
    m_mainButtons->monthlyButton()->setVisible(!viewOnly && monthly);
    m_monthly->importButton()->setVisible(monthly);
    m_monthly->editButton()->setVisible(monthly);

    m_view.HitList.clear();
    m_view.filterMode = false;
    showFirstFullPage();
    m_list->setStockValue(FormatNumber(m_state.TotalStockValue, NumberPattern::TotalValue));
}

void LedgerScreen::showFirstFullPage()
{
    {
        LedgerCloser closer(m_state);
        OpenLedger(m_state);
    }
    m_view.page = FirstPage();
    m_list->clearGrid();
    resetListGrid();
    showFullListPage();
    setCountLabel(m_state.RecordCount);
    setPageLabel(1);
}
