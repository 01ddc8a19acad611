#include "storage/ledger_append.h"

#include "storage/app_state.h"
#include "storage/change_log.h"
#include "storage/dialogs.h"
#include "storage/file_error.h"
#include "storage/item_record.h"
#include "storage/ledger_damage.h"
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

    QFile file;
    if (const IoResult opened = OpenFileNoFollow(file, LedgerPath(state), QIODevice::ReadWrite, true); !opened) {
        result.io = opened;
        return result;
    }
    const qint64 size = file.size();
    const qint64 existing = size / ItemRecord::Length;
    if (existing + count > AppState::MaxRecords) {
        result.status = AppendResult::Status::LedgerFull;
        state.RecordCount = static_cast<int>(std::min<qint64>(existing, AppState::MaxRecords));
        return result;
    }
    // A ledger whose length is not a whole number of records, or whose last record is cut, is
    // not written on: a record appended after it would land out of step with every reader.
    if (const IoResult sound = CheckLedgerEnd(file); !sound) {
        result.io = sound;
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
    if (const IoResult written = WriteBytesAt(file, size, bytes.data(), qint64(bytes.size())); !written) {
        result.io = written;
        // All or nothing: whatever part of the block reached the file is cut off again, so that
        // no half record stays at the end. A cut that fails leaves a tail the writers refuse.
        result.partLeft = !TruncateFileTo(file, size) || file.size() != size;
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

QString LedgerWriteFailureMessage(const IoResult& io, bool partLeft)
{
    if (io.errorCode == EBADMSG)
        return LedgerDamageMessage(io);
    QString text = QStringLiteral("台帳ファイルに書き込めませんでした。") + u'\r';
    if (io.errorCode != 0)
        text += DescribeFileError(ClassifyFileError(io.errorCode, io.path)) + u'\r';
    text += io.path + u'\r' + QStringLiteral("登録されていません。");
    if (partLeft)
        text += u'\r' + QStringLiteral("書きかけの部分を取り除けませんでした。台帳を確認し、必要なら修復してください。");
    return text;
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
