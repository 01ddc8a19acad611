#include "ledger/ledger_commit.h"

#include "ledger/item_change_names.h"
#include "storage/app_state.h"
#include "storage/file_error.h"
#include "storage/item_number_file.h"
#include "storage/item_record.h"
#include "storage/ledger_file.h"
#include "storage/ledger_lock.h"
#include "storage/paths.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <vector>

namespace {

constexpr qsizetype RecordLength = ItemRecord::Length;
// The lock that appending items takes: no item is appended while the ledger is replaced.
constexpr int ProgressStep = 4096;

// A whole record file in memory, a damaged tail padded with spaces to a full record.
struct RecordFile {
    QByteArray bytes;
    int count = 0;
    const char* record(int n) const { return bytes.constData() + (n - 1) * RecordLength; }
};

IoResult readRecordFile(const QString& path, RecordFile& into, int maxRecords)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return IoResult::failure(path, errno ? errno : ENOENT, file.errorString());
    into.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return IoResult::failure(path, errno ? errno : EIO, file.errorString());
    into.count = int(std::min<qint64>(RecordCountForLength(into.bytes.size()), maxRecords));
    if (into.bytes.size() < into.count * RecordLength)
        into.bytes.append(QByteArray(into.count * RecordLength - into.bytes.size(), ' '));
    return IoResult::success();
}

CommitResult cancelled(QSaveFile& out)
{
    out.cancelWriting();
    CommitResult result;
    result.io = IoResult::failure(out.fileName(), ECANCELED, QStringLiteral("cancelled"));
    return result;
}

// Writes `records` as the new ledger through a temporary file and one rename, then removes the
// rewrite file and rebuilds the item number table from the new ledger.
CommitResult replaceLedger(AppState& state, const std::vector<const char*>& records, const CommitProgress& progress)
{
    CommitResult result;
    const int total = int(records.size());
    QSaveFile out(LedgerPath(state));
    out.setDirectWriteFallback(false);
    errno = 0;
    if (!out.open(QIODevice::WriteOnly)) {
        result.io = IoResult::failure(out.fileName(), errno ? errno : EACCES, out.errorString());
        return result;
    }
    if (progress && !progress(CommitStage::Started, 0, total))
        return cancelled(out);
    QByteArray block;
    block.reserve(ProgressStep * RecordLength);
    for (int k = 0; k < total; ++k) {
        block.append(records[size_t(k)], RecordLength - 2);
        block.append("\r\n", 2);
        if ((k + 1) % ProgressStep == 0 || k + 1 == total) {
            if (out.write(block) != block.size()) {
                result.io = IoResult::failure(out.fileName(), errno ? errno : EIO, out.errorString());
                out.cancelWriting();
                return result;
            }
            block.clear();
            if (progress && !progress(CommitStage::Writing, k + 1, total))
                return cancelled(out);
        }
    }
    if (progress && !progress(CommitStage::Written, total, total))
        return cancelled(out);
    // commit() syncs the temporary file to the disk before it renames it over the ledger.
    errno = 0;
    if (!out.commit()) {
        result.io = IoResult::failure(LedgerPath(state), errno ? errno : EIO, out.errorString());
        return result;
    }
    if (progress)
        progress(CommitStage::Replaced, total, total);

    DeleteRewriteFile(state);
    {
        LedgerCloser closer(state);
        OpenLedger(state);
    }
    RebuildItemNumberTable(state);
    WriteItemNumberFile(state);
    result.recordCount = state.RecordCount;
    return result;
}

void appendNewerRecords(const RecordFile& ledger, int snapshotCount, std::vector<const char*>& records)
{
    for (int n = snapshotCount + 1; n <= ledger.count; ++n)
        records.push_back(ledger.record(n));
}

bool hasName(const char* record)
{
    ItemRecord item;
    item.assignBytes(record);
    return !item.text(ItemField::Name).isEmpty();
}

} // namespace

