#include "ledger/edit_session.h"

#include "ledger/ledger_view_state.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/ledger_file.h"
#include "storage/settings_files.h"
#include "storage/shared_checks.h"
#include "storage/vocabulary.h"

namespace {

const QString Title = QStringLiteral("登録確認");

bool isTextColumn(int column)
{
    return column == ItemColumn::Name || column == ItemColumn::Shiyo || column == ItemColumn::Maker
        || column == ItemColumn::Place || column == ItemColumn::Unit;
}

// Text columns 0, 1, 2, 3 and 6 are entry targets 17..21 and vocabulary lists 2..6.
int textIndex(int column)
{
    return column == ItemColumn::Unit ? 4 : column;
}
int columnOfTextTarget(int target)
{
    const int index = target - EntryTargetCode::FirstText;
    return index == 4 ? int(ItemColumn::Unit) : index;
}

void emptyMonthData(ItemRecord& item)
{
    for (int col = QtyColumn::FirstMonth; col <= QtyColumn::Rate; ++col) {
        item.setQty(QtyRow::Received, col, QString());
        item.setQty(QtyRow::Issued, col, QString());
    }
}

void emptyMonthCells(FrameCells& cells)
{
    for (int col = QtyColumn::FirstMonth; col <= QtyColumn::Rate; ++col) {
        cells.month[QtyRow::Received][col].clear();
        cells.month[QtyRow::Issued][col].clear();
    }
}

} // namespace

EditSession::EditSession(AppState& state, LedgerViewState& view) : m_state(state), m_view(view)
{
    m_cells = EmptyCells();
}

EntryPlace EditSession::entryPlace() const
{
    return {m_state.CurrentRecordNo, m_itemSerial, m_caption, m_view.EntryTarget, m_entryColumn, m_monthRow, m_monthColumn};
}

int EditSession::mode() const
{
    return m_view.LedgerMode;
}

bool EditSession::decimals() const
{
    return ReadFlag(m_state.SharedSettings[SharedLine::Decimals]);
}

void EditSession::setMode(int mode, const QString& caption)
{
    m_view.LedgerMode = mode;
    m_caption = caption;
}

void EditSession::showItem(const ItemRecord& item)
{
    ++m_itemSerial;
    m_item = item;
    m_cells = FilledCells(m_item, decimals());
    publish();
}

// The rest of the program reads the item being edited from CurrentRecord.
void EditSession::publish()
{
    m_state.CurrentRecord = m_item;
}

EditSession::LedgerStamp EditSession::currentStamp() const
{
    return {IdentityOfFile(LedgerPath(m_state)), SharedSettingsLineInFile(m_state, SharedLine::StartMonth)};
}

void EditSession::rememberLoaded(const ItemRecord& record, std::optional<LedgerStamp> stampBeforeRead)
{
    m_loaded = record;
    m_loadedStamp = stampBeforeRead ? std::move(stampBeforeRead) : currentStamp();
}

void EditSession::startNew()
{
    setMode(0, ModeCaption::New);
    ++m_itemSerial;
    m_state.CurrentRecordNo = m_state.RecordCount + 1;
    m_item.clear();
    m_loaded.reset();
    m_cells = EmptyCells();
    m_acceptedDuplicate.clear();
    publish();
}

void EditSession::startCorrect(int recordNo)
{
    bool read = false;
    const LedgerStamp stamp = currentStamp();
    if (recordNo > 0) {
        LedgerCloser closer(m_state);
        read = OpenLedger(m_state) && ReadRecord(m_state, recordNo);
    }
    if (!read) {
        startNew();
        return;
    }
    m_state.CurrentRecordNo = recordNo;
    takeLoadedRecord();
    m_loadedStamp = stamp;
}

void EditSession::takeLoadedRecord()
{
    setMode(1, ModeCaption::Correct);
    rememberLoaded(m_state.CurrentRecord);
    m_acceptedDuplicate.clear();
    showItem(m_state.CurrentRecord);
}

