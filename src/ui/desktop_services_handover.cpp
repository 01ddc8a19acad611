#include "ui/desktop_services_handover.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QUrl>

namespace {

#if defined(Q_OS_LINUX)
// The media type xdg-open decides by. Workbooks are named for certain even where the desktop's
// type database lacks them.
QString mediaType(const QString& path)
{
    if (QFileInfo(path).suffix().compare(QStringLiteral("xlsx"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet");
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
    return type.isDefault() ? QString() : type.name();
}

// False only when xdg-mime answers that no program is registered for the file's type; when it
// cannot be asked, the answer is left to QDesktopServices.
bool programRegisteredFor(const QString& path)
{
    const QString type = mediaType(path);
    if (type.isEmpty())
        return true;
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit) {
        query.kill();
        query.waitForFinished(1000);
        return true;
    }
    return !query.readAllStandardOutput().trimmed().isEmpty();
}
#else
bool programRegisteredFor(const QString&)
{
    return true;
}
#endif

} // namespace

bool DesktopServicesHandover::open(const QString& path)
{
    if (!programRegisteredFor(path))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
