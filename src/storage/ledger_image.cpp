#include "storage/ledger_image.h"

#include "storage/platform_file.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
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
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return IoResult::success();
    QFile file;
    if (const IoResult opened = OpenFileNoFollow(file, path, QIODevice::ReadOnly); !opened)
        return opened;
    errno = 0;
    image.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return IoResult::failure(path, errnoOr(EIO), file.errorString());
    image.count = int(image.bytes.size() / RecordLength);
    return IoResult::success();
}

IoResult ReplaceLedgerFile(const QString& path, const std::vector<const char*>& records,
                           const LedgerWriteProgress& progress)
{
    // QSaveFile would write through a link to its target.
    if (const IoResult link = RefuseSymbolicLink(path); !link)
        return link;
    if (QFileInfo(path).isDir())
        return IoResult::failure(path, EISDIR, QStringLiteral("a folder"));
    const int total = int(records.size());
    QSaveFile out(path);
    out.setDirectWriteFallback(false);
    errno = 0;
    if (!out.open(QIODevice::WriteOnly))
        return IoResult::failure(path, errnoOr(EACCES), out.errorString());
    auto cancelled = [&out, &path] {
        out.cancelWriting();
        return IoResult::failure(path, ECANCELED, QStringLiteral("cancelled"));
    };
    if (progress && !progress(0, total))
        return cancelled();
    QByteArray block;
    block.reserve(BlockRecords * RecordLength);
    qint64 offset = 0;
    for (int k = 0; k < total; ++k) {
        block.append(records[size_t(k)], RecordLength - 2);
        block.append("\r\n", 2);
        if ((k + 1) % BlockRecords == 0 || k + 1 == total) {
            // Past Qt's buffer: a disk that fills up part-way fails the commit (see WriteBytesAt).
            if (const IoResult written = WriteBytesAt(out, offset, block.constData(), block.size(), false); !written) {
                out.cancelWriting();
                return IoResult::failure(path, written.errorCode, written.detail);
            }
            offset += block.size();
            block.clear();
            if (progress && !progress(k + 1, total))
                return cancelled();
        }
    }
    // commit() syncs the temporary file to the disk before it renames it over the ledger.
    errno = 0;
    if (!out.commit())
        return IoResult::failure(path, errnoOr(EIO), out.errorString());
    return IoResult::success();
}

void RemoveLeftoverLedgerTemporaries(const QString& path)
{
    const QFileInfo ledger(path);
    // QSaveFile names its temporary file after the target with six characters appended.
    static const QRegularExpression suffix(QStringLiteral("^\\.[A-Za-z0-9]{6}$"));
    const QDir folder = ledger.absoluteDir();
    const QString prefix = ledger.fileName();
    for (const QFileInfo& entry : folder.entryInfoList({prefix + QStringLiteral(".*")}, QDir::Files | QDir::Hidden | QDir::System)) {
        if (entry.isSymLink() || !suffix.match(entry.fileName().mid(prefix.size())).hasMatch())
            continue;
        QFile::remove(entry.absoluteFilePath());
    }
}
