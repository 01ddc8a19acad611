#pragma once
// The few file calls the platform does differently, in one place.
#include "storage/io_result.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <chrono>
#include <optional>

// Forces the file's written data to the disk (fsync / FlushFileBuffers). Returns false on failure.
bool SyncFileToDisk(QFileDevice& file);

// Opens `path` as a regular file without following a symbolic link at its last component: a link
// is refused with ELOOP, a folder with EISDIR, anything else that is not a plain file with EINVAL,
// and so is a relative path (data files always live in an absolute folder; a relative name would
// land in whatever the working folder is). `create` makes a missing file (with a writing mode).
// The QFile keeps `path` as its name; a file opened for writing is unbuffered.
IoResult OpenFileNoFollow(QFile& file, const QString& path, QIODevice::OpenMode mode, bool create = false);

// ELOOP when a symbolic link stands at `path` (a write there would reach a file elsewhere);
// EINVAL for a relative path; success otherwise, also when nothing is there yet.
IoResult RefuseSymbolicLink(const QString& path);

// Writes `size` bytes at `offset` of an open file with the system's own calls, so that nothing
// stays in a buffer that a later call could still try to flush, and syncs them to the disk
// unless `sync` is off. A write that stores only part of its bytes and then fails (a disk that
// fills up) is a failure with the errno of the failing call: Qt's own write loop reports the
// part as written and loses the error.
IoResult WriteBytesAt(QFileDevice& file, qint64 offset, const char* data, qint64 size, bool sync = true);

// Cuts an open file back to `size` bytes and syncs. False when the system refused.
bool TruncateFileTo(QFileDevice& file, qint64 size);

// errno of the last failed call (the Windows error translated where it is known).
int LastSystemError();

// Which file a path names at the moment: a file replaced by a rename (a whole-ledger commit) has
// another identity than the one it replaced, even with the same size and time. Nothing where the
// system cannot tell (Windows, a missing file).
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
std::optional<FileIdentity> IdentityOfFile(const QString& path);

// Appends a block of bytes to a shared file at its end. The caller holds the ledger lock, so that
// blocks of several processes never mix. On Windows the file is opened for appending
// (FILE_APPEND_DATA); elsewhere the block is written at the end offset found when the file is
// opened, never through O_APPEND, which some file-server clients (FUSE SMB) do not support. Creates
// the file when it is missing. A write that stops part-way (a full disk) is taken back, so that no
// half line stays at the end.
IoResult AppendBlockToFile(const QString& path, const QByteArray& block);

// Creates the folder `path` in one step, failing with EEXIST when anything stands there already.
// Of clients that create the same folder at once, on a local disk or a file server, exactly one
// succeeds: unlike an exclusive file creation, which some SMB clients (smbnetfs over FUSE) do not
// pass on to the server, so that two hosts can both "create" the same new file.
IoResult MakeFolderExclusively(const QString& path);

// Removes an empty folder. ENOTEMPTY when something is inside; EBUSY (a file server) as it comes.
IoResult RemoveEmptyFolder(const QString& path);

// Puts the file `from` in the place of `to` in one step (rename over it): `to` is either the old
// file or the whole new one. Both lie in the same folder. A rename the file server refuses because
// another client has `to` open (SMB: EBUSY on the same client, EEXIST through another; Windows:
// a sharing violation) is tried again until `patience` is used up, and then fails with EBUSY.
IoResult ReplaceFileByRename(const QString& from, const QString& to,
                             std::chrono::milliseconds patience = std::chrono::milliseconds(10000));
