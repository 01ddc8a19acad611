// The entry pad's commit into the item being edited (modes 101..106) and the recalculation
// each target calls for.
#include "ledger/column_captions.h"
#include "ledger/edit_session.h"
#include "ledger/ledger_colours.h"
#include "ledger/ledger_texts.h"
#include "ledger/ledger_view_state.h"
#include "ledger/number_entry.h"
#include "ledger/number_format.h"
#include "ledger/stock_computation.h"
#include "storage/app_state.h"
#include "storage/cp932_codec.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/item_number_file.h"

namespace {

const QString Title = QStringLiteral("登録確認");

QString tooWideMessage(int width)
{
    return QStringLiteral(" 入力できるのは半角") + QString::number(width) + QStringLiteral("文字（全角")
        + QString::number(width / 2) + QStringLiteral("文字）までです。") + u'\r'
        + QStringLiteral("入力以前の数値に戻します。　");
}

} // namespace

QString DuplicateNumberQuestion(int recordNo)
{
    return QStringLiteral(" ") + u' ' + QString::number(recordNo) + QStringLiteral(" 項目に同一在庫品Noがあります。")
        + u'\r' + QStringLiteral("入力在庫品NOをを修修正目に戻します。　");
}

bool EditSession::commitEntry(const QString& typed)
{
    QString value = FieldText(typed);
    const int target = m_view.EntryTarget;
    const bool quantity = target >= EntryTargetCode::Received && target <= EntryTargetCode::PlannedIssued;
    // Unit price, previous-year and proper stock and the quantities are numbers: text that is
    // none would be stored as typed and count as 0 in the stock and its value.
    if (quantity || target == EntryTargetCode::ItemRow) {
        const std::optional<QString> number = NumberEntryText(value);
        if (!number) {
            m_state.dialogs.inform(Title, NotANumberMessage(value));
            return false;
        }
        value = *number;
    }
    const int width = quantity ? ItemRecord::QtyWidth : ItemRecord::TextWidth;
    // A value longer than its field would be stored cut off: refused before anything changes.
    if (Cp932::encode(value).size() > width) {
        m_state.dialogs.inform(Title, tooWideMessage(width));
        return false;
    }
    const ItemRecord before = m_item;
    const FrameCells beforeCells = m_cells;
    const bool dec = decimals();

    switch (target) {
    case EntryTargetCode::ItemNumber:
        commitItemNumber(value);
        return recalculate(0, before, beforeCells);
    case EntryTargetCode::ItemRow: {
        const int field = FieldOfItemColumn(m_entryColumn);
        if (field != ItemField::UnitPrice && field != ItemField::PreviousStock && field != ItemField::ProperStock)
            return false;
        m_item.setText(field, value);
        const double number = m_item.textNumber(field);
        if (field == ItemField::UnitPrice) {
            m_cells.item[m_entryColumn] = FrameNumber(number, dec, NumberPattern::Integer, QStringLiteral("#,###,###.0"));
            RecalculateStockValue(m_item);
            ShowStockValue(m_cells, m_item, dec);
            m_state.EditPending = true;
            publish();
            return true;
        }
        m_cells.item[m_entryColumn] = field == ItemField::PreviousStock
            ? QuantityCell(number, dec)
            : FrameNumber(number, dec, QStringLiteral("####,###"), QStringLiteral("##,###.0"));
        return recalculate(0, before, beforeCells);
    }
    case EntryTargetCode::Received:
    case EntryTargetCode::Issued: {
        if (m_monthColumn < QtyColumn::FirstMonth || m_monthColumn > QtyColumn::LastMonth)
            return false;
        const int row = target == EntryTargetCode::Received ? QtyRow::Received : QtyRow::Issued;
        m_item.setQty(row, m_monthColumn, value);
        m_cells.month[row][m_monthColumn] = QuantityCell(m_item.qtyNumber(row, m_monthColumn), dec);
        return recalculate(m_monthColumn, before, beforeCells);
    }
    case EntryTargetCode::PlannedReceived:
    case EntryTargetCode::PlannedIssued: {
        const int row = target == EntryTargetCode::PlannedReceived ? QtyRow::Received : QtyRow::Issued;
        m_item.setQty(row, QtyColumn::Planned, value);
        m_cells.month[row][QtyColumn::Planned] = QuantityCell(m_item.qtyNumber(row, QtyColumn::Planned), dec);
        const StockOutcome outcome = RecalculateRates(m_item);
        if (!outcome.accepted()) {
            refuse(TooLongMessage(outcome.field), before, beforeCells, false);
            return false;
        }
        ShowRates(m_cells, m_item);
        m_state.EditPending = true;
        publish();
        return true;
    }
    default:
        return false;
    }
}

void EditSession::commitItemNumber(const QString& value)
{
    m_cells.itemNumber = value + u' ';
    const bool newItem = m_caption == ModeCaption::New || m_caption == ModeCaption::Copy;
    const bool found = newItem ? FindItemNumber(m_state, value) : FindOtherItemNumber(m_state, value);
    if (found
        && m_state.dialogs.ask(Title, DuplicateNumberQuestion(m_state.FoundRecordNo)) == Dialogs::Answer::Yes) {
        m_cells.itemNumber = m_item.text(ItemField::Number) + u' ';
        return;
    }
    if (found)
        m_acceptedDuplicate = value;
    m_item.setText(ItemField::Number, value);
}

bool EditSession::recalculate(int monthLimit, const ItemRecord& before, const FrameCells& beforeCells)
{
    const StockOutcome outcome = RecalculateStock(m_item, monthLimit);
    switch (outcome.status) {
    case StockOutcome::Status::Accepted:
        ShowRecalculation(m_cells, m_item, decimals());
        m_state.EditPending = true;
        publish();
        return true;
    case StockOutcome::Status::ShortUpToMonth:
    case StockOutcome::Status::ShortOverYear: {
        const QString prefix = outcome.status == StockOutcome::Status::ShortUpToMonth
            ? MonthHeadings(m_state.SharedSettings[SharedLine::StartMonth])[outcome.month - 1]
            : QString();
        m_cells.item[ItemColumn::Stock] = FormatNumber(outcome.shortStock, NumberPattern::Decimal);
        m_cells.stockColour = LedgerColour::ZeroStock;
        // A corrected item is read back as last stored; a new or copied one has no record yet and
        // returns to its state before this entry.
        refuse(ShortageMessage(prefix), before, beforeCells, mode() == 1);
        return false;
    }
    case StockOutcome::Status::TooLong:
        refuse(TooLongMessage(outcome.field), before, beforeCells, false);
        return false;
    }
    return false;
}

void EditSession::refuse(const QString& text, const ItemRecord& before, const FrameCells& beforeCells, bool reload)
{
    m_state.dialogs.inform(Title, text);
    if (reload && reloadFromLedger())
        return;
    m_item = before;
    m_cells = beforeCells;
    publish();
}
