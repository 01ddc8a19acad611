#include "ledger/ledger_commit.h"

#include "ledger/item_change_names.h"
#include "ledger/sort_keys.h"
#include "storage/app_state.h"
#include "storage/field_text.h"
#include "storage/file_error.h"
#include "storage/item_number_file.h"
#include "storage/item_record.h"
#include "storage/ledger_damage.h"
#include "storage/ledger_file.h"
#include "storage/ledger_image.h"
#include "storage/ledger_lock.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace {

constexpr qsizetype RecordLength = ItemRecord::Length;
// A refusal names at most this many items; the rest are counted.
constexpr int NamedItems = 5;

QString countFact(int count)
{
    return QStringLiteral("件数: %1").arg(count);
}

QString listedName(const ListedRecord& item)
{
    QString text = QString::number(item.recordNo) + QStringLiteral(" 件目");
    if (!item.number.isEmpty())
        text += QStringLiteral("（在庫品No ") + item.number + QStringLiteral("）");
    return text;
}

// The ledger as it is now, read under the lock and fit to be written on.
IoResult readCurrentLedger(AppState& state, LedgerImage& image)
{
    RemoveLeftoverLedgerTemporaries(LedgerPath(state));
    // A link in the ledger's place is refused here (ELOOP), before anything is read through it.
    if (const IoResult read = ReadLedgerImage(LedgerPath(state), image); !read)
        return read;
    return CheckLedgerBytes(LedgerPath(state), image.bytes.constData(), image.bytes.size());
}

// Writes `records` as the new ledger, then reopens it and rebuilds the item number table.
CommitResult replaceLedger(AppState& state, const std::vector<const char*>& records, const CommitProgress& progress)
{
    CommitResult result;
    if (int(records.size()) > AppState::MaxRecords) {
        result.io = IoResult::failure(LedgerPath(state), EFBIG,
                                      QStringLiteral("登録後の台帳が %1 件になり、許容量 %2 件を超えます。")
                                          .arg(records.size())
                                          .arg(AppState::MaxRecords));
        return result;
    }
    const LedgerWriteProgress written = [&progress](int done, int total) {
        if (!progress)
            return true;
        if (done == 0)
            return progress(CommitStage::Started, 0, total);
        if (!progress(CommitStage::Writing, done, total))
            return false;
        return done < total || progress(CommitStage::Written, total, total);
    };
    CloseLedger(state);
    if (!(result.io = ReplaceLedgerFile(LedgerPath(state), records, written)))
        return result;
    if (progress)
        progress(CommitStage::Replaced, int(records.size()), int(records.size()));
    {
        LedgerCloser closer(state);
        OpenLedger(state);
    }
    RebuildItemNumberTable(state);
    WriteItemNumberFile(state);
    result.recordCount = state.RecordCount;
    return result;
}

// The record numbers of the listed records, each checked against the ledger as it is now. A
// record that is not at its number as it was listed makes the refusal that names it.
IoResult findListed(const QString& path, const LedgerImage& ledger, const QList<ListedRecord>& listed,
                    std::vector<bool>& removed)
{
    removed.assign(size_t(ledger.count) + 1, false);
    QStringList gone;
    int goneCount = 0;
    for (const ListedRecord& item : listed) {
        const bool there = item.recordNo >= 1 && item.recordNo <= ledger.count
            && RecordDigest(ledger.record(item.recordNo)) == item.digest;
        if (there) {
            removed[size_t(item.recordNo)] = true;
            continue;
        }
        if (++goneCount <= NamedItems)
            gone.append(listedName(item));
    }
    if (goneCount == 0)
        return IoResult::success();
    QString detail = gone.join(QStringLiteral("、"));
    if (goneCount > NamedItems)
        detail += QStringLiteral(" ほか %1 件").arg(goneCount - NamedItems);
    return IoResult::failure(path, ESTALE, detail);
}

