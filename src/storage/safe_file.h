#pragma once
// Whole-file replacement that a crash cannot leave half-written: the content goes to a
// temporary file in the same folder, is synced, and is then renamed over the old file.
#include "storage/io_result.h"

#include <QByteArray>

IoResult WriteFileAtomically(const QString& path, const QByteArray& content);
