#pragma once
// The mark a data transfer leaves in the folder it copies into, "Ma在庫品転送中.dat": written once
// every copy has been written and checked beside its place, just before the copies take their
// places, and removed once the folder the data left has been marked as moved. While it stands the
// folder may hold some of the new files and some of its old ones; the transferring client
// finishes the transfer (or gives it up) before it works anywhere (see data_folder_settle.h). A
// transfer given up leaves it: the files are copies of its source, which a later transfer from
// that source replaces without asking.
#include "storage/io_result.h"

#include <QDateTime>
#include <QString>
#include <optional>

struct TransferMark {
    QString source;  // the folder the data are copied from
    QString when;    // "yyyy/MM/dd hh:mm:ss"
    QString pcName;
};

// The mark in `folder`, if there is one (an unreadable mark reads with an empty source).
std::optional<TransferMark> ReadTransferMark(const QString& folder);
IoResult WriteTransferMark(const QString& folder, const QString& source, const QString& pcName, const QDateTime& when);
// Success also when there is no mark.
IoResult RemoveTransferMark(const QString& folder);
