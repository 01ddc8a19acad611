#include "ledger/edit_frame_screen.h"

#include "ledger/colour_label_widget.h"
#include "ledger/edit_frame_panel.h"
#include "ledger/entry_pad.h"
#include "ledger/filter_panel.h"
#include "ledger/item_history_panel.h"
#include "ledger/stock_chart_panel.h"
#include "ledger/ledger_backup.h"
#include "ledger/ledger_buttons_panel.h"
#include "ledger/ledger_colours.h"
#include "ledger/ledger_list_panel.h"
#include "ledger/ledger_paging.h"
#include "ledger/ledger_screen.h"
#include "ledger/ledger_texts.h"
#include "ledger/number_format.h"
#include "ledger/vocabulary_panel.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/item_number_file.h"
#include "storage/shared_checks.h"
#include "ui/busy_cursor.h"
#include "ui/flex_grid.h"
#include "ui/widget_geometry.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

const char16_t* const VocabularyCaptions[] = {u"品　名", u"仕　様", u"メーカー名", u"保管場所", u"単位"};

} // namespace

EditFrameController::EditFrameController(LedgerScreen& screen, AppState& state)
    : QObject(&screen), m_screen(screen), m_state(state), m_session(state, screen.view())
{
    m_vocabulary = screen.findChild<VocabularyPanel*>(QStringLiteral("Picture1"));
    EditFramePanel* frame = screen.editFrame();
    MainButtonsPanel* main = screen.mainButtons();
    connect(main->newButton(), &QPushButton::clicked, this, &EditFrameController::newItem);
    connect(main->correctButton(), &QPushButton::clicked, this, &EditFrameController::correctItem);
    connect(frame->frameButton("copyButton"), &QPushButton::clicked, this, &EditFrameController::copyItem);
    connect(frame->registerButton(), &QPushButton::clicked, this, &EditFrameController::storeItem);
    connect(frame->frameButton("itemSpecificationButton"), &QPushButton::clicked, &m_screen,
            &LedgerScreen::exportItemSpecWorkbook);
    connect(frame->frameButton("clearInOutButton"), &QPushButton::clicked, this, [this] {
        closePad();
        m_session.clearInOut();
        draw();
    });
    connect(frame->frameButton("clearAllButton"), &QPushButton::clicked, this, [this] {
        closePad();
        m_screen.listPanel()->grid()->setCurrentCell(1, std::max(m_screen.listPanel()->grid()->currentColumn(), 0));
        m_session.clearAll();
        draw();
    });
    connect(frame->frameButton("historyButton"), &QPushButton::clicked, this, [this] {
        ShowItemHistory(&m_screen, m_state, m_session.item().text(ItemField::Number));
    });
    connect(frame->frameButton("chartButton"), &QPushButton::clicked, this,
            [this] { ShowStockChart(&m_screen, m_state, m_session.item()); });
    connect(frame->frameButton("editFrameCloseButton"), &QPushButton::clicked, this, [this] {
        if (!settleUnsavedEntries())
            return;
        m_vocabulary->hide();
        closePad();
        m_screen.editFrame()->hide();
    });
    connect(frame, &EditFramePanel::currentRecordShown, this, [this] {
        m_session.takeLoadedRecord();
        draw();
    });
    connect(frame, &EditFramePanel::itemCellClicked, this, &EditFrameController::itemCellClicked);
    // The keyboard: Enter starts entry on the current cell as a click does, a character typed
    // on it starts entry with that character; arrows and Tab move between the cells.
    connect(frame->itemGrid(), &FlexGrid::keyActivated, this, [this](int row, int column) {
        if (row == 1)
            itemCellClicked(column);
    });
    connect(frame->itemGrid(), &FlexGrid::textTyped, this, [this](int row, int column, const QString& text) {
        if (row == 1)
            itemCellTyped(column, text);
    });
    connect(frame->monthGrid(), &FlexGrid::keyActivated, this, &EditFrameController::monthCellClicked);
    connect(frame->monthGrid(), &FlexGrid::textTyped, this, &EditFrameController::monthCellTyped);
    connect(screen.listPanel()->grid(), &FlexGrid::keyActivated, this, [this](int row, int column) {
        m_screen.listPanel()->grid()->setCurrentCell(row, column);
        openSelectedItem();
    });
    connect(frame, &EditFramePanel::monthCellClicked, this, &EditFrameController::monthCellClicked);
    connect(frame, &EditFramePanel::itemNumberClicked, this, [this] {
        m_vocabulary->hide();
        m_session.selectItemNumber();
        draw();
        openPad();
    });
    connect(frame, &EditFramePanel::itemNumberTyped, this, [this, frame](const QString& text) {
        emit frame->itemNumberClicked();
        if (m_pad)
            m_pad->typeText(text);
    });
    connect(frame, &EditFramePanel::textEntered, this, &EditFrameController::textEntered);
    connect(frame, &EditFramePanel::textKeyPressed, m_vocabulary, &QWidget::hide);
    connect(frame, &EditFramePanel::yearMonthPicked, this, [this](const QString& yearMonth) {
        m_session.pickStartOfUse(yearMonth);
        draw();
        m_screen.editFrame()->startOfUseChooser()->hide();
    });
    connect(m_vocabulary, &VocabularyPanel::wordPicked, this, [this](int number) {
        m_session.pickWord(number);
        draw();
        m_vocabulary->hide();
        m_screen.editFrame()->textEntryBox()->hide();
    });
    connect(m_vocabulary, &VocabularyPanel::addWordClicked, this, [this] {
        {
            BusyCursor busy;
            m_session.addWordToList();
        }
        showVocabulary();
    });
    connect(screen.listPanel()->recalculateButton(), &QPushButton::clicked, this, &EditFrameController::recalculateTotal);
}

