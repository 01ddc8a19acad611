#include "storage/ledger_file.h"

#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/item_record.h"
#include "storage/paths.h"
#include "storage/platform_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace {

constexpr qint64 RecordLength = ItemRecord::Length;

// Opens for reading and writing, creating the file when missing; falls back to reading only
// where the folder or file may not be written (a view-only share).
std::unique_ptr<QFile> openRecordFile(const QString& path)
{
    auto file = std::make_unique<QFile>(path);
    if (file->open(QIODevice::ReadWrite))
        return file;
    if (file->exists() && file->open(QIODevice::ReadOnly))
        return file;
    return nullptr;
}

// Reads record n of `file` into `record`; the part of a damaged tail that is missing reads as spaces.
bool readRecordAt(QFile& file, int n, ItemRecord& record)
{
    if (!file.seek((n - 1) * RecordLength))
        return false;
    const qint64 got = file.read(record.data(), RecordLength);
    if (got < 0)
        return false;
    if (got < RecordLength) {
        std::memset(record.data() + got, ' ', static_cast<size_t>(RecordLength - got));
        record.setRecordEnd();
    }
    return true;
}

IoResult writeRecordAt(QFile& file, int n, const ItemRecord& record)
{
    // Opened for reading only because writing was refused (a read-only share or folder).
    if (!file.isWritable())
        return IoResult::failure(file.fileName(), EACCES, QStringLiteral("the ledger can be read but not written"));
    errno = 0;
    if (!file.seek((n - 1) * RecordLength) || file.write(record.data(), RecordLength) != RecordLength
        || !file.flush()) {
        return IoResult::failure(file.fileName(), errno ? errno : EIO, file.errorString());
    }
    return IoResult::success();
}

} // namespace

QString LedgerPath(const AppState& state)
{
    return state.DataFolder + DataFileName::Ledger;
}

QString RewritePath(const AppState& state)
{
    return state.DataFolder + DataFileName::Rewrite;
}

qint64 RecordCountForLength(qint64 length)
{
    return (length + RecordLength / 2) / RecordLength;
}

QString CapacityMessage()
{
    return QStringLiteral("台帳データが 許容量台数") + u' ' + QString::number(AppState::MaxRecords)
        + QStringLiteral("を超えました") + u'\r' + QStringLiteral("　確認してください。");
}

bool OpenLedger(AppState& state)
{
    CloseLedger(state);
    auto file = openRecordFile(LedgerPath(state));
    if (!file)
        return false;
    const qint64 count = RecordCountForLength(file->size());
    state.ledgerFile = std::move(file);
    state.RecordCount = static_cast<int>(std::min<qint64>(count, AppState::MaxRecords));
    state.CurrentRecord.setRecordEnd();
    if (count >= AppState::MaxRecords) {
        state.dialogs.inform(QStringLiteral("データ容量確認"), CapacityMessage());
        state.RecordCount = AppState::MaxRecords;
        state.CurrentRecordNo = AppState::MaxRecords;
    }
    return true;
}

void CloseLedger(AppState& state)
{
    state.ledgerFile.reset();
}

bool ReadRecord(AppState& state, int n)
{
    if (!state.ledgerFile || n < 1 || n > state.RecordCount)
        return false;
    return readRecordAt(*state.ledgerFile, n, state.CurrentRecord);
}

IoResult WriteRecord(AppState& state, int n)
{
    if (!state.ledgerFile)
        return IoResult::failure(LedgerPath(state), EBADF, QStringLiteral("ledger not open"));
    if (n < 1 || n > state.RecordCount + 1 || n > AppState::MaxRecords)
        return IoResult::failure(LedgerPath(state), EINVAL, QStringLiteral("record number out of range"));
    state.CurrentRecord.setRecordEnd();
    const IoResult result = writeRecordAt(*state.ledgerFile, n, state.CurrentRecord);
    if (result && n == state.RecordCount + 1)
        state.RecordCount = n;
    return result;
}

bool ScanLedger(AppState& state, int from, int to,
                const std::function<void(int n, const ItemRecord& record)>& visit)
{
    if (!state.ledgerFile)
        return false;
    from = std::max(from, 1);
    to = std::min(to, state.RecordCount);
    if (from > to)
        return true;
    constexpr int BlockRecords = 4096;
    std::vector<char> block(static_cast<size_t>(BlockRecords) * RecordLength);
    ItemRecord record;
    QFile& file = *state.ledgerFile;
    if (!file.seek((from - 1) * RecordLength))
        return false;
    for (int first = from; first <= to; first += BlockRecords) {
        const int wanted = std::min(BlockRecords, to - first + 1);
        const qint64 bytes = file.read(block.data(), wanted * RecordLength);
        if (bytes < 0)
            return false;
        for (int k = 0; k < wanted; ++k) {
            const qint64 offset = k * RecordLength;
            if (offset + RecordLength <= bytes) {
                record.assignBytes(block.data() + offset);
            } else {
                // The damaged tail counted as a record: what is there, the rest spaces.
                record.clear();
                if (offset < bytes)
                    std::memcpy(record.data(), block.data() + offset, static_cast<size_t>(bytes - offset));
                record.setRecordEnd();
            }
            visit(first + k, record);
        }
    }
    return true;
}

bool OpenRewriteFile(AppState& state)
{
    CloseRewriteFile(state);
    auto file = openRecordFile(RewritePath(state));
    if (!file)
        return false;
    state.CurrentRecordNo = static_cast<int>(RecordCountForLength(file->size()));
    state.rewriteFile = std::move(file);
    state.RewriteRecord.setRecordEnd();
    return true;
}

void CloseRewriteFile(AppState& state)
{
    state.rewriteFile.reset();
}

void DeleteRewriteFile(AppState& state)
{
    CloseRewriteFile(state);
    QFile::remove(RewritePath(state));
}

bool ReadRewriteRecord(AppState& state, int n)
{
    if (!state.rewriteFile || n < 1)
        return false;
    if ((n - 1) * RecordLength >= state.rewriteFile->size())
        return false;
    return readRecordAt(*state.rewriteFile, n, state.RewriteRecord);
}

IoResult WriteRewriteRecord(AppState& state, int n)
{
    if (!state.rewriteFile)
        return IoResult::failure(RewritePath(state), EBADF, QStringLiteral("rewrite file not open"));
    if (n < 1 || n > AppState::MaxRecords)
        return IoResult::failure(RewritePath(state), EINVAL, QStringLiteral("record number out of range"));
    state.RewriteRecord.setRecordEnd();
    return writeRecordAt(*state.rewriteFile, n, state.RewriteRecord);
}
