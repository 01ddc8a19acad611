#include "ledger/ledger_screen.h"

#include "ledger/colour_label_widget.h"
#include "ledger/column_captions.h"
#include "ledger/edit_frame_panel.h"
#include "ledger/edit_frame_screen.h"
#include "ledger/filter_panel.h"
#include "ledger/ledger_buttons_panel.h"
#include "ledger/ledger_colours.h"
#include "ledger/ledger_list_panel.h"
#include "ledger/ledger_texts.h"
#include "ledger/number_format.h"
#include "ledger/monthly_import_panel.h"
#include "ledger/sort_delete_panel.h"
#include "ledger/vocabulary_panel.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/item_number_file.h"
#include "storage/ledger_file.h"
#include "storage/shared_checks.h"
#include "storage/vocabulary.h"
#include "ui/busy_cursor.h"
#include "ui/clickable_label.h"
#include "ui/flex_grid.h"
#include "ui/screen_host.h"
#include "ui/tab_order.h"
#include "ui/widget_geometry.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace {

constexpr int BackgroundLeft = 40;
constexpr int BackgroundTop = 40;
// The list area starts just under the button rows (80 + 560) and ends 40 above the background's
// bottom edge.
constexpr int ListTop = 680;
constexpr PanelPosition FilterPanelOpening = PanelPreset::FilterPanelHigh;
constexpr int JumpBoxLeft = 3760;
constexpr int JumpBoxWidth = 1000;
// With the compact buttons the page buttons take the gap: the box goes after the main buttons.
constexpr int CompactJumpBoxLeft = 11640;
constexpr int CompactJumpBoxWidth = 2400;

} // namespace

LedgerScreen::LedgerScreen(ScreenHost& host, QWidget* parent)
    : QWidget(parent), m_host(host), m_state(host.state()), m_read(LedgerRecordReader(host.state()))
{
    setObjectName(QStringLiteral("Form11"));
    setFixedSize(twipsRect(0, 0, WidthTwips, HeightTwips).size());
    buildRegions();
    connectControls();
    open();
}

void LedgerScreen::buildRegions()
{
    auto* background = new QFrame(this);
    background->setFrameShape(QFrame::Panel);
    m_background = placed(background, QStringLiteral("backgroundPicture"), BackgroundLeft, BackgroundTop,
                          WidthTwips - 2 * BackgroundLeft, HeightTwips - 2 * BackgroundTop);
    QWidget* area = m_background;

    m_list = placed(new LedgerListPanel(area), QStringLiteral("Picture7"), 120, ListTop, LedgerListPanel::WidthTwips,
                    LedgerListPanel::HeightTwips);
    m_pageButtons = placed(new PageButtonsPanel(QStringLiteral("次 項"), QStringLiteral("前 項"), QStringLiteral("page"), area),
                           QStringLiteral("Picture4"), 120, 80, PageButtonsPanel::WidthTwips, PageButtonsPanel::HeightTwips);
    m_hitPageButtons = placed(new PageButtonsPanel(QStringLiteral("次　項"), QStringLiteral("前項"), QStringLiteral("hitPage"), area),
                              QStringLiteral("Picture17"), 120, 80, PageButtonsPanel::WidthTwips, PageButtonsPanel::HeightTwips);
    m_mainButtons = placed(new MainButtonsPanel(area), QStringLiteral("Picture3"), 4800, 80, MainButtonsPanel::WidthTwips,
                           MainButtonsPanel::HeightTwips);
    m_sortStatus = placed(new QPushButton(QStringLiteral("準備中"), area), QStringLiteral("Picture8"), 9000, 80, 1400, 480);
    m_monthly = placed(new MonthlyImportPanel(area), QStringLiteral("Picture24"), 8760, 720, MonthlyImportPanel::WidthTwips,
                       MonthlyImportPanel::HeightTwips);
    m_sortDelete = placed(new SortDeletePanel(area), QStringLiteral("Picture12"), 2400, 1320, SortDeletePanel::WidthTwips,
                          SortDeletePanel::HeightTwips);
    m_editFrame = placed(new EditFramePanel(area), QStringLiteral("Picture20"), PanelPreset::EditFrameOpening.left,
                         PanelPreset::EditFrameOpening.top, EditFramePanel::WidthTwips, EditFramePanel::HeightTwips);
    m_vocabulary = placed(new VocabularyPanel(area), QStringLiteral("Picture1"), 13000, 1320, VocabularyPanel::WidthTwips,
                          VocabularyPanel::HeightTwips);
    m_filter = placed(new FilterPanel(area), QStringLiteral("Picture6"), FilterPanelOpening.left, FilterPanelOpening.top,
                      FilterPanel::WidthTwips, FilterPanel::HeightTwips);
    m_excelBusy = placed(new QLabel(QStringLiteral(" Excel出力中　"), area), QStringLiteral("Picture5"), 6600, 4080, 3000, 600);
    m_excelBusy->setFrameShape(QFrame::Box);
    m_excelBusy->setAlignment(Qt::AlignCenter);
    m_excelBusy->setAutoFillBackground(true);
    // In the command bar's free space between the page buttons and the main buttons; a scanner
    // types the item number and Enter into it.
    m_jumpBox = placed(new QLineEdit(area), QStringLiteral("itemNumberJumpBox"), JumpBoxLeft, 120, JumpBoxWidth, 480);
    m_jumpBox->setPlaceholderText(QStringLiteral("No検索"));
    m_jumpBox->setToolTip(QStringLiteral("在庫品Noを入力（バーコード読取）して Enter で品目を開きます（Ctrl+F / F2）"));

    for (QWidget* hidden : {static_cast<QWidget*>(m_hitPageButtons), m_sortStatus, static_cast<QWidget*>(m_monthly),
                            static_cast<QWidget*>(m_sortDelete), static_cast<QWidget*>(m_editFrame),
                            static_cast<QWidget*>(m_vocabulary), static_cast<QWidget*>(m_filter),
                            static_cast<QWidget*>(m_excelBusy), static_cast<QWidget*>(m_list->filterBar())})
        hidden->hide();
}

