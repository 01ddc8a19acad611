#pragma once
// Hands files to the desktop through QDesktopServices.
#include "storage/desktop_handover.h"

class DesktopServicesHandover : public DesktopHandover {
public:
    bool open(const QString& path) override;
};
