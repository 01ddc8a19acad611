// "登　録": storing the item being edited. New and copied items are appended under the ledger
// lock (another client's new item is never overwritten); a corrected item overwrites its own
// record after checking that no other client has stored it since it was loaded.
#include "ledger/edit_session.h"
#include "ledger/item_change_names.h"
#include "ledger/ledger_backup.h"
#include "ledger/ledger_view_state.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/file_error.h"
#include "storage/item_number_file.h"
#include "storage/ledger_append.h"
#include "storage/ledger_damage.h"
#include "storage/ledger_file.h"
#include "storage/ledger_lock.h"
#include "storage/paths.h"
#include "storage/settings_lines.h"
#include "storage/shared_checks.h"

#include <cerrno>


namespace {

const QString Title = QStringLiteral("登録確認");

void informBusy(AppState& state)
{
    state.dialogs.inform(Title, QStringLiteral("他のクライアントが台帳を更新中です。") + u'\r'
                                    + QStringLiteral("しばらくしてからもう一度登録してください。"));
}

// The reason is given where the failing call said why (a full disk, a folder without permission,
// a damaged ledger). A damaged ledger is marked in the outcome.
void informWriteFailure(AppState& state, const IoResult& io, StoreOutcome& outcome, bool partLeft = false)
{
    state.dialogs.inform(Title, LedgerWriteFailureMessage(io, partLeft));
    outcome.ledgerDamaged = io.errorCode == EBADMSG;
}

void informLockFailure(AppState& state, const IoResult& io, StoreOutcome& outcome)
{
    if (io.errorCode == EBUSY)
        informBusy(state);
    else
        informWriteFailure(state, io, outcome);
}

} // namespace

StoreOutcome EditSession::store()
{
    StoreOutcome outcome;
    // A view-only client may look at data and output workbooks, but not register or correct.
    if (RefuseWhenViewOnly(m_state)) {
        outcome.status = StoreOutcome::Status::Refused;
        return outcome;
    }
    const QString number = m_item.text(ItemField::Number);
    if (number.isEmpty()) {
        m_state.dialogs.inform(Title, QStringLiteral("在庫品Noが入力されていません。") + u'\r'
                                          + QStringLiteral("在庫品Noを入力してから登録してください。"));
        outcome.status = StoreOutcome::Status::Refused;
        return outcome;
    }
    const bool newItem = mode() != 1;
    if (!duplicateAccepted(number, newItem)) {
        outcome.status = StoreOutcome::Status::Declined;
        return outcome;
    }
    return newItem ? storeNew() : storeCorrection();
}

// A number another record has is asked about, unless the user has accepted it already or a
// correction keeps the number the record had.
bool EditSession::duplicateAccepted(const QString& number, bool newItem)
{
    if (number == m_acceptedDuplicate)
        return true;
    if (!newItem && m_loaded && m_loaded->text(ItemField::Number) == number)
        return true;
    const bool found = newItem ? FindItemNumber(m_state, number) : FindOtherItemNumber(m_state, number);
    if (!found)
        return true;
    const QString question = QStringLiteral(" ") + u' ' + QString::number(m_state.FoundRecordNo)
        + QStringLiteral(" 項目に同一在庫品Noがあります。") + u'\r' + QStringLiteral("このまま登録しますか？　");
    if (m_state.dialogs.ask(Title, question) != Dialogs::Answer::Yes)
        return false;
    m_acceptedDuplicate = number;
    return true;
}