void noteRemoved(ChangeLog& log, const LedgerImage& ledger, const std::vector<bool>& removed)
{
    ItemRecord gone;
    for (int n = 1; n <= ledger.count; ++n) {
        if (!removed[size_t(n)])
            continue;
        gone.assignBytes(ledger.record(n));
        log.addLine(n, gone.text(ItemField::Number), {gone.text(ItemField::Name)});
    }
}

int countOf(const std::vector<bool>& flags)
{
    return int(std::count(flags.begin(), flags.end(), true));
}

// The commits below run under the ledger lock and append their log lines before they return;
// the public functions report a failed log write once the lock has been released.
CommitResult deletionLocked(AppState& state, const QList<ListedRecord>& listed, const CommitProgress& progress)
{
    CommitResult result;
    LedgerLock lock(state);
    if (!(result.io = lock.take()))
        return result;
    LedgerImage ledger;
    if (!(result.io = readCurrentLedger(state, ledger)))
        return result;
    std::vector<bool> removed;
    if (!(result.io = findListed(LedgerPath(state), ledger, listed, removed)))
        return result;
    std::vector<const char*> records;
    records.reserve(size_t(ledger.count));
    for (int n = 1; n <= ledger.count; ++n)
        if (!removed[size_t(n)])
            records.push_back(ledger.record(n));
    result = replaceLedger(state, records, progress);
    if (!result.ok())
        return result;
    ChangeLog log(state, ChangeOperation::Delete);
    log.addSummary({QStringLiteral("削除: %1").arg(countOf(removed)), countFact(result.recordCount)});
    noteRemoved(log, ledger, removed);
    result.logWritten = log.write();
    return result;
}

CommitResult sortLocked(AppState& state, const QList<ListedRecord>& listed, const CommitProgress& progress)
{
    CommitResult result;
    LedgerLock lock(state);
    if (!(result.io = lock.take()))
        return result;
    LedgerImage ledger;
    if (!(result.io = readCurrentLedger(state, ledger)))
        return result;
    std::vector<bool> removed;
    if (!(result.io = findListed(LedgerPath(state), ledger, listed, removed)))
        return result;
    std::vector<const char*> named;
    QStringList keys;
    named.reserve(size_t(ledger.count));
    keys.reserve(ledger.count);
    ItemRecord record;
    for (int n = 1; n <= ledger.count; ++n) {
        if (removed[size_t(n)])
            continue;
        record.assignBytes(ledger.record(n));
        const QString key = SortKeyText(record);
        if (key.isEmpty())
            continue; // a record without a name leaves the ledger with the sort
        named.push_back(ledger.record(n));
        keys.append(key);
    }
    const std::vector<int> order = SortedKeyOrder(keys);
    std::vector<const char*> records;
    records.reserve(order.size());
    for (const int k : order)
        records.push_back(named[size_t(k)]);
    result = replaceLedger(state, records, progress);
    if (!result.ok())
        return result;
    ChangeLog log(state, ChangeOperation::Sort);
    QStringList facts{countFact(result.recordCount)};
    if (const int withoutName = ledger.count - countOf(removed) - int(named.size()); withoutName > 0)
        facts.append(QStringLiteral("品名なし: %1").arg(withoutName));
    if (countOf(removed) > 0)
        facts.append(QStringLiteral("削除: %1").arg(countOf(removed)));
    log.addSummary(facts);
    noteRemoved(log, ledger, removed);
    result.logWritten = log.write();
    return result;
}

