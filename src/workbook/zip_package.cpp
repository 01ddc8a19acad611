#include "workbook/zip_package.h"

#include <QFile>
#include <cerrno>
#include <zip.h>

ZipPackage::~ZipPackage()
{
    if (m_archive)
        zip_discard(m_archive);
}

int WorkbookErrorForWrite(int errorCode)
{
    switch (errorCode) {
#ifdef Q_OS_WIN
    // Windows refuses the write of a file that a spreadsheet program holds open.
    case EACCES:
#endif
    case EBUSY:
    case ETXTBSY:
        return WorkbookError::InUse;
#ifndef Q_OS_WIN
    case EACCES:
#endif
    case EPERM:
    case EROFS:
        return WorkbookError::AccessDenied;
    case ENOENT:
    case ENOTDIR:
        return WorkbookError::PathNotFound;
    case ENOSPC:
    case EDQUOT:
        return WorkbookError::DiskFull;
    default:
        return WorkbookError::Internal;
    }
}

WorkbookStatus ZipPackage::open(QByteArray bytes)
{
    m_bytes = std::move(bytes);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(m_bytes.constData(), zip_uint64_t(m_bytes.size()), 0, &error);
    if (!source) {
        zip_error_fini(&error);
        return WorkbookStatus::failure(WorkbookError::Internal, QStringLiteral("zip source"));
    }
    m_archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (!m_archive) {
        zip_source_free(source);
        return WorkbookStatus::failure(WorkbookError::NotAWorkbook, QStringLiteral("not a zip file"));
    }
    const zip_int64_t count = zip_get_num_entries(m_archive, 0);
    if (count < 0 || count > MaxEntries)
        return WorkbookStatus::failure(WorkbookError::NotAWorkbook, QStringLiteral("too many parts"));
    qint64 total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        if (zip_stat_index(m_archive, zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME)
            || !(st.valid & ZIP_STAT_SIZE))
            return WorkbookStatus::failure(WorkbookError::NotAWorkbook, QStringLiteral("unreadable directory"));
        if (st.size > zip_uint64_t(MaxPartSize))
            return WorkbookStatus::failure(WorkbookError::NotAWorkbook, QStringLiteral("part too large"));
        total += qint64(st.size);
        if (total > MaxTotalSize)
            return WorkbookStatus::failure(WorkbookError::NotAWorkbook, QStringLiteral("package too large"));
        m_entries.push_back(Entry{st.name, qint64(st.size), i});
    }
    return WorkbookStatus::success();
}

const ZipPackage::Entry* ZipPackage::find(const std::string& name) const
{
    for (const Entry& entry : m_entries) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}

bool ZipPackage::has(const std::string& name) const
{
    return m_replaced.count(name) || find(name);
}

qint64 ZipPackage::declaredSize(const std::string& name) const
{
    const Entry* entry = find(name);
    return entry ? entry->size : -1;
}

WorkbookStatus ZipPackage::readInPieces(const std::string& name, const std::function<bool(const char*, size_t)>& take) const
{
    const auto damaged = [](const char* what) {
        return WorkbookStatus::failure(WorkbookError::NotAWorkbook, QString::fromLatin1(what));
    };
    const Entry* entry = find(name);
    if (!entry || entry->index < 0)
        return damaged("missing part");
    zip_file_t* file = zip_fopen_index(m_archive, zip_uint64_t(entry->index), 0);
    if (!file)
        return damaged("unreadable part");
    std::vector<char> piece(256 * 1024);
    qint64 done = 0;
    bool stopped = false;
    bool failed = false;
    for (;;) {
        const zip_int64_t n = zip_fread(file, piece.data(), piece.size());
        if (n < 0)
            failed = true;
        if (n <= 0)
            break;
        done += n;
        if (done > entry->size) {
            failed = true;
            break;
        }
        if (!take(piece.data(), size_t(n))) {
            stopped = true;
            break;
        }
    }
    const bool closed = zip_fclose(file) == 0;
    if (stopped)
        return WorkbookStatus::success();
    if (failed || !closed || done != entry->size)
        return damaged("damaged part");
    return WorkbookStatus::success();
}

std::optional<std::string> ZipPackage::read(const std::string& name, WorkbookStatus& status) const
{
    if (auto it = m_replaced.find(name); it != m_replaced.end())
        return it->second;
    const Entry* entry = find(name);
    if (!entry || entry->index < 0)
        return std::nullopt;
    zip_file_t* file = zip_fopen_index(m_archive, zip_uint64_t(entry->index), 0);
    if (!file) {
        status = WorkbookStatus::failure(WorkbookError::NotAWorkbook, QStringLiteral("unreadable part"));
        return std::nullopt;
    }
    // The declared size bounds the read: a part whose data runs on past it is cut off there and
    // then fails its checksum.
    std::string bytes(size_t(entry->size), '\0');
    zip_int64_t done = 0;
    while (done < entry->size) {
        const zip_int64_t n = zip_fread(file, bytes.data() + done, zip_uint64_t(entry->size - done));
        if (n <= 0)
            break;
        done += n;
    }
    char extra;
    const bool overlong = zip_fread(file, &extra, 1) > 0;
    const bool closed = zip_fclose(file) == 0;
    if (done != entry->size || overlong || !closed) {
        status = WorkbookStatus::failure(WorkbookError::NotAWorkbook, QStringLiteral("damaged part"));
        return std::nullopt;
    }
    return bytes;
}

void ZipPackage::replace(const std::string& name, std::string bytes)
{
    if (!find(name))
        m_entries.push_back(Entry{name, qint64(bytes.size()), -1});
    m_replaced[name] = std::move(bytes);
}

WorkbookStatus ZipPackage::save(const QString& path) const
{
    int code = 0;
    zip_t* out = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!out) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const int sys = zip_error_system_type(&error) == ZIP_ET_SYS ? zip_error_code_system(&error) : 0;
        zip_error_fini(&error);
        return WorkbookStatus::failure(sys ? WorkbookErrorForWrite(sys) : WorkbookError::InUse,
                                       QStringLiteral("cannot create the workbook file"));
    }
    auto fail = [&](const QString& detail) {
        zip_discard(out);
        return WorkbookStatus::failure(WorkbookError::Internal, detail);
    };
    for (const Entry& entry : m_entries) {
        zip_source_t* source = nullptr;
        const auto replaced = m_replaced.find(entry.name);
        if (replaced != m_replaced.end())
            source = zip_source_buffer(out, replaced->second.data(), replaced->second.size(), 0);
        else
            source = zip_source_zip(out, m_archive, zip_uint64_t(entry.index), ZIP_FL_COMPRESSED, 0, -1);
        if (!source)
            return fail(QStringLiteral("zip source"));
        const zip_int64_t index = zip_file_add(out, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            return fail(QStringLiteral("zip add"));
        }
        if (replaced != m_replaced.end())
            zip_set_file_compression(out, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
    }
    if (zip_close(out) != 0) {
        zip_error_t* error = zip_get_error(out);
        const int sys = zip_error_system_type(error) == ZIP_ET_SYS ? zip_error_code_system(error) : 0;
        zip_discard(out);
        return WorkbookStatus::failure(sys ? WorkbookErrorForWrite(sys) : WorkbookError::Internal,
                                       QStringLiteral("cannot write the workbook file"));
    }
    return WorkbookStatus::success();
}
