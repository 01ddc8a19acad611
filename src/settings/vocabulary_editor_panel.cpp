#include "settings/vocabulary_editor_panel.h"

#include "ledger/colour_label_widget.h"
#include "settings/settings_texts.h"
#include "settings/vocabulary_editing.h"
#include "storage/shared_checks.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/settings_files.h"
#include "storage/vocabulary.h"
#include "ui/busy_cursor.h"
#include "ui/colours.h"
#include "ui/flex_grid.h"
#include "ui/widget_geometry.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int WordColumn = 2;
constexpr int IdColumn = 1;
constexpr int GridHeight = 6615;

} // namespace

VocabularyEditorPanel::VocabularyEditorPanel(AppState& state, QWidget* parent) : QFrame(parent), m_state(state)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    build();
    setUpGrid();
}

void VocabularyEditorPanel::build()
{
    m_listName = placed(new QLabel(this), QStringLiteral("listNameLabel"), 120, 120, 2280, 360);
    m_count = placed(new QLabel(this), QStringLiteral("listCountLabel"), 2520, 120, 1320, 360);
    for (QLabel* label : {m_listName, m_count}) {
        label->setFrameShape(QFrame::Box);
        label->setAutoFillBackground(true);
        QPalette white = label->palette();
        white.setColor(QPalette::Window, colourFromWindows(WindowsColour::SwitchOff));
        label->setPalette(white);
    }
    m_count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lamp = placed(new ColourLabel(QString(), this), QStringLiteral("vocabularyLamp"), 3960, 120, 600, 360);
    m_lamp->setColourValue(LampIdle);
    m_grid = placed(new FlexGrid(20, 3, this), QStringLiteral("vocabularyGrid"), 120, 600, 4560, GridHeight);
    m_wordBox = placed(new QLineEdit(this), QStringLiteral("wordEditBox"), 120, 7320, 4560, 360);
    m_wordBox->installEventFilter(this);

    m_swap = placed(new QPushButton(QStringLiteral("入れ替え"), this), QStringLiteral("swapButton"), 120, 7800, 1080, 420);
    m_insert = placed(new QPushButton(QStringLiteral("挿  入"), this), QStringLiteral("insertButton"), 1260, 7800, 1080, 420);
    m_delete = placed(new QPushButton(QStringLiteral("削  除"), this), QStringLiteral("deleteButton"), 2400, 7800, 1080, 420);
    m_clearBelow = placed(new QPushButton(QStringLiteral("以下消去 "), this), QStringLiteral("clearBelowButton"), 3540,
                          7800, 1140, 420);
    m_close = placed(new QPushButton(QStringLiteral("閉じる"), this), QStringLiteral("closeEditorButton"), 120, 8340, 2160, 420);
    m_register = placed(new QPushButton(QStringLiteral("登　録"), this), QStringLiteral("registerListsButton"), 2520, 8340,
                        2160, 420);
    for (QWidget* editing : {m_swap, m_insert, m_delete, m_clearBelow})
        editing->hide();

    connect(m_grid, &FlexGrid::clicked, this, [this](int row, int) { rowClicked(row); });
    connect(m_wordBox, &QLineEdit::returnPressed, this, &VocabularyEditorPanel::enterPressed);
    connect(m_swap, &QPushButton::clicked, this, &VocabularyEditorPanel::startSwap);
    connect(m_insert, &QPushButton::clicked, this, &VocabularyEditorPanel::insertRow);
    connect(m_delete, &QPushButton::clicked, this, &VocabularyEditorPanel::deleteRow);
    connect(m_clearBelow, &QPushButton::clicked, this, &VocabularyEditorPanel::clearBelow);
    connect(m_close, &QPushButton::clicked, this, [this] {
        m_swapPending = false;
        hide();
    });
    connect(m_register, &QPushButton::clicked, this, &VocabularyEditorPanel::registerChanges);
}

// The grid as the screen opens: 20 rows of 350, columns of 600, 1200 and 3000, the header row.
void VocabularyEditorPanel::setUpGrid()
{
    m_grid->setFixedRows(1);
    m_grid->setFixedCols(1);
    const int widths[] = {600, 1200, 3000};
    const QString headers[] = {QStringLiteral("NO"), QStringLiteral("   ID　"), QStringLiteral("    項   目 ")};
    for (int col = 0; col < 3; ++col) {
        m_grid->setColWidthTwips(col, widths[col]);
        m_grid->setTextMatrix(0, col, headers[col]);
        m_grid->setCellBackground(0, col, colourFromWindows(HeaderColour));
    }
    for (int row = 0; row < m_grid->rows(); ++row)
        m_grid->setRowHeightTwips(row, 350);
}

