#pragma once
// The whole ledger file in memory, and its replacement by a new one: what the operations that
// rewrite the ledger do under the ledger lock. The replacement goes through a temporary file
// beside the ledger, synced, that takes the ledger's place in one rename.
#include "storage/io_result.h"
#include "storage/item_record.h"

#include <QByteArray>
#include <functional>
#include <vector>

struct LedgerImage {
    QByteArray bytes;
    int count = 0; // whole records, those past the capacity too
    const char* record(int n) const { return bytes.constData() + qsizetype(n - 1) * ItemRecord::Length; }
};

// Reads the ledger at `path` without following a link (ELOOP) or reading a folder (EISDIR); a
// missing file is an empty ledger. The bytes are taken as they are: CheckLedgerBytes tells
// whether they may be written on.
IoResult ReadLedgerImage(const QString& path, LedgerImage& image);

// Progress of a replacement: called before the first block (0), after every block and once all
// is written; returning false cancels, and the ledger stays as it was.
using LedgerWriteProgress = std::function<bool(int done, int total)>;

// Writes `records` (926 bytes each; their last two bytes are written as CR LF) as the new ledger
// at `path`. A link in the ledger's place is refused (ELOOP). On any failure the temporary file
// is removed and the ledger is untouched.
IoResult ReplaceLedgerFile(const QString& path, const std::vector<const char*>& records,
                           const LedgerWriteProgress& progress = {});

// Removes temporary files that a replacement killed part-way left beside the ledger. Only called
// while the ledger lock is held: then no other client is writing one.
void RemoveLeftoverLedgerTemporaries(const QString& path);