namespace {

// Lines about the whole operation.
QString countFact(int count)
{
    return QStringLiteral("件数: %1").arg(count);
}

// The commits below run under the ledger lock and append their log lines before they return;
// the public functions report a failed log write once the lock has been released.
CommitResult keptRecordsLocked(AppState& state, const QList<int>& recordNos, int snapshotCount,
                               const CommitProgress& progress)
{
    CommitResult result;
    LedgerLock lock(state);
    if (!(result.io = lock.take()))
        return result;
    RecordFile ledger;
    if (!(result.io = readRecordFile(LedgerPath(state), ledger, AppState::MaxRecords)))
        return result;
    if (ledger.count < snapshotCount) {
        result.io = IoResult::failure(LedgerPath(state), ESTALE,
                                      QStringLiteral("the ledger has been changed by another client"));
        return result;
    }
    std::vector<const char*> records;
    records.reserve(size_t(recordNos.size()) + size_t(ledger.count - snapshotCount));
    for (const int n : recordNos) {
        if (n < 1 || n > snapshotCount) {
            result.io = IoResult::failure(LedgerPath(state), EINVAL, QStringLiteral("record %1 does not exist").arg(n));
            return result;
        }
        records.push_back(ledger.record(n));
    }
    appendNewerRecords(ledger, snapshotCount, records);
    result = replaceLedger(state, records, progress);
    if (!result.ok())
        return result;

    std::vector<bool> kept(size_t(snapshotCount) + 1, false);
    for (const int n : recordNos)
        kept[size_t(n)] = true;
    ChangeLog log(state, ChangeOperation::Delete);
    log.addSummary({QStringLiteral("削除: %1").arg(snapshotCount - int(recordNos.size())),
                    countFact(result.recordCount)});
    ItemRecord gone;
    for (int n = 1; n <= snapshotCount; ++n) {
        if (kept[size_t(n)])
            continue;
        gone.assignBytes(ledger.record(n));
        log.addLine(n, gone.text(ItemField::Number), {gone.text(ItemField::Name)});
    }
    result.logWritten = log.write();
    return result;
}

CommitResult rewriteFileLocked(AppState& state, int snapshotCount, const CommitProgress& progress)
{
    CommitResult result;
    LedgerLock lock(state);
    if (!(result.io = lock.take()))
        return result;
    RecordFile sorted;
    if (!(result.io = readRecordFile(RewritePath(state), sorted, AppState::MaxRecords)))
        return result;
    RecordFile ledger;
    if (!(result.io = readRecordFile(LedgerPath(state), ledger, AppState::MaxRecords)))
        return result;
    std::vector<const char*> records;
    records.reserve(size_t(sorted.count) + size_t(std::max(0, ledger.count - snapshotCount)));
    for (int n = 1; n <= sorted.count; ++n)
        if (hasName(sorted.record(n)))
            records.push_back(sorted.record(n));
    appendNewerRecords(ledger, snapshotCount, records);
    if (int(records.size()) > AppState::MaxRecords) {
        result.io = IoResult::failure(LedgerPath(state), EFBIG, QStringLiteral("the ledger would exceed its capacity"));
        return result;
    }
    result = replaceLedger(state, records, progress);
    if (!result.ok())
        return result;
    ChangeLog log(state, ChangeOperation::Sort);
    log.addSummary({countFact(result.recordCount)});
    result.logWritten = log.write();
    return result;
}

// One line per item that the edit changed, added or removed. Items are matched by item number
// (records of the same number in their order), so an import that moves items to other record
// numbers logs what changed in them, not every record whose place changed. Added and removed
// items get a line without their fields.
void noteEditedRecords(ChangeLog& log, const RecordFile& before, const std::vector<ItemRecord>& after)
{
    auto numberBytes = [](const char* record) {
        return QByteArray(record + ItemRecord::textOffset(ItemField::Number), ItemRecord::TextWidth);
    };
    QHash<QByteArray, std::deque<int>> oldRecords;
    oldRecords.reserve(before.count);
    for (int n = 1; n <= before.count; ++n)
        oldRecords[numberBytes(before.record(n))].push_back(n);

    ItemRecord old;
    for (int n = 1; n <= int(after.size()); ++n) {
        const ItemRecord& now = after[size_t(n - 1)];
        const auto found = oldRecords.find(numberBytes(now.data()));
        if (found == oldRecords.end() || found->empty()) {
            log.addLine(n, now.text(ItemField::Number), {ChangeOperation::Appended});
            continue;
        }
        const int was = found->front();
        found->pop_front();
        if (std::memcmp(before.record(was), now.data(), RecordLength) == 0)
            continue;
        old.assignBytes(before.record(was));
        log.addChange(n, old, now);
    }
    std::vector<int> removed;
    for (const std::deque<int>& left : std::as_const(oldRecords))
        removed.insert(removed.end(), left.begin(), left.end());
    std::sort(removed.begin(), removed.end());
    for (const int n : removed) {
        old.assignBytes(before.record(n));
        log.addLine(n, old.text(ItemField::Number), {ChangeOperation::Delete});
    }
}

CommitResult ledgerEditLocked(AppState& state, const LedgerEdit& edit, const CommitProgress& progress,
                              const LedgerEditLog& logAs)
{
    CommitResult result;
    LedgerLock lock(state);
    if (!(result.io = lock.take()))
        return result;
    RecordFile ledger;
    // A data folder without a ledger yet starts from an empty one.
    if (QFile::exists(LedgerPath(state)) && !(result.io = readRecordFile(LedgerPath(state), ledger, AppState::MaxRecords)))
        return result;
    std::vector<ItemRecord> records(size_t(ledger.count));
    for (int n = 1; n <= ledger.count; ++n)
        records[size_t(n - 1)].assignBytes(ledger.record(n));
    // The old records stay only where the log compares them record by record.
    const int countBefore = ledger.count;
    if (!logAs.perRecord)
        ledger.bytes = QByteArray();
    if (!edit(records)) {
        result.io = IoResult::failure(LedgerPath(state), ECANCELED, QStringLiteral("cancelled"));
        return result;
    }
    if (int(records.size()) > AppState::MaxRecords) {
        result.io = IoResult::failure(LedgerPath(state), EFBIG, QStringLiteral("the ledger would exceed its capacity"));
        return result;
    }
    std::vector<const char*> pointers;
    pointers.reserve(records.size());
    for (const ItemRecord& record : records)
        pointers.push_back(record.data());
    result = replaceLedger(state, pointers, progress);
    if (!result.ok())
        return result;

    ChangeLog log = ItemChangeLog(state, logAs.operation);
    log.addSummary({countBefore == result.recordCount
                        ? countFact(result.recordCount)
                        : QStringLiteral("件数: %1 → %2").arg(countBefore).arg(result.recordCount)});
    if (logAs.perRecord)
        noteEditedRecords(log, ledger, records);
    result.logWritten = log.write();
    return result;
}

CommitResult reported(AppState& state, CommitResult result)
{
    if (result.ok())
        ReportChangeLogResult(state, result.logWritten);
    return result;
}

} // namespace