void EditFrameController::draw()
{
    EditFramePanel* frame = m_screen.editFrame();
    frame->showCells(m_session.cells());
    frame->modeCaption()->setText(m_session.modeCaption());
    frame->setRecordNoText(RecordNoLabelText(m_state.CurrentRecordNo));
}

// What "新 規" and "訂 正" share: the frame at its upper place, the filter's controls away.
void EditFrameController::openFrame()
{
    closePad();
    LedgerViewState& view = m_screen.view();
    view.filterMode = false;
    m_screen.editFrame()->moveTo(PanelPreset::EditFrameHigh);
    for (const char* name : {"Picture17", "Picture8", "Picture6"})
        if (auto* widget = m_screen.findChild<QWidget*>(QString::fromLatin1(name)))
            widget->hide();
    m_screen.listPanel()->filterBar()->hideButtons();
    m_screen.listPanel()->filterBar()->hide();
    m_screen.listPanel()->statusBadge()->hide();
    MainButtonsPanel* main = m_screen.mainButtons();
    const bool viewOnly = ReadFlag(m_state.ClientSettings[ClientLine::ViewOnly]);
    main->filterButton()->show();
    main->sortButton()->setVisible(!viewOnly);
    main->deleteButton()->setVisible(!viewOnly);
    main->monthlyButton()->setVisible(!viewOnly && ReadFlag(m_state.SharedSettings[SharedLine::MonthlyImport]));
    main->ledgerExcelButton()->show();
    m_screen.fom11gamencler();
    m_screen.editFrame()->show();
    m_screen.editFrame()->raise();
}

void EditFrameController::newItem()
{
    if (!settleUnsavedEntries())
        return;
    openFrame();
    m_screen.editFrame()->nextItemButton()->show();
    m_session.startNew();
    draw();
    m_screen.editFrame()->modeCaption()->setColourValue(LedgerColour::ModeCaption);
    CheckStopAll(m_state);
}