void VocabularyEditorPanel::resetLight()
{
    m_lamp->setColourValue(LampIdle);
}

void VocabularyEditorPanel::lighterReset()
{
    if (m_lighterReset)
        m_lighterReset();
    else
        resetLight();
}

int VocabularyEditorPanel::rowCount() const
{
    return m_list >= VocabularyTable::FirstUsedList ? EditorRowCount(m_state, m_list) : 0;
}

int VocabularyEditorPanel::currentRow() const
{
    const int row = m_grid->currentRow();
    return row >= 1 && row <= rowCount() ? row : 0;
}

void VocabularyEditorPanel::showCount()
{
    m_count->setText(QString::number(rowCount()));
}

void VocabularyEditorPanel::showList(int list, const QString& caption)
{
    m_swapPending = false;
    show();
    raise();
    m_list = list;
    m_listName->setText(caption);
    drawList(1);
}

// Draws the current list from memory and makes `selectRow` the current row.
void VocabularyEditorPanel::drawList(int selectRow)
{
    BusyCursor busy;
    show();
    m_grid->setRedraw(false);
    resetLight();
    const int count = rowCount();
    showCount();
    m_grid->setRows(count + 1);
    setGeometryTwips(m_grid, 120, 600, 4560, GridHeight);
    for (QWidget* editing : {m_swap, m_insert, m_delete, m_clearBelow})
        editing->show();
    QPalette background = palette();
    background.setColor(QPalette::Window, colourFromWindows(EditorColour));
    setPalette(background);

    for (int row = 1; row <= count; ++row) {
        m_grid->setTextMatrix(row, 0, QString::number(row));
        m_grid->setRowHeightTwips(row, 320);
    }
    m_grid->setColWidthTwips(IdColumn, 0);
    showEntries(1, count);

    if (count >= 1) {
        const int row = std::clamp(selectRow, 1, count);
        m_grid->setCurrentCell(row, WordColumn);
        loadBox(m_state.Vocabulary.entry(m_list, row).word);
    } else {
        m_wordBox->clear();
    }
    m_grid->setRedraw(true);
}

// The id and word cells of rows firstRow..lastRow from the list in memory.
void VocabularyEditorPanel::showEntries(int firstRow, int lastRow)
{
    for (int row = firstRow; row <= lastRow; ++row) {
        const VocabularyEntry& entry = m_state.Vocabulary.entry(m_list, row);
        m_grid->setTextMatrix(row, IdColumn, FieldText(entry.id));
        m_grid->setTextMatrix(row, WordColumn, FieldText(entry.word));
    }
}

// The editing box gets `text` with the caret after its last non-space character.
void VocabularyEditorPanel::loadBox(const QString& text)
{
    m_wordBox->setText(text);
    m_wordBox->setCursorPosition(int(FieldText(text).size()));
}

// Makes `row` current without highlighting it and loads its cell into the editing box.
void VocabularyEditorPanel::moveTo(int row)
{
    m_grid->selectionModel()->setCurrentIndex(m_grid->model()->index(row, WordColumn), QItemSelectionModel::NoUpdate);
    m_grid->clearSelection();
    loadBox(m_grid->textMatrix(row, WordColumn));
}

void VocabularyEditorPanel::rowClicked(int row)
{
    if (m_list < VocabularyTable::FirstUsedList || row < 1 || row > rowCount())
        return;
    lighterReset();
    if (m_swapPending) {
        VocabularyEntries entries = ListEntries(m_state.Vocabulary, m_list, rowCount());
        SwapEntries(entries, m_swapFirstRow, row);
        StoreListEntries(m_state.Vocabulary, m_list, entries);
        showEntries(1, rowCount());
        showCount();
        m_swapPending = false;
        listsChanged();
        m_grid->setCurrentCell(row, WordColumn);
        m_wordBox->setCursorPosition(int(FieldText(m_wordBox->text()).size()));
        return;
    }
    moveTo(row);
}

