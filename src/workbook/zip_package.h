#pragma once
// The zip container of an Office Open XML workbook, held in memory. Parts are read on demand
// with a size limit (a zip bomb is refused, not unpacked); saving writes every part the program
// did not replace as the original compressed bytes, so the user's parts stay as they were.
#include "workbook/workbook_errors.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct zip;

class ZipPackage {
public:
    static constexpr qint64 MaxPartSize = 400ll * 1024 * 1024;
    static constexpr qint64 MaxTotalSize = 1024ll * 1024 * 1024;
    static constexpr qint64 MaxEntries = 20000;

    ZipPackage() = default;
    ~ZipPackage();
    ZipPackage(const ZipPackage&) = delete;
    ZipPackage& operator=(const ZipPackage&) = delete;

    // Takes the bytes of a zip file. NotAWorkbook when they are not a readable zip or declare
    // more than the limits allow.
    WorkbookStatus open(QByteArray bytes);

    bool has(const std::string& name) const;
    // The uncompressed bytes of a part (std::nullopt when missing or unreadable).
    std::optional<std::string> read(const std::string& name, WorkbookStatus& status) const;
    // The uncompressed size the directory declares for a part (-1 when missing).
    qint64 declaredSize(const std::string& name) const;
    // Hands the uncompressed bytes of a part to `take` in pieces, without holding the part;
    // `take` returns false to stop. Reading stops, as damage, where the data runs past the
    // declared size.
    WorkbookStatus readInPieces(const std::string& name, const std::function<bool(const char*, size_t)>& take) const;
    // A part written by the program, new or replacing the original on save.
    void replace(const std::string& name, std::string bytes);

    // Writes the package to `path` (through a temporary file renamed over it).
    WorkbookStatus save(const QString& path) const;

private:
    struct Entry {
        std::string name;
        qint64 size = 0;
        qint64 index = -1; // in the source archive; -1 for a new part
    };
    const Entry* find(const std::string& name) const;

    QByteArray m_bytes;
    zip* m_archive = nullptr;
    std::vector<Entry> m_entries;
    std::map<std::string, std::string> m_replaced;
};

// The error number for a failed write with the system's errno.
int WorkbookErrorForWrite(int errorCode);