// One line per item that the edit changed, added or removed. Items are matched by item number
// (records of the same number in their order), so an import that moves items to other record
// numbers logs what changed in them, not every record whose place changed. Added and removed
// items get a line without their fields.
void noteEditedRecords(ChangeLog& log, const LedgerImage& before, const std::vector<ItemRecord>& after)
{
    auto numberBytes = [](const char* record) {
        return QByteArray(record + ItemRecord::textOffset(ItemField::Number), ItemRecord::TextWidth);
    };
    // Records of one number in their order: the first in `firstOf`, each one's next in `nextOf`
    // (0 ends), taken from the front as the new records claim them.
    QHash<QByteArray, int> firstOf;
    firstOf.reserve(before.count);
    std::vector<int> nextOf(size_t(before.count) + 1, 0);
    for (int n = before.count; n >= 1; --n) {
        int& first = firstOf[numberBytes(before.record(n))];
        nextOf[size_t(n)] = first;
        first = n;
    }
    std::vector<bool> claimed(size_t(before.count) + 1, false);

    ItemRecord old;
    for (int n = 1; n <= int(after.size()); ++n) {
        const ItemRecord& now = after[size_t(n - 1)];
        const auto found = firstOf.find(numberBytes(now.data()));
        if (found == firstOf.end() || *found == 0) {
            log.addLine(n, now.text(ItemField::Number), {ChangeOperation::Appended});
            continue;
        }
        const int was = *found;
        *found = nextOf[size_t(was)];
        claimed[size_t(was)] = true;
        if (std::memcmp(before.record(was), now.data(), RecordLength) == 0)
            continue;
        old.assignBytes(before.record(was));
        log.addChange(n, old, now);
    }
    std::vector<int> removed;
    for (int n = 1; n <= before.count; ++n)
        if (!claimed[size_t(n)])
            removed.push_back(n);
    for (const int n : removed) {
        old.assignBytes(before.record(n));
        log.addLine(n, old.text(ItemField::Number), {ChangeOperation::Delete});
    }
}

// Makes the new records from the ledger as it is under the lock; false cancels. The ledger image
// may be released once it is no longer needed (it is kept where the log compares records).
using RecordsBuilder = std::function<bool(LedgerImage& ledger, bool keepImage, std::vector<ItemRecord>& records)>;

CommitResult ledgerEditLocked(AppState& state, const RecordsBuilder& build, const CommitProgress& progress,
                              const LedgerEditLog& logAs)
{
    CommitResult result;
    LedgerLock lock(state);
    if (!(result.io = lock.take()))
        return result;
    LedgerImage ledger;
    if (!(result.io = readCurrentLedger(state, ledger)))
        return result;
    const int countBefore = ledger.count;
    std::vector<ItemRecord> records;
    if (!build(ledger, logAs.perRecord, records)) {
        result.io = IoResult::failure(LedgerPath(state), ECANCELED, QStringLiteral("cancelled"));
        return result;
    }
    // The lines of the changed records are made before the replacement, so that the old records
    // are let go before the new ledger is read back; they are written only once it stands.
    ChangeLog recordLines = ItemChangeLog(state, logAs.operation);
    if (logAs.perRecord)
        noteEditedRecords(recordLines, ledger, records);
    ledger = LedgerImage{};
    std::vector<const char*> pointers;
    pointers.reserve(records.size());
    for (const ItemRecord& record : records)
        pointers.push_back(record.data());
    result = replaceLedger(state, pointers, progress);
    if (!result.ok())
        return result;

    ChangeLog log = ItemChangeLog(state, logAs.operation);
    log.addSummary(QStringList{countBefore == result.recordCount
                                   ? countFact(result.recordCount)
                                   : QStringLiteral("件数: %1 → %2").arg(countBefore).arg(result.recordCount)}
                   + logAs.facts);
    for (const ChangeLogEntry& line : recordLines.entries())
        log.addLine(line.recordNo, line.itemNumber, line.changes);
    recordLines = ItemChangeLog(state, logAs.operation);
    result.logWritten = log.write();
    if (logAs.whileLocked)
        result.finished = logAs.whileLocked();
    return result;
}

CommitResult reported(AppState& state, CommitResult result)
{
    if (result.ok())
        ReportChangeLogResult(state, result.logWritten);
    return result;
}

} // namespace

