#include "ui/desktop_services_handover.h"

#include <QDesktopServices>
#include <QUrl>

bool DesktopServicesHandover::open(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