void EditFrameController::correctItem()
{
    if (!settleUnsavedEntries())
        return;
    m_state.dialogs.inform(
        QStringLiteral("登録確認"),
        joinLines({QStringLiteral("　在庫品リストの対象品行をクリックし訂正釦で個別枠が表示されるので"),
                   QStringLiteral("　その枠表内で入出庫のデータ登録・訂正を行います。"),
                   QStringLiteral("　対象品目検索は次項、前項釦か絞り込み機能を使用し探します。")}));
    showSelectedItem();
}

void EditFrameController::openSelectedItem()
{
    if (!settleUnsavedEntries())
        return;
    showSelectedItem();
}

void EditFrameController::showSelectedItem()
{
    FlexGrid* list = m_screen.listPanel()->grid();
    const int row = ItemRowOfListRow(std::max(list->currentRow(), 0));
    if (row > 0)
        list->setCurrentCell(row, std::max(list->currentColumn(), 1));
    openRecord(int(ReadNumber(list->textMatrix(row, 0))));
}

void EditFrameController::openRecord(int recordNo)
{
    m_screen.view().LedgerMode = 1;
    openFrame();
    m_session.startCorrect(recordNo);
    draw();
    m_screen.editFrame()->modeCaption()->setColourValue(LedgerColour::ModeCaption);
    CheckStopAll(m_state);
}

void EditFrameController::copyItem()
{
    m_vocabulary->hide();
    closePad();
    if (!CheckStopAll(m_state))
        return;
    m_session.copy();
    draw();
    m_screen.editFrame()->modeCaption()->setColourValue(LedgerColour::ModeCaption);
}

bool EditFrameController::storeItem()
{
    closePad();
    if (!CheckStopAll(m_state))
        return false;
    StoreOutcome outcome;
    {
        BusyCursor busy;
        outcome = m_session.store();
    }
    draw();
    if (outcome.ledgerDamaged)
        m_screen.offerLedgerRepair();
    if (!outcome.stored())
        return false;
    if (outcome.backedUp)
        m_screen.listPanel()->backupMark()->setColourValue(BackupDoneColour);
    refreshAfterStore();
    return true;
}

bool EditFrameController::settleUnsavedEntries()
{
    if (!m_state.EditPending || m_screen.editFrame()->isHidden())
        return true;
    closePad();
    switch (m_state.dialogs.askYesNoCancel(LedgerText::ExplanationTitle, UnsavedEntriesQuestion())) {
    case Dialogs::Choice::Yes:
        return storeItem();
    case Dialogs::Choice::No:
        m_state.EditPending = false;
        return true;
    case Dialogs::Choice::Cancel:
        break;
    }
    return false;
}

// The list page, the count and the total show the ledger as it is now; the frame stays open.
void EditFrameController::refreshAfterStore()
{
    LedgerViewState& view = m_screen.view();
    const int page = std::max(view.page.PageNumber, 1);
    view.page.DisplayCursor = (page - 1) * ItemsPerPage;
    if (view.filterMode) {
        m_screen.showHitListPage();
    } else {
        m_screen.listPanel()->clearGrid();
        m_screen.resetListGrid();
        m_screen.showFullListPage();
        m_screen.setCountLabel(m_state.RecordCount);
        m_screen.listPanel()->setStockValue(FormatNumber(m_state.TotalStockValue, NumberPattern::TotalValue));
    }
    // Reading the page went through CurrentRecord; the item being edited is put back.
    m_state.CurrentRecord = m_session.item();
}

void EditFrameController::recalculateTotal()
{
    BusyCursor busy;
    if (m_screen.listPanel()->statusBadge()->isVisible()) {
        // Before the first hits the filter's total is that of no items, not the last filter's.
        if (m_screen.view().hitCount() > 0)
            SumFilteredStockValue(m_state, m_screen.view().HitList);
        else
            m_state.FilteredStockValue = 0;
        m_screen.listPanel()->setStockValue(FormatNumber(m_state.FilteredStockValue, NumberPattern::TotalValue));
    } else {
        SumStockValue(m_state);
        m_screen.listPanel()->setStockValue(FormatNumber(m_state.TotalStockValue, NumberPattern::TotalValue));
    }
}