quint64 RecordDigest(const char* record)
{
    // FNV-1a over the whole record: enough to tell a changed record from the one listed.
    quint64 hash = 14695981039346656037ULL;
    for (qsizetype k = 0; k < RecordLength; ++k) {
        hash ^= static_cast<unsigned char>(record[k]);
        hash *= 1099511628211ULL;
    }
    return hash;
}

CommitResult CommitDeletion(AppState& state, const QList<ListedRecord>& removed, const CommitProgress& progress)
{
    return reported(state, deletionLocked(state, removed, progress));
}

CommitResult CommitSort(AppState& state, const QList<ListedRecord>& removed, const CommitProgress& progress)
{
    return reported(state, sortLocked(state, removed, progress));
}

CommitResult CommitLedgerEdit(AppState& state, const LedgerEdit& edit, const CommitProgress& progress,
                              const LedgerEditLog& log)
{
    const RecordsBuilder build = [&edit](LedgerImage& ledger, bool keepImage, std::vector<ItemRecord>& records) {
        records.resize(size_t(ledger.count));
        for (int n = 1; n <= ledger.count; ++n)
            records[size_t(n - 1)].assignBytes(ledger.record(n));
        // The old records stay only where the log compares them record by record.
        if (!keepImage)
            ledger = LedgerImage{};
        return edit(records);
    };
    return reported(state, ledgerEditLocked(state, build, progress, log));
}

CommitResult CommitLedgerFront(AppState& state, std::vector<ItemRecord> front, const CommitProgress& progress,
                               const LedgerEditLog& log, const LedgerFrontAdjustment& adjust)
{
    const RecordsBuilder build = [&front, &adjust](LedgerImage& ledger, bool, std::vector<ItemRecord>& records) {
        if (adjust)
            adjust(ledger, front);
        records = std::move(front);
        const int kept = ledger.count - int(records.size());
        if (kept > 0) {
            records.reserve(size_t(ledger.count));
            ItemRecord record;
            for (int n = ledger.count - kept + 1; n <= ledger.count; ++n) {
                record.assignBytes(ledger.record(n));
                records.push_back(record);
            }
        }
        return true;
    };
    return reported(state, ledgerEditLocked(state, build, progress, log));
}

int CountAfterDeletion(AppState& state, int removedCount)
{
    const qint64 length = QFileInfo(LedgerPath(state)).size();
    return std::max(0, int(length / RecordLength) - removedCount);
}

int CountAfterSort(AppState& state, int removedCount)
{
    LedgerImage ledger;
    if (!ReadLedgerImage(LedgerPath(state), ledger))
        return 0;
    int named = 0;
    for (int n = 1; n <= ledger.count; ++n)
        named += FieldText(ledger.record(n) + ItemRecord::textOffset(ItemField::Name), ItemRecord::TextWidth).isEmpty() ? 0 : 1;
    return std::max(0, named - removedCount);
}

QString CommitFailureMessage(const IoResult& io)
{
    if (io.errorCode == EBADMSG)
        return LedgerDamageMessage(io);
    QString reason;
    if (io.errorCode == ESTALE)
        reason = QStringLiteral("一覧を表示した後に、他の端末で次の在庫品が変更または移動されました。") + u'\r' + QStringLiteral("　")
            + io.detail + u'\r' + QStringLiteral("　一覧を開き直してください。");
    else if (io.errorCode == EBUSY)
        reason = QStringLiteral("他の端末が台帳を使用中です。");
    else if (io.errorCode == ECANCELED)
        reason = QStringLiteral("登録を中止しました。");
    else if (io.errorCode == EFBIG)
        reason = io.detail;
    else
        reason = DescribeFileError(ClassifyFileError(io.errorCode, io.path));
    return QStringLiteral("　台帳の登録ができませんでした。") + u'\r' + QStringLiteral("　台帳は元のままです。") + u'\r'
        + QStringLiteral("　") + reason + u'\r' + QStringLiteral("　") + io.path;
}