void LedgerScreen::connectControls()
{
    connect(m_mainButtons->exitButton(), &QPushButton::clicked, this, &LedgerScreen::exitToMenu);
    connect(m_pageButtons->nextButton(), &QPushButton::clicked, this, &LedgerScreen::nextPage);
    connect(m_pageButtons->previousButton(), &QPushButton::clicked, this, &LedgerScreen::previousPage);
    connect(m_hitPageButtons->nextButton(), &QPushButton::clicked, this, &LedgerScreen::nextHitPage);
    connect(m_hitPageButtons->previousButton(), &QPushButton::clicked, this, &LedgerScreen::previousHitPage);
    connect(m_list, &LedgerListPanel::cellClicked, this, &LedgerScreen::listCellClicked);
    connect(m_editFrame->nextItemButton(), &QPushButton::clicked, this, &LedgerScreen::nextItemOfPage);
    connect(m_vocabulary->topPicture(), &ClickableLabel::clicked, this, &LedgerScreen::fom11gamencler);
    connect(m_editFrame, &EditFramePanel::moved, m_vocabulary, [this] { m_vocabulary->placeBeside(*m_editFrame); });
    m_editing = new EditFrameController(*this, m_state);

    connect(m_list->explainButton(), &QPushButton::clicked, this, &LedgerScreen::explainCalculation);
    connect(m_editFrame->explainButton(), &QPushButton::clicked, this,
            [this] { m_state.dialogs.inform(LedgerText::ExplanationTitle, EditFrameExplanation()); });
    connect(m_list->backupCaption(), &ClickableLabel::clicked, this,
            [this] { m_state.dialogs.inform(LedgerText::ExplanationTitle, BackupMarkExplanation()); });
    connectFilter();
    connectSortDelete();
    connect(m_mainButtons->ledgerExcelButton(), &QPushButton::clicked, this, &LedgerScreen::exportLedgerWorkbook);
    connectMonthly();
    connectKeyboard();
    // "訂 正", "新 規", "絞　込", "Sort", "削　除", "在庫品Excel" and "再計算"
    // are connected by the edit-table, filter, sort/delete and output work.
}