CommitResult CommitKeptRecords(AppState& state, const QList<int>& recordNos, int snapshotCount,
                               const CommitProgress& progress)
{
    return reported(state, keptRecordsLocked(state, recordNos, snapshotCount, progress));
}

CommitResult CommitRewriteFile(AppState& state, int snapshotCount, const CommitProgress& progress)
{
    return reported(state, rewriteFileLocked(state, snapshotCount, progress));
}

CommitResult CommitLedgerEdit(AppState& state, const LedgerEdit& edit, const CommitProgress& progress,
                              const LedgerEditLog& log)
{
    return reported(state, ledgerEditLocked(state, edit, progress, log));
}

int CountAfterRewriteCommit(AppState& state, int snapshotCount)
{
    RecordFile sorted;
    readRecordFile(RewritePath(state), sorted, AppState::MaxRecords);
    int named = 0;
    for (int n = 1; n <= sorted.count; ++n)
        named += hasName(sorted.record(n)) ? 1 : 0;
    return CountAfterKeptCommit(state, named, snapshotCount);
}

int CountAfterKeptCommit(AppState& state, int keptCount, int snapshotCount)
{
    const qint64 length = QFile(LedgerPath(state)).size();
    const int count = int(std::min<qint64>(RecordCountForLength(length), AppState::MaxRecords));
    return keptCount + std::max(0, count - snapshotCount);
}

QString CommitFailureMessage(const IoResult& io)
{
    QString reason;
    if (io.errorCode == ESTALE)
        reason = QStringLiteral("他の端末で台帳が変更されました。開き直してください。");
    else if (io.errorCode == EBUSY)
        reason = QStringLiteral("他の端末が台帳を使用中です。");
    else if (io.errorCode == ECANCELED)
        reason = QStringLiteral("登録を中止しました。");
    else if (io.errorCode == EFBIG)
        reason = QStringLiteral("台帳の許容量を超えます。");
    else
        reason = DescribeFileError(ClassifyFileError(io.errorCode, io.path));
    return QStringLiteral("　台帳の登録ができませんでした。") + u'\r' + QStringLiteral("　台帳は元のままです。") + u'\r'
        + QStringLiteral("　") + reason + u'\r' + QStringLiteral("　") + io.path;
}
