#pragma once
// Whole-file replacement that a crash cannot leave half-written (see FileReplacement): the
// content goes to a temporary file in the same folder, is synced, and is then renamed over the
// old file. A symbolic link, a folder or a relative path in the file's place is refused (ELOOP,
// EISDIR, EINVAL); a file another client holds open is waited for, then refused with EBUSY.
#include "storage/file_replacement.h"
#include "storage/io_result.h"

#include <QByteArray>

IoResult WriteFileAtomically(const QString& path, const QByteArray& content,
                             std::chrono::milliseconds patience = FileReplacement::DefaultPatience);