// The opening sequence, in its order.
void LedgerScreen::open()
{
    const SettingsLines& shared = m_state.SharedSettings;
    const SettingsLines& client = m_state.ClientSettings;

    m_state.EditPending = false;
    // The daily workbook has not been touched since the screen opened.
    m_state.suppressRecovery = false;
    m_view.VocabularyListNumber = 1;
    m_view.FilterConditionCount = 0;
    m_view.page = OpeningPage();

    setWindowTitle(LedgerWindowTitle());
    centreWindow(this, RaiseTwips);

    const bool monthly = ReadFlag(shared[SharedLine::MonthlyImport]);
    m_monthly->editButton()->setVisible(monthly);
    m_monthly->importButton()->setVisible(monthly);

    setUpGrids();

    m_excelBusy->hide();
    m_editFrame->textEntryBox()->hide();
    // Only the help buttons go; the commands beside them ("登　録", "Excel出力") stay.
    if (ReadFlag(client[ClientLine::HideExplanations])) {
        m_list->explainButton()->hide();
        m_editFrame->explainButton()->hide();
    }
    m_editFrame->startOfUseList()->clear();
    m_editFrame->startOfUseList()->addItems(StartOfUseChoices(QDate::currentDate().year()));
    if (ReadFlag(client[ClientLine::CompactLedgerButtons])) {
        m_editFrame->useCompactButtons();
        m_mainButtons->useCompactLayout();
        m_pageButtons->resize(twipsRect(0, 0, PageButtonsPanel::CompactWidthTwips, PageButtonsPanel::HeightTwips).size());
        m_jumpBox->setGeometry(twipsRect(CompactJumpBoxLeft, 120, CompactJumpBoxWidth, 480));
    }
    {
        BusyCursor busy;
        ReadVocabularyLists(m_state);
    }

    fom11gamencler();
    m_view.EntryTarget = 14;
    m_list->setPageText(QString());

    IoResult opened;
    {
        LedgerCloser closer(m_state);
        opened = OpenLedger(m_state);
    }
    m_view.page.DisplayCursor = 0;
    m_view.page.PageNumber = 0;
    if (m_state.RecordCount > 0) {
        showFullListPage();
        setPageLabel(1);
    }
    m_state.CurrentRecordNo = m_state.RecordCount;
    setCountLabel(m_state.RecordCount);

    for (QWidget* hidden : {static_cast<QWidget*>(m_editFrame), m_sortStatus, static_cast<QWidget*>(m_filter),
                            static_cast<QWidget*>(m_hitPageButtons), m_editFrame->startOfUseChooser(),
                            static_cast<QWidget*>(m_list->statusBadge())})
        hidden->hide();
    m_list->filterBar()->hideButtons();
    m_list->filterBar()->placeButtons();
    m_filter->prepareConditionGrid();
    m_filter->moveTo(FilterPanelOpening);

    {
        BusyCursor busy;
        BringItemNumberTableUpToDate(m_state, QDate::currentDate());
    }
    m_list->setStockValue(FormatNumber(m_state.TotalStockValue, NumberPattern::TotalValue));

    m_list->backupMark()->setVisible(ReadFlag(client[ClientLine::Backup]));
    m_monthly->hide();
    const bool viewOnly = ReadFlag(client[ClientLine::ViewOnly]);
    m_mainButtons->sortButton()->setVisible(!viewOnly);
    m_mainButtons->deleteButton()->setVisible(!viewOnly);
    m_mainButtons->monthlyButton()->setVisible(!viewOnly && monthly);

    m_list->filterBar()->hide();
    m_list->filterBar()->placeButtons();
    tellLedgerStateOnOpening(opened);
    m_jumpBox->setFocus();
}

void LedgerScreen::setUpGrids()
{
    const ListOptions options = ListOptionsOf(m_state);
    const SettingsLines& shared = m_state.SharedSettings;
    RebuildColumnCaptions(m_state);
    m_list->setUpGrid(options.startOfUse);
    resetListGrid();
    m_editFrame->setUpItemGrid(m_state.ColumnCaptions, options.startOfUse);
    m_list->setStartMonth(shared[SharedLine::StartMonth]);
    m_editFrame->setItemNumberCaption(shared[SharedLine::FirstCaption]);
    m_editFrame->setUpMonthGrid(MonthHeadings(shared[SharedLine::StartMonth]));
    QStringList sortCaptions;
    for (int k = 0; k <= 6; ++k)
        sortCaptions.append(m_state.ColumnCaptions[k]);
    m_sortDelete->prepareList(sortCaptions);
}

void LedgerScreen::fom11gamencler()
{
    for (QWidget* hidden : {static_cast<QWidget*>(m_excelBusy), static_cast<QWidget*>(m_vocabulary),
                            static_cast<QWidget*>(m_hitPageButtons),
                            static_cast<QWidget*>(m_list->filterBar()->refilterButton()),
                            static_cast<QWidget*>(m_editFrame->textEntryBox()),
                            static_cast<QWidget*>(m_list->statusBadge()), static_cast<QWidget*>(m_monthly)})
        hidden->hide();
    if (m_editing)
        m_editing->closePad();
    m_pageButtons->show();
    m_editFrame->modeCaption()->setColourValue(LedgerColour::ModeCaption);
    m_list->backupMark()->setColourValue(LedgerColour::ModeCaption);
    CheckStopAll(m_state);
}

