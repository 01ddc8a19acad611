#include "storage/safe_file.h"

#include "storage/platform_file.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

namespace {

int errnoFor(QFileDevice::FileError error)
{
    if (errno != 0)
        return errno;
    switch (error) {
    case QFileDevice::PermissionsError:
        return EACCES;
    case QFileDevice::ResourceError:
        return ENOSPC;
    case QFileDevice::OpenError:
        return ENOENT;
    default:
        return EIO;
    }
}

} // namespace

IoResult WriteFileAtomically(const QString& path, const QByteArray& content)
{
    // QSaveFile would write through a link to its target; a link is refused instead.
    if (const IoResult link = RefuseSymbolicLink(path); !link)
        return link;
    if (QFileInfo(path).isDir())
        return IoResult::failure(path, EISDIR, QStringLiteral("a folder"));
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return IoResult::failure(path, errnoFor(file.error()), file.errorString());
    // Written past Qt's buffer, so that a disk that fills up part-way is a failure, not a short
    // file that commit() would put in the old one's place.
    if (const IoResult written = WriteBytesAt(file, 0, content.constData(), content.size(), false); !written) {
        file.cancelWriting();
        return IoResult::failure(path, written.errorCode, written.detail);
    }
    errno = 0;
    if (!file.commit())
        return IoResult::failure(path, errnoFor(file.error()), file.errorString());
    return IoResult::success();
}
