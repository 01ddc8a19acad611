#pragma once
// Whole-file replacement that neither a crash nor a file server can leave half-done: the new
// content goes to a temporary file beside the old one, is synced, and is then renamed over the old
// file in one step. The temporary file is unnamed until the rename where the file system offers
// that (Linux disks), otherwise it is "<name>." and six letters or digits, the name leftover
// cleaning knows.
//
// A file server with SMB's sharing rules refuses the rename while another client has the old file
// open (a reader of the ledger, for a moment): the rename is tried again until `patience` is used
// up, and then fails with EBUSY, the old file untouched and the temporary file removed. A symbolic
// link, a folder or a relative path in the file's place is refused (ELOOP, EISDIR, EINVAL).
#include "storage/io_result.h"

#include <QFile>
#include <QString>
#include <chrono>

class FileReplacement {
public:
    static constexpr std::chrono::milliseconds DefaultPatience{10000};

    explicit FileReplacement(QString path, std::chrono::milliseconds patience = DefaultPatience);
    ~FileReplacement(); // a replacement not committed removes its temporary file
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Creates the temporary file (exclusively, with the old file's permissions).
    IoResult open();
    // Writes past every buffer, so that a disk that fills up is a failure here.
    IoResult write(qint64 offset, const char* data, qint64 size);
    // Syncs, closes and renames the temporary file over the old one.
    IoResult commit();
    void cancel();

    // The named temporary file; empty while the content is in an unnamed one.
    const QString& temporaryPath() const { return m_temporaryPath; }

private:
    QString m_path;
    QString m_temporaryPath;
    std::chrono::milliseconds m_patience;
    QFile m_file;
    bool m_unnamed = false;
    bool m_committed = false;
};