void LedgerScreen::resetListGrid()
{
    const bool startOfUse = ListOptionsOf(m_state).startOfUse;
    m_list->resetGrid(ListCaptionRow(m_state, startOfUse), startOfUse);
    m_state.CurrentRecord.clear();
}

void LedgerScreen::connectKeyboard()
{
    const auto shortcut = [this](const QKeySequence& keys, auto action) {
        auto* made = new QShortcut(keys, this);
        made->setContext(Qt::WidgetWithChildrenShortcut);
        connect(made, &QShortcut::activated, this, action);
    };
    shortcut(QKeySequence(Qt::Key_PageDown), [this] {
        if (!m_hitPageButtons->isHidden())
            nextHitPage();
        else if (!m_pageButtons->isHidden())
            nextPage();
    });
    shortcut(QKeySequence(Qt::Key_PageUp), [this] {
        if (!m_hitPageButtons->isHidden())
            previousHitPage();
        else if (!m_pageButtons->isHidden())
            previousPage();
    });
    shortcut(QKeySequence(Qt::Key_Escape), &LedgerScreen::closeTopPanel);
    // "登　録" of the edit frame, as a spreadsheet program saves.
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_S), [this] {
        if (!m_editFrame->isHidden())
            m_editFrame->registerButton()->click();
    });
    for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_F), QKeySequence(Qt::Key_F2)})
        shortcut(keys, [this] {
            m_jumpBox->setFocus(Qt::ShortcutFocusReason);
            m_jumpBox->selectAll();
        });
    connect(m_jumpBox, &QLineEdit::returnPressed, this, &LedgerScreen::jumpToItemNumber);
    // Tab goes from cell to cell only in the edit frame's tables; the list passes it on.
    m_list->grid()->setTabKeyNavigation(false);
    m_mainButtons->sortButton()->setText(QStringLiteral("&Sort"));
    m_mainButtons->ledgerExcelButton()->setText(QStringLiteral("在庫品&Excel"));
    SetTabOrderOfRegions({m_jumpBox, m_pageButtons, m_hitPageButtons, m_mainButtons, m_list, m_editFrame, m_vocabulary,
                          m_filter, m_sortDelete, m_monthly});
}

void LedgerScreen::jumpToItemNumber()
{
    const QString number = FieldText(m_jumpBox->text());
    if (number.isEmpty())
        return;
    if (!m_editing->settleUnsavedEntries())
        return;
    bool found = false;
    {
        BusyCursor busy;
        LedgerCloser closer(m_state);
        found = OpenLedger(m_state) && FindItemNumber(m_state, number);
    }
    if (!found) {
        m_state.dialogs.inform(LedgerText::ExplanationTitle, UnknownItemNumberMessage(number));
    } else {
        m_editing->openRecord(m_state.FoundRecordNo);
    }
    // Ready for the next scan, which replaces the text.
    m_jumpBox->setFocus();
    m_jumpBox->selectAll();
}

void LedgerScreen::closeTopPanel()
{
    if (!m_vocabulary->isHidden()) {
        m_vocabulary->hide();
    } else if (!m_editFrame->startOfUseChooser()->isHidden() && !m_editFrame->isHidden()) {
        m_editFrame->startOfUseChooser()->hide();
    } else if (!m_editFrame->isHidden()) {
        m_editFrame->frameButton("editFrameCloseButton")->click();
    } else if (!m_sortDelete->isHidden()) {
        closeSortDelete();
    } else if (!m_filter->isHidden() || m_view.filterMode) {
        leaveFilter();
    } else if (!m_monthly->isHidden()) {
        m_monthly->hide();
    }
}

void LedgerScreen::explainCalculation()
{
    m_state.dialogs.inform(LedgerText::ExplanationTitle, CalculationExplanation());
    m_state.dialogs.inform(LedgerText::ExplanationTitle, ColourExplanation());
}

void LedgerScreen::exitToMenu()
{
    if (!mayClose())
        return;
    m_editing->closePad();
    m_host.closeScreen();
}

bool LedgerScreen::mayClose()
{
    return m_editing->settleUnsavedEntries();
}
