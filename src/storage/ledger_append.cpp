#include "storage/ledger_append.h"

#include "storage/app_state.h"
#include "storage/change_log.h"
#include "storage/dialogs.h"
#include "storage/item_record.h"
#include "storage/ledger_file.h"
#include "storage/ledger_lock.h"
#include "storage/paths.h"
#include "storage/platform_file.h"

#include <cerrno>
#include <vector>

namespace {

// The log lines of the records just written: each record with its fields, or one count.
void noteAppended(ChangeLog& log, bool perRecord, const std::vector<char>& bytes, int first, int count)
{
    if (!perRecord) {
        log.addSummary({QStringLiteral("件数: %1").arg(count),
                        QStringLiteral("No: %1-%2").arg(first).arg(first + count - 1)});
        return;
    }
    ItemRecord record;
    for (int k = 0; k < count; ++k) {
        record.assignBytes(bytes.data() + size_t(k) * ItemRecord::Length);
        log.addNewRecord(first + k, record);
    }
}

AppendResult appendUnderLock(AppState& state, int count,
                             const std::function<void(int recordNo, ItemRecord& record)>& fill, ChangeLog& log,
                             bool perRecord)
{
    AppendResult result;
    LedgerLock lock(state);
    if (IoResult taken = lock.take(); !taken) {
        result.status = taken.errorCode == EBUSY ? AppendResult::Status::Busy : AppendResult::Status::Failed;
        result.io = taken;
        return result;
    }

    QFile file(LedgerPath(state));
    errno = 0;
    if (!file.open(QIODevice::ReadWrite)) {
        result.io = IoResult::failure(file.fileName(), errno ? errno : EACCES, file.errorString());
        return result;
    }
    const qint64 existing = RecordCountForLength(file.size());
    if (existing + count > AppState::MaxRecords) {
        result.status = AppendResult::Status::LedgerFull;
        state.RecordCount = static_cast<int>(std::min<qint64>(existing, AppState::MaxRecords));
        return result;
    }

    const int first = static_cast<int>(existing) + 1;
    std::vector<char> bytes;
    bytes.reserve(static_cast<size_t>(count) * ItemRecord::Length);
    ItemRecord record;
    for (int k = 0; k < count; ++k) {
        record.clear();
        fill(first + k, record);
        record.setRecordEnd();
        bytes.insert(bytes.end(), record.data(), record.data() + ItemRecord::Length);
    }
    const qint64 size = static_cast<qint64>(bytes.size());
    errno = 0;
    // A damaged tail shorter than half a record is overwritten; a longer one counts as a record.
    if (!file.seek((first - 1) * static_cast<qint64>(ItemRecord::Length))
        || file.write(bytes.data(), size) != size || !SyncFileToDisk(file)) {
        result.io = IoResult::failure(file.fileName(), errno ? errno : EIO, file.errorString());
        // Take back a partly written block so that no half record stays at the end.
        file.resize((first - 1) * static_cast<qint64>(ItemRecord::Length));
        return result;
    }
    file.close();
    state.RecordCount = first + count - 1;
    result.status = AppendResult::Status::Stored;
    result.firstRecordNo = first;
    noteAppended(log, perRecord, bytes, first, count);
    result.logWritten = log.write();
    return result;
}

} // namespace

AppendResult AppendRecords(AppState& state, int count,
                           const std::function<void(int recordNo, ItemRecord& record)>& fill, ChangeLog* log)
{
    ChangeLog counted(state, ChangeOperation::Appended);
    const AppendResult result = appendUnderLock(state, count, fill, log ? *log : counted, log != nullptr);
    // Told once the lock is released, so that other clients are not kept waiting.
    if (result.stored())
        ReportChangeLogResult(state, result.logWritten);
    return result;
}

AppendResult StoreNewItem(AppState& state, ChangeLog* log)
{
    const ItemRecord item = state.CurrentRecord;
    ChangeLog appended(state, ChangeOperation::Appended);
    AppendResult result = AppendRecords(state, 1, [&](int, ItemRecord& record) { record = item; },
                                        log ? log : &appended);
    if (result.status == AppendResult::Status::LedgerFull)
        state.dialogs.inform(QStringLiteral("データ容量確認"), CapacityMessage());
    if (result.stored())
        state.CurrentRecordNo = result.firstRecordNo;
    return result;
}