StoreOutcome EditSession::storeNew()
{
    StoreOutcome outcome;
    m_state.CurrentRecord = m_item;
    ChangeLog log = ItemChangeLog(m_state, mode() == 2 ? ChangeOperation::CopiedItem : ChangeOperation::NewItem);
    const AppendResult appended = StoreNewItem(m_state, &log);
    switch (appended.status) {
    case AppendResult::Status::Stored:
        break;
    case AppendResult::Status::LedgerFull:
        outcome.status = StoreOutcome::Status::Refused;
        return outcome;
    case AppendResult::Status::Busy:
        informBusy(m_state);
        return outcome;
    case AppendResult::Status::Failed:
        informWriteFailure(m_state, appended.io, outcome, appended.partLeft);
        return outcome;
    }
    m_item = m_state.CurrentRecord;
    rememberLoaded(m_item);
    // The frame stays on the stored item, now as a correction: a second "登　録" rewrites the
    // record instead of appending the item twice.
    setMode(1, ModeCaption::Correct);
    outcome.status = StoreOutcome::Status::Stored;
    outcome.recordNo = appended.firstRecordNo;
    outcome.appended = true;
    afterStore(outcome, 0);
    return outcome;
}

StoreOutcome EditSession::storeCorrection()
{
    StoreOutcome outcome;
    const int recordNo = m_state.CurrentRecordNo;
    std::optional<ItemRecord> expected = m_loaded;
    double oldValue = 0;
    std::optional<IoResult> logWritten;
    for (;;) {
        LedgerLock lock(m_state);
        if (const IoResult taken = lock.take(); !taken) {
            informLockFailure(m_state, taken, outcome);
            return outcome;
        }
        LedgerCloser closer(m_state);
        if (const IoResult opened = OpenLedger(m_state); !opened) {
            informWriteFailure(m_state, opened, outcome);
            return outcome;
        }
        // A damaged ledger is not written on; the record is written in place only where the
        // file is a whole number of sound records at its end and the record itself is sound.
        if (const IoResult sound = CheckLedgerEnd(*m_state.ledgerFile); !sound) {
            informWriteFailure(m_state, sound, outcome);
            return outcome;
        }
        if (recordNo < 1 || recordNo > m_state.RecordCount || !ReadRecord(m_state, recordNo)) {
            m_state.dialogs.inform(Title, QStringLiteral(" No ") + QString::number(recordNo)
                                              + QStringLiteral(" の在庫品が台帳にありません。") + u'\r'
                                              + QStringLiteral("一覧を開き直してから訂正してください。"));
            outcome.status = StoreOutcome::Status::Refused;
            return outcome;
        }
        const ItemRecord onDisk = m_state.CurrentRecord;
        if (const IoResult sound = CheckLedgerBytes(LedgerPath(m_state), onDisk.data(), ItemRecord::Length, recordNo);
            !sound) {
            informWriteFailure(m_state, sound, outcome);
            return outcome;
        }
        // A new ledger year since the item was read: what was entered belongs to the year before.
        const LedgerStamp now = currentStamp();
        if (m_loadedStamp && now.startMonth != m_loadedStamp->startMonth) {
            m_state.dialogs.inform(Title, QStringLiteral(" No ") + QString::number(recordNo)
                                              + QStringLiteral(" の在庫品を読み込んだ後に、他のクライアントで年度更新（")
                                              + m_loadedStamp->startMonth + QStringLiteral(" → ") + now.startMonth
                                              + QStringLiteral("）が行われました。") + u'\r'
                                              + QStringLiteral("入力した内容は前の年度のものなので登録しません。") + u'\r'
                                              + QStringLiteral("在庫品を開き直してから入力してください。"));
            publish();
            outcome.status = StoreOutcome::Status::Refused;
            return outcome;
        }
        // Another item at this number: a sort or a deletion on another client moved the one
        // loaded. Writing it here would destroy that other item, so nothing is asked or written.
        if (expected && onDisk.text(ItemField::Number) != expected->text(ItemField::Number)) {
            m_state.dialogs.inform(Title, QStringLiteral(" No ") + QString::number(recordNo)
                                              + QStringLiteral(" の在庫品は、読み込んだ後に他のクライアントの並べ替えか削除で移動しました。")
                                              + u'\r' + QStringLiteral("一覧を開き直してから訂正してください。"));
            publish();
            outcome.status = StoreOutcome::Status::Refused;
            return outcome;
        }
        // The whole ledger was rewritten (a sort, a deletion, an import, a rollover) and the item
        // with it: the frame's copy is older than that rewrite, and writing it back would undo it.
        const bool rewritten = m_loadedStamp && m_loadedStamp->ledger && now.ledger && *now.ledger != *m_loadedStamp->ledger;
        if (expected && !(onDisk == *expected) && rewritten) {
            m_state.dialogs.inform(Title, QStringLiteral(" No ") + QString::number(recordNo)
                                              + QStringLiteral(" の在庫品は、読み込んだ後に他のクライアントの一括処理（並べ替え・削除・インポート・年度更新）で書き換えられました。")
                                              + u'\r' + QStringLiteral("古い内容で上書きしないよう、登録しません。") + u'\r'
                                              + QStringLiteral("在庫品を開き直してから訂正してください。"));
            publish();
            outcome.status = StoreOutcome::Status::Refused;
            return outcome;
        }
        if (expected && !(onDisk == *expected)) {
            CloseLedger(m_state);
            lock.release();
            const QString question = QStringLiteral(" No ") + QString::number(recordNo)
                + QStringLiteral(" の在庫品は、読み込んだ後に他のクライアントで登録されています。") + u'\r'
                + QStringLiteral("その変更を上書きして登録しますか？　");
            if (m_state.dialogs.askDefaultNo(Title, question) != Dialogs::Answer::Yes) {
                publish();
                outcome.status = StoreOutcome::Status::Declined;
                return outcome;
            }
            expected = onDisk;
            continue;
        }
        oldValue = onDisk.textNumber(ItemField::StockValue);
        m_state.CurrentRecord = m_item;
        const IoResult written = WriteRecord(m_state, recordNo);
        if (!written) {
            // A write that stopped part-way (a full copy-on-write disk, a lost share) is undone
            // with the record as it was; where even that fails, the message says so.
            m_state.CurrentRecord = onDisk;
            const bool restored = bool(WriteRecord(m_state, recordNo));
            publish();
            informWriteFailure(m_state, written, outcome, !restored);
            return outcome;
        }
        // The change log's line, still under the lock; a store that changed nothing has none.
        if (!(onDisk == m_state.CurrentRecord)) {
            ChangeLog log = ItemChangeLog(m_state, ChangeOperation::Correction);
            log.addChange(recordNo, onDisk, m_state.CurrentRecord);
            logWritten = log.write();
        }
        break;
    }
    if (logWritten)
        ReportChangeLogResult(m_state, *logWritten);
    m_item = m_state.CurrentRecord;
    rememberLoaded(m_item);
    outcome.status = StoreOutcome::Status::Stored;
    outcome.recordNo = recordNo;
    afterStore(outcome, oldValue);
    return outcome;
}

// The item number table and the total stock value follow the store; a table that misses rows
// other clients appended meanwhile is rebuilt.
void EditSession::afterStore(StoreOutcome& outcome, double oldValue)
{
    m_state.EditPending = false;
    m_state.CurrentRecordNo = outcome.recordNo;
    m_cells = FilledCells(m_item, decimals());
    if (outcome.recordNo > m_state.ItemNumbers.rowCount() + 1) {
        RebuildItemNumberTable(m_state);
    } else {
        m_state.ItemNumbers.setRow(outcome.recordNo,
                                   ItemNumberRow{m_item.text(ItemField::Number), m_item.text(ItemField::Name),
                                                 m_item.text(ItemField::Shiyo), m_item.text(ItemField::Maker),
                                                 m_item.text(ItemField::StockValue)});
        m_state.TotalStockValue += m_item.textNumber(ItemField::StockValue) - oldValue;
    }
    publish();
    outcome.backedUp = CopyLedgerBackup(m_state);
}