void VocabularyEditorPanel::enterPressed()
{
    const int row = currentRow();
    if (row < 1)
        return;
    m_grid->clearSelection();
    const WordEntryCheck check = CheckWordEntry(m_wordBox->text());
    if (!check.accepted) {
        m_state.dialogs.inform(SettingsText::ConfirmTitle, SettingsText::WordTooLong);
        m_wordBox->setText(check.cutText);
        return;
    }
    const int count = rowCount();
    VocabularyEntries entries = ListEntries(m_state.Vocabulary, m_list, count);
    StoreWord(entries, row, check.word);
    StoreListEntries(m_state.Vocabulary, m_list, entries);
    showEntries(1, count);
    moveTo(row == count ? 1 : row + 1);
    listsChanged();
}

// Up and Down: the previous or next row, round from either end. Typed text is dropped.
void VocabularyEditorPanel::stepRow(int step)
{
    const int count = rowCount();
    const int row = currentRow();
    if (count < 1 || row < 1)
        return;
    int next = row + step;
    if (next < 1)
        next = count;
    else if (next > count)
        next = 1;
    moveTo(next);
}

bool VocabularyEditorPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_wordBox && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            stepRow(key == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

template <class Preview>
void VocabularyEditorPanel::previewAndApply(Preview preview)
{
    const int row = currentRow();
    if (row < 1)
        return;
    // A pending swap counts rows of the list as it was; a change of the rows ends it.
    m_swapPending = false;
    showCount();
    lighterReset();
    m_grid->setCurrentCell(row, WordColumn);
    const int count = rowCount();
    const VocabularyEntries working = preview(ListEntries(m_state.Vocabulary, m_list, count), row);
    for (int r = 1; r <= count; ++r) {
        m_grid->setTextMatrix(r, IdColumn, FieldText(working[size_t(r - 1)].id));
        m_grid->setTextMatrix(r, WordColumn, FieldText(working[size_t(r - 1)].word));
    }
    if (m_state.dialogs.askDefaultNo(SettingsText::ConfirmTitle, SettingsText::ConfirmChange) == Dialogs::Answer::Yes) {
        StoreListEntries(m_state.Vocabulary, m_list, working);
        listsChanged();
    }
    drawList(row);
}

void VocabularyEditorPanel::insertRow()
{
    // The list keeps its count, so an insert pushes the last entry out: never a word.
    if (currentRow() >= 1 && InsertDropsAWord(ListEntries(m_state.Vocabulary, m_list, rowCount()))) {
        lighterReset();
        m_state.dialogs.inform(SettingsText::ConfirmTitle, InsertWouldDropWordMessage());
        return;
    }
    previewAndApply(&InsertPreview);
}

void VocabularyEditorPanel::deleteRow()
{
    previewAndApply(&DeletePreview);
}

void VocabularyEditorPanel::clearBelow()
{
    previewAndApply(&ClearBelowPreview);
}

void VocabularyEditorPanel::startSwap()
{
    const int row = currentRow();
    if (row < 1)
        return;
    lighterReset();
    m_grid->setCurrentCell(row, WordColumn);
    const QString word = m_grid->textMatrix(row, WordColumn);
    if (m_state.dialogs.ask(SettingsText::ConfirmTitle, SwapQuestion(word)) == Dialogs::Answer::Yes) {
        m_swapPending = true;
        m_swapFirstRow = row;
        m_count->setText(SettingsText::SwapPendingCount);
    } else {
        m_swapPending = false;
        showCount();
    }
}

// A change of the lists in memory, confirmed on this panel.
void VocabularyEditorPanel::listsChanged()
{
    m_state.EditPending = true;
    m_unregistered = true;
}

// "登　録": the lists and their counts become the files every client reads.
bool VocabularyEditorPanel::registerChanges()
{
    if (RefuseWhenViewOnly(m_state))
        return false;
    IoResult stored;
    {
        BusyCursor busy;
        stored = StoreVocabularyLists(m_state);
    }
    if (!stored) {
        m_state.dialogs.inform(SettingsText::ErrorTitle, ListsNotRegisteredMessage(stored));
        return false;
    }
    m_state.EditPending = false;
    m_unregistered = false;
    m_state.dialogs.inform(SettingsText::ConfirmTitle, ListsRegisteredMessage());
    return true;
}

void VocabularyEditorPanel::discardChanges()
{
    m_swapPending = false;
    {
        BusyCursor busy;
        ReadVocabularyLists(m_state);
    }
    m_unregistered = false;
    if (isVisible() && m_list >= VocabularyTable::FirstUsedList)
        drawList(currentRow());
}