bool EditSession::copy()
{
    if (m_caption != ModeCaption::Correct) {
        m_state.dialogs.inform(Title, QStringLiteral("新規画面では複写機能は実行できません。　"));
        return false;
    }
    m_caption = ModeCaption::Copy;
    if (m_state.dialogs.ask(Title, QStringLiteral("当データーを新規に複写します。") + u'\r'
                                       + QStringLiteral("　入出庫数量を削除します。　"))
        != Dialogs::Answer::Yes)
        return false;
    setMode(2, ModeCaption::Copy);
    m_state.CurrentRecordNo = m_state.RecordCount + 1;
    m_loaded.reset();
    emptyMonthData(m_item);
    for (int field : {6, 9, 10, 11, 13, 14})
        m_item.setText(field, QString());
    showItem(m_item);
    return true;
}

void EditSession::clearInOut()
{
    ++m_itemSerial;
    emptyMonthData(m_item);
    emptyMonthCells(m_cells);
    for (int col : {int(ItemColumn::StockValue), int(ItemColumn::ProperStock), int(ItemColumn::Stock),
                    int(ItemColumn::StartOfUse)})
        m_cells.item[col].clear();
    m_cells.stockColour = EmptyCells().stockColour;
    for (int field : {6, 9, 10, 11, 13, 14})
        m_item.setText(field, QString());
    m_state.EditPending = true;
    publish();
}

void EditSession::clearAll()
{
    ++m_itemSerial;
    for (QString& cell : m_cells.item)
        cell.clear();
    for (int field = 0; field <= 11; ++field)
        m_item.setText(field, QString());
    m_item.setText(14, QString());
    m_cells.stockColour = EmptyCells().stockColour;
    emptyMonthData(m_item);
    emptyMonthCells(m_cells);
    m_cells.itemNumber.clear();
    m_state.EditPending = true;
    publish();
}

CellAction EditSession::selectItemCell(int column)
{
    m_entryColumn = column;
    const int field = FieldOfItemColumn(column);
    if (isTextColumn(column)) {
        m_cells.item[column] = m_item.text(field);
        m_entryText = m_cells.item[column];
        m_view.EntryTarget = EntryTargetCode::FirstText + textIndex(column);
        m_view.VocabularyListNumber = VocabularyTable::FirstUsedList + textIndex(column);
        return CellAction::TextEntry;
    }
    switch (column) {
    case ItemColumn::UnitPrice:
    case ItemColumn::PreviousStock:
    case ItemColumn::ProperStock:
        m_cells.item[column] = m_item.text(field);
        m_view.EntryTarget = EntryTargetCode::ItemRow;
        return CellAction::EntryPad;
    case ItemColumn::Stock:
        m_state.dialogs.inform(
            Title, joinLines({QStringLiteral("自動計算枠です,変更は前年在庫を修正することで実施してください。　"),
                              QStringLiteral("※計算　在庫数量＝前年在庫＋入庫計－出庫計　　"), QStringLiteral("セル色　"),
                              QStringLiteral("　①適正在庫 > 在庫数 ※在庫数が適正数量未満になった場合に薄青着色　"),
                              QStringLiteral("　②在庫数　ゼロの場合に薄ピンう着色")}));
        m_cells.item[column] = m_item.text(field);
        return CellAction::None;
    case ItemColumn::StartOfUse:
        m_cells.item[column] = m_item.text(field);
        return CellAction::YearMonthChooser;
    default:
        return CellAction::None;
    }
}

bool EditSession::selectMonthCell(int row, int column)
{
    m_monthColumn = column;
    m_monthRow = row;
    const bool dataRow = row == QtyRow::Received || row == QtyRow::Issued;
    if (dataRow && column >= QtyColumn::FirstMonth && column <= QtyColumn::LastMonth) {
        m_view.EntryTarget = row == QtyRow::Received ? EntryTargetCode::Received : EntryTargetCode::Issued;
        return true;
    }
    if (dataRow && column == QtyColumn::Planned) {
        m_view.EntryTarget = row == QtyRow::Received ? EntryTargetCode::PlannedReceived : EntryTargetCode::PlannedIssued;
        return true;
    }
    m_state.dialogs.inform(Title, QStringLiteral("  入力枠ではありません。　"));
    return false;
}

