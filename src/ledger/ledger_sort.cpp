#include "ledger/ledger_sort.h"

#include "ledger/sort_keys.h"
#include "storage/app_state.h"
#include "storage/item_record.h"
#include "storage/ledger_file.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <vector>

namespace {

constexpr qsizetype RecordLength = ItemRecord::Length;

IoResult writeFailure(const QFile& file)
{
    return IoResult::failure(file.fileName(), errno ? errno : EIO, file.errorString());
}

} // namespace

SortResult SortLedgerIntoRewriteFile(AppState& state)
{
    SortResult result;
    QByteArray records;
    QStringList keys;
    {
        LedgerCloser closer(state);
        if (!OpenLedger(state)) {
            result.io = IoResult::failure(LedgerPath(state), ENOENT, QStringLiteral("the ledger cannot be opened"));
            return result;
        }
        result.ledgerCount = state.RecordCount;
        if (state.RecordCount == 0)
            return result;
        records.reserve(qsizetype(state.RecordCount) * RecordLength);
        const bool read = ScanLedger(state, 1, state.RecordCount, [&](int, const ItemRecord& record) {
            const QString key = SortKeyText(record);
            if (key.isEmpty())
                return;
            keys.append(key);
            records.append(record.data(), RecordLength);
        });
        if (!read) {
            result.io = IoResult::failure(LedgerPath(state), EIO, QStringLiteral("the ledger cannot be read"));
            return result;
        }
    }

    const std::vector<int> order = SortedKeyOrder(keys);
    DeleteRewriteFile(state);
    QFile file(RewritePath(state));
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        result.io = writeFailure(file);
        return result;
    }
    constexpr int BlockRecords = 4096;
    QByteArray block;
    block.reserve(BlockRecords * RecordLength);
    for (size_t k = 0; k < order.size(); ++k) {
        const char* record = records.constData() + qsizetype(order[k]) * RecordLength;
        block.append(record, RecordLength - 2);
        block.append("\r\n", 2);
        if (block.size() >= BlockRecords * RecordLength || k + 1 == order.size()) {
            if (file.write(block) != block.size()) {
                result.io = writeFailure(file);
                return result;
            }
            block.clear();
        }
    }
    if (!file.flush()) {
        result.io = writeFailure(file);
        return result;
    }
    file.close();
    OpenRewriteFile(state);
    CloseRewriteFile(state);
    result.sortedCount = int(order.size());
    return result;
}

IoResult RemoveRewriteRecord(AppState& state, int row)
{
    QFile file(RewritePath(state));
    errno = 0;
    if (!file.open(QIODevice::ReadWrite))
        return writeFailure(file);
    QByteArray bytes = file.readAll();
    const qsizetype count = bytes.size() / RecordLength;
    if (row < 1 || row > count)
        return IoResult::failure(file.fileName(), EINVAL, QStringLiteral("no such record"));
    char* data = bytes.data();
    std::memmove(data + (row - 1) * RecordLength, data + row * RecordLength, size_t((count - row) * RecordLength));
    // The last record: its item number stays, everything the list and the commit read is emptied.
    ItemRecord blank;
    blank.assignBytes(data + (count - 1) * RecordLength);
    for (int i = 1; i <= 15; ++i)
        blank.setText(i, QString());
    for (int r = QtyRow::Received; r <= QtyRow::Issued; ++r)
        for (int c = QtyColumn::FirstMonth; c <= QtyColumn::Rate; ++c)
            blank.setQty(r, c, QString());
    blank.setRecordEnd();
    std::memcpy(data + (count - 1) * RecordLength, blank.data(), size_t(RecordLength));
    if (!file.seek(0) || file.write(bytes.constData(), count * RecordLength) != count * RecordLength || !file.flush())
        return writeFailure(file);
    return IoResult::success();
}
