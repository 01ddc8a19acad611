#pragma once
// Hands files to the desktop through QDesktopServices. On Linux a file counts as handed over only
// when a program is registered for its type: the desktop's opener otherwise starts, finds nothing
// and gives up after Qt has already reported success.
#include "storage/desktop_handover.h"

class DesktopServicesHandover : public DesktopHandover {
public:
    bool open(const QString& path) override;
};
