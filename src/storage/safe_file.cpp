#include "storage/safe_file.h"

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
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return IoResult::failure(path, errnoFor(file.error()), file.errorString());
    errno = 0;
    if (file.write(content) != content.size()) {
        const int code = errnoFor(file.error());
        file.cancelWriting();
        return IoResult::failure(path, code, file.errorString());
    }
    errno = 0;
    if (!file.commit())
        return IoResult::failure(path, errnoFor(file.error()), file.errorString());
    return IoResult::success();
}
