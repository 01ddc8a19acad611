// The Office Open XML reader on its parts: the input is split at each "\n@@@@\n" into the package
// relations, the workbook, its relations, the first sheet, the shared strings and the styles,
// which are packed into a zip without compression. The fuzzer then works on the XML itself
// instead of on compressed bytes that rarely pass the checksum.
#include "fuzz_support.h"
#include "workbook_check.h"

#include <array>
#include <cstdio>
#include <zip.h>

namespace {

const char* const ContentTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
    "</Types>";

const std::array<const char*, 6> PartNames = {
    "_rels/.rels",
    "xl/workbook.xml",
    "xl/_rels/workbook.xml.rels",
    "xl/worksheets/sheet1.xml",
    "xl/sharedStrings.xml",
    "xl/styles.xml",
};

// A zip of the parts, stored without compression.
QByteArray zipOf(const std::vector<QByteArray>& parts)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    FUZZ_CHECK(buffer != nullptr);
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    FUZZ_CHECK(archive != nullptr);
    auto add = [&](const char* name, const QByteArray& bytes) {
        zip_source_t* source = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        FUZZ_CHECK(source != nullptr);
        const zip_int64_t index = zip_file_add(archive, name, source, ZIP_FL_OVERWRITE);
        FUZZ_CHECK(index >= 0);
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
    };
    const QByteArray types(ContentTypes);
    add("[Content_Types].xml", types);
    for (size_t i = 0; i < parts.size() && i < PartNames.size(); ++i)
        add(PartNames[i], parts[i]);
    FUZZ_CHECK(zip_close(archive) == 0);

    QByteArray out;
    FUZZ_CHECK(zip_source_open(buffer) == 0);
    FUZZ_CHECK(zip_source_seek(buffer, 0, SEEK_END) == 0);
    const zip_int64_t size = zip_source_tell(buffer);
    FUZZ_CHECK(size >= 0 && zip_source_seek(buffer, 0, SEEK_SET) == 0);
    out.resize(qsizetype(size));
    FUZZ_CHECK(zip_source_read(buffer, out.data(), zip_uint64_t(size)) == size);
    zip_source_close(buffer);
    zip_source_free(buffer);
    zip_error_fini(&error);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = FuzzBytes(data, size);
    const QByteArray separator("\n@@@@\n");
    std::vector<QByteArray> parts;
    qsizetype start = 0;
    while (parts.size() < PartNames.size()) {
        const qsizetype end = input.indexOf(separator, start);
        if (end < 0) {
            parts.push_back(input.mid(start));
            break;
        }
        parts.push_back(input.mid(start, end - start));
        start = end + separator.size();
    }
    CheckXlsxBytes(zipOf(parts));
    return 0;
}
