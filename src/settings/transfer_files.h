#pragma once
// The files a data-folder transfer carries, and how each is copied: beside its place in the target
// under a temporary name, synced, read back and compared with its source; what an interrupted
// transfer left is removed before the next attempt.
#include "storage/io_result.h"

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QFile;
class QIODevice;

// A file of the data folder that the transfer carries, relative to the folder. The word lists
// belong to every data folder; the other files are carried when the source has them: a ledger
// without items, a change log, mail addresses, a password or a daily in/out workbook that was
// never made is no failure.
struct CarriedFile {
    QString name;
    bool required = false;
};

QList<CarriedFile> CarriedFiles();

// Every file the transfer may write in the target: the carried files and the shared settings.
QStringList TransferTargetNames();

// Where the copy of `name` waits in `folder` until it takes its place.
QString TransferCopyPath(const QString& folder, const QString& name);

// True for a file, and for a link where a file belongs (which the copy then refuses); also where
// the system cannot tell (any failure but "no such file"), so that the copy reports it.
bool IsFileOrLink(const QString& path);

// Copies the bytes of the open source into the open target; false on a read or write error.
using CopyBytes = std::function<bool(QFile& source, QIODevice& target)>;

// Copies `from` to the new file `to` (through `copyBytes` when given), synced to the disk, then
// reads both back and compares them; `tick` is called after each block. `differs` is set when the
// copy was written without an error but does not match its source.
IoResult CopyChecked(const QString& from, const QString& to, const CopyBytes& copyBytes,
                     const std::function<void()>& tick, bool& differs);

// In the name of a dated copy of a target's own file kept before a transfer replaced it.
inline const QString ReplacedFileMark = QStringLiteral("_置換前_");

// Removes the copies a transfer left beside their places in `target`, and the dated copies of the
// target's own files that were not complete.
void RemoveTransferCopies(const QString& target);

// Keeps the locks of a long transfer from looking abandoned to other clients: tick() refreshes
// every lock added, at most every few seconds.
class TransferLockKeeper {
public:
    void add(std::function<void()> keepAlive) { m_keepAlive.append(std::move(keepAlive)); }
    void tick()
    {
        if (m_since.isValid() && m_since.elapsed() < KeepAliveMs)
            return;
        for (const auto& keepAlive : m_keepAlive)
            keepAlive();
        m_since.start();
    }

private:
    // Well inside the stale time after which other clients take a lock over.
    static constexpr qint64 KeepAliveMs = 5000;
    QList<std::function<void()>> m_keepAlive;
    QElapsedTimer m_since;
};