void EditFrameController::closePad()
{
    if (m_pad)
        m_pad->close();
}

void EditFrameController::openPad()
{
    closePad();
    m_state.EntryPadMode = m_screen.view().EntryTarget;
    m_pad = new EntryPad(m_state, m_session.padStartValue(), &m_screen);
    // The pad is closed whenever its place changes; a confirmation that still reaches another
    // item or cell is refused rather than written there.
    connect(m_pad, &EntryPad::confirmed, this, [this, place = m_session.entryPlace()](const QString& value) {
        if (m_session.entryPlace() != place) {
            m_state.dialogs.inform(LedgerText::ExplanationTitle, EntryPlaceChangedMessage());
            return;
        }
        m_state.EntryPadMode = m_screen.view().EntryTarget;
        m_session.commitEntry(value);
        draw();
    });
    const QPoint origin = m_screen.mapToGlobal(QPoint(0, 0));
    const QRect place = m_screen.view().EntryTarget == EntryTargetCode::ItemNumber ? twipsRect(12000, 2400, 0, 0)
                                                                                   : twipsRect(9000, 1200, 0, 0);
    m_pad->move(origin + place.topLeft());
    m_pad->show();
    m_pad->raise();
    m_pad->activateWindow();
    m_pad->setFocus(Qt::PopupFocusReason);
}

void EditFrameController::itemCellClicked(int column)
{
    EditFramePanel* frame = m_screen.editFrame();
    m_vocabulary->hide();
    frame->startOfUseChooser()->hide();
    m_vocabulary->placeBeside(*frame);
    moveTwips(frame->textEntryBox(), 8040, 2700);
    frame->textEntryBox()->hide();
    closePad();
    const CellAction action = m_session.selectItemCell(column);
    draw();
    switch (action) {
    case CellAction::TextEntry: {
        QLineEdit* box = frame->textEntryBox();
        box->setText(m_session.cells().item[column]);
        box->show();
        box->setFocus();
        box->setCursorPosition(int(box->text().size()));
        showVocabulary();
        break;
    }
    case CellAction::EntryPad:
        openPad();
        break;
    case CellAction::YearMonthChooser:
        frame->startOfUseChooser()->show();
        break;
    case CellAction::None:
        break;
    }
}

void EditFrameController::itemCellTyped(int column, const QString& text)
{
    itemCellClicked(column);
    if (m_pad) {
        m_pad->typeText(text);
        return;
    }
    QLineEdit* box = m_screen.editFrame()->textEntryBox();
    if (!box->isHidden())
        box->insert(text);
}

void EditFrameController::monthCellTyped(int row, int column, const QString& text)
{
    monthCellClicked(row, column);
    if (m_pad)
        m_pad->typeText(text);
}

void EditFrameController::showVocabulary()
{
    const int list = m_screen.view().VocabularyListNumber;
    if (list < VocabularyTable::FirstUsedList || list > VocabularyTable::LastUsedList)
        return;
    m_vocabulary->fill(QString::fromUtf16(VocabularyCaptions[list - VocabularyTable::FirstUsedList]), m_state.Vocabulary,
                       list, int(ReadNumber(m_state.SharedSettings[ListCountLine(list)])));
    m_vocabulary->show();
    m_vocabulary->raise();
}

void EditFrameController::monthCellClicked(int row, int column)
{
    m_vocabulary->hide();
    closePad();
    m_screen.editFrame()->startOfUseChooser()->hide();
    if (m_session.selectMonthCell(row, column))
        openPad();
}

void EditFrameController::textEntered(const QString& text)
{
    const int next = m_session.enterText(text);
    if (next < 0)
        return;
    draw();
    m_screen.editFrame()->itemGrid()->setCurrentCell(1, next);
    m_screen.editFrame()->textEntryBox()->setText(m_session.cells().item[next]);
}
