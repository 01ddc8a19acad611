#include "storage/ledger_file.h"

#include "storage/app_state.h"
#include "storage/file_error.h"
#include "storage/item_record.h"
#include "storage/paths.h"
#include "storage/platform_file.h"

#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace {

constexpr qint64 RecordLength = ItemRecord::Length;

// Opens for reading and writing, creating the file when missing; falls back to reading only
// where the folder or file may not be written (a view-only share). A link or a folder in the
// ledger's place is refused as it is.
IoResult openRecordFile(const QString& path, std::unique_ptr<QFile>& into)
{
    auto file = std::make_unique<QFile>();
    IoResult opened = OpenFileNoFollow(*file, path, QIODevice::ReadWrite, true);
    const bool notTheFile = opened.errorCode == ELOOP || opened.errorCode == EISDIR || opened.errorCode == EINVAL;
    if (!opened && !notTheFile && QFileInfo::exists(path))
        opened = OpenFileNoFollow(*file, path, QIODevice::ReadOnly);
    if (opened)
        into = std::move(file);
    return opened;
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
    return WriteBytesAt(file, (n - 1) * RecordLength, record.data(), RecordLength);
}

} // namespace

QString LedgerPath(const AppState& state)
{
    return state.DataFolder + DataFileName::Ledger;
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

IoResult OpenLedger(AppState& state)
{
    CloseLedger(state);
    std::unique_ptr<QFile> file;
    if (const IoResult opened = openRecordFile(LedgerPath(state), file); !opened)
        return opened;
    const qint64 count = RecordCountForLength(file->size());
    state.ledgerFile = std::move(file);
    state.RecordCount = static_cast<int>(std::min<qint64>(count, AppState::MaxRecords));
    state.CurrentRecord.setRecordEnd();
    if (count >= AppState::MaxRecords)
        state.CurrentRecordNo = AppState::MaxRecords;
    return IoResult::success();
}

QString CapacityNotice(const AppState& state)
{
    const QFileInfo info(LedgerPath(state));
    if (info.isSymLink() || !info.isFile())
        return QString();
    const qint64 count = RecordCountForLength(info.size());
    if (count < AppState::MaxRecords)
        return QString();
    QString text = CapacityMessage();
    if (count > AppState::MaxRecords)
        text += u'\r' + QStringLiteral("　台帳の %1 件のうち %2 件目までを使用しています。").arg(count).arg(AppState::MaxRecords);
    return text;
}

QString LedgerOpenFailureMessage(const IoResult& io)
{
    // Opening reads first: a refusal is about reading, which the general text would call writing.
    const bool refused = io.errorCode == EACCES || io.errorCode == EPERM;
    const QString reason = refused ? QStringLiteral("読み取りの権限がありません。")
                                   : DescribeFileError(ClassifyFileError(io.errorCode, io.path));
    return QStringLiteral("　台帳ファイルを開けませんでした。") + u'\r' + QStringLiteral("　") + reason + u'\r'
        + QStringLiteral("　") + io.path;
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