void EditSession::selectItemNumber()
{
    m_entryText = m_item.text(ItemField::Number);
    m_cells.itemNumber = m_entryText;
    m_view.EntryTarget = EntryTargetCode::ItemNumber;
}

// The field's own text, never the formatted cell: a month cell showing "1,200" starts the pad
// at "1200", so that confirming it unchanged keeps the number.
QString EditSession::padStartValue() const
{
    switch (m_view.EntryTarget) {
    case EntryTargetCode::ItemNumber:
        return m_item.text(ItemField::Number);
    case EntryTargetCode::ItemRow:
        return m_item.text(FieldOfItemColumn(m_entryColumn));
    case EntryTargetCode::Received:
    case EntryTargetCode::Issued:
        return m_item.qty(m_monthRow, m_monthColumn);
    case EntryTargetCode::PlannedReceived:
    case EntryTargetCode::PlannedIssued:
        return m_item.qty(m_monthRow, QtyColumn::Planned);
    default:
        return QString();
    }
}

int EditSession::enterText(const QString& text)
{
    if (!isTextColumn(m_entryColumn))
        return -1;
    const int field = FieldOfItemColumn(m_entryColumn);
    m_item.setText(field, text);
    // Kept trimmed, so that "追記" offers the word itself and not its padded field.
    m_entryText = m_item.text(field);
    m_state.EditPending = true;
    m_cells.item[m_entryColumn] = m_entryText;
    const int next = (m_entryColumn == ItemColumn::Place || m_entryColumn == ItemColumn::Unit) ? 0 : m_entryColumn + 1;
    // The list shown stays the one of the column typed into, so that "追記" offers the word to it.
    m_entryColumn = next;
    publish();
    return next;
}

bool EditSession::pickWord(int wordNumber)
{
    const int target = m_view.EntryTarget;
    if (target < EntryTargetCode::FirstText || target > EntryTargetCode::LastText)
        return false;
    const QString word = FieldText(m_state.Vocabulary.entry(m_view.VocabularyListNumber, wordNumber).word);
    if (word.isEmpty()) {
        // The field keeps its text: an empty pick never blanks what the cell still shows.
        m_state.dialogs.inform(QStringLiteral("在庫品台帳確認"), target == EntryTargetCode::FirstText + 1
                                                                     ? QStringLiteral("仕様が入力されていません。")
                                                                     : QStringLiteral("品名が入力されていません。"));
        return false;
    }
    const int column = columnOfTextTarget(target);
    m_item.setText(FieldOfItemColumn(column), word);
    m_state.EditPending = true;
    m_view.FilterConditionCount = 0;
    m_cells.item[column] = m_item.text(FieldOfItemColumn(column));
    m_entryText = word;
    publish();
    return true;
}

void EditSession::pickStartOfUse(const QString& yearMonth)
{
    m_item.setText(ItemField::StartOfUse, yearMonth);
    m_cells.item[ItemColumn::StartOfUse] = m_item.text(ItemField::StartOfUse);
    m_state.EditPending = true;
    publish();
}

void EditSession::addWordToList()
{
    const QString word = FieldText(m_entryText);
    if (word.isEmpty()) {
        m_state.dialogs.inform(Title, QStringLiteral("追記する語句がありません。"));
        return;
    }
    AddWordToList(m_state, m_view.VocabularyListNumber, word);
}

bool EditSession::reloadFromLedger()
{
    const LedgerStamp stamp = currentStamp();
    {
        LedgerCloser closer(m_state);
        if (!OpenLedger(m_state) || !ReadRecord(m_state, m_state.CurrentRecordNo))
            return false;
    }
    rememberLoaded(m_state.CurrentRecord, stamp);
    showItem(m_state.CurrentRecord);
    CheckStopAll(m_state);
    return true;
}
