#pragma once
// The small marks one client leaves in a data folder for the others (the data moved, a transfer or
// a year rollover under way): a file of quoted values, one per line, in cp932 with CR LF, written
// in one rename. A link in a mark's place counts as a mark, so that it is never written through.
#include "storage/io_result.h"

#include <QString>
#include <QStringList>
#include <optional>

bool MarkExists(const QString& path);
// The values of the mark's lines; nothing when the mark is missing or cannot be read.
std::optional<QStringList> ReadMarkValues(const QString& path);
IoResult WriteMarkValues(const QString& path, const QStringList& values);
// Success when the mark is gone (or was never there).
IoResult RemoveMark(const QString& path);
