// Decoding a ledger record: 926 bytes as the ledger file holds them (shorter inputs are padded
// with spaces), read field by field and formatted as a line of `tev-cli dump`.
#include "cli/dump_line.h"
#include "fuzz_support.h"
#include "storage/cp932_codec.h"
#include "storage/field_text.h"
#include "storage/item_record.h"

#include <cmath>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char bytes[ItemRecord::Length];
    std::memset(bytes, ' ', sizeof bytes);
    std::memcpy(bytes, data, std::min(size, sizeof bytes));
    ItemRecord record;
    record.assignBytes(bytes);

    for (int i = 0; i < ItemRecord::TextCount; ++i) {
        const QString text = record.text(i);
        FUZZ_CHECK(!text.startsWith(u' ') && !text.endsWith(u' '));
        FUZZ_CHECK(std::isfinite(record.textNumber(i)));
        // A field stored back from its text reads back as the same text (bytes that are not
        // cp932 come back as '?').
        ItemRecord copy = record;
        copy.setText(i, text);
        FUZZ_CHECK(copy.text(i) == Cp932::decode(Cp932::encode(text)));
    }
    for (int r = 0; r < ItemRecord::QtyRows; ++r)
        for (int c = 0; c < ItemRecord::QtyColumns; ++c) {
            (void)record.qty(r, c);
            FUZZ_CHECK(std::isfinite(record.qtyNumber(r, c)));
        }

    // One line of 43 tab-separated fields.
    const QString line = DumpLine(1, record);
    FUZZ_CHECK(line.endsWith(u'\n'));
    FUZZ_CHECK(line.count(u'\n') == 1);
    FUZZ_CHECK(line.count(u'\t') == 12 + 30);
    return 0;
}
