#include "storage/ledger_image.h"

#include "storage/file_replacement.h"
#include "storage/platform_file.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>

namespace {

constexpr qsizetype RecordLength = ItemRecord::Length;
constexpr int BlockRecords = 4096;

int errnoOr(int fallback)
{
    return errno ? errno : fallback;
}

} // namespace

IoResult ReadLedgerImage(const QString& path, LedgerImage& image)
{
    image = LedgerImage{};
    // Only the open decides that there is no ledger yet (ENOENT): a look at the file that fails
    // for a moment on a file server (while another client replaces it) must not make an empty
    // ledger that a commit then writes over every item.
    QFile file;
    if (const IoResult opened = OpenFileNoFollow(file, path, QIODevice::ReadOnly); !opened)
        return opened.errorCode == ENOENT ? IoResult::success() : opened;
    const qint64 size = file.size();
    errno = 0;
    image.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return IoResult::failure(path, errnoOr(EIO), file.errorString());
    if (image.bytes.size() != size)
        return IoResult::failure(path, EIO, QStringLiteral("the ledger was not read whole"));
    image.count = int(image.bytes.size() / RecordLength);
    return IoResult::success();
}

IoResult ReplaceLedgerFile(const QString& path, const std::vector<const char*>& records,
                           const LedgerWriteProgress& progress)
{
    const int total = int(records.size());
    FileReplacement out(path);
    if (const IoResult opened = out.open(); !opened)
        return opened;
    const auto cancelled = [&path] { return IoResult::failure(path, ECANCELED, QStringLiteral("cancelled")); };
    if (progress && !progress(0, total))
        return cancelled();
    QByteArray block;
    block.reserve(BlockRecords * RecordLength);
    qint64 offset = 0;
    for (int k = 0; k < total; ++k) {
        block.append(records[size_t(k)], RecordLength - 2);
        block.append("\r\n", 2);
        if ((k + 1) % BlockRecords == 0 || k + 1 == total) {
            if (const IoResult written = out.write(offset, block.constData(), block.size()); !written)
                return written;
            offset += block.size();
            block.clear();
            if (progress && !progress(k + 1, total))
                return cancelled();
        }
    }
    // The temporary file is synced to the disk before it is renamed over the ledger.
    return out.commit();
}

void RemoveLeftoverLedgerTemporaries(const QString& path)
{
    const QFileInfo ledger(path);
    // A replacement names its temporary file after the target with six characters appended.
    static const QRegularExpression suffix(QStringLiteral("^\\.[A-Za-z0-9]{6}$"));
    const QDir folder = ledger.absoluteDir();
    const QString prefix = ledger.fileName();
    for (const QFileInfo& entry : folder.entryInfoList({prefix + QStringLiteral(".*")}, QDir::Files | QDir::Hidden | QDir::System)) {
        if (entry.isSymLink() || !suffix.match(entry.fileName().mid(prefix.size())).hasMatch())
            continue;
        QFile::remove(entry.absoluteFilePath());
    }
}
