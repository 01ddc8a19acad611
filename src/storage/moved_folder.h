#pragma once
// The mark a transfer leaves in the folder the data left: "Ma在庫品移動先.dat", holding the folder
// the data now live in. Every writer of shared data reads it (under its lock) before writing and
// refuses, so that nothing is written to the old folder after the transfer; the data stay there
// untouched, to be read.
#include "storage/io_result.h"

#include <QDateTime>
#include <QString>
#include <optional>

// The folder the data of `folder` moved to, when the mark is there (an unreadable mark gives an
// empty text: moved, to a folder it cannot tell).
std::optional<QString> MovedDataFolder(const QString& folder);

// Writes the mark into `folder`: the new folder, when, and by which PC.
IoResult WriteMovedMark(const QString& folder, const QString& movedTo, const QString& pcName, const QDateTime& when);

// Takes the mark away: the data left in `folder` are to be used (and written) again.
IoResult RemoveMovedMark(const QString& folder);

// Success when the data of `folder` have not moved; otherwise a failure EREMCHG whose path is the
// folder they moved to.
IoResult RefuseWhenMoved(const QString& folder);

// "データは … に移動しました。" and what to do (lines joined by CR).
QString MovedFolderMessage(const QString& movedTo);
