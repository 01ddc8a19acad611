// The number reader: plain decimal text only, the same reading from bytes and from text, and a
// stored number that reads back.
#include "fuzz_support.h"
#include "storage/field_text.h"

#include <cmath>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* chars = reinterpret_cast<const char*>(data);
    const qsizetype width = qsizetype(size);

    // A field is read up to its first NUL; bytes outside ASCII are never digits.
    const double fromField = ReadFieldNumber(chars, width);
    const qsizetype used = qsizetype(strnlen(chars, size));
    const QString latin = QString::fromLatin1(chars, used);
    FUZZ_CHECK(std::isfinite(fromField));
    FUZZ_CHECK(fromField == ReadNumber(latin));

    const auto parsed = ParseNumber(QString::fromUtf8(chars, width));
    FUZZ_CHECK(!parsed || std::isfinite(*parsed));
    if (parsed) {
        // Whatever reads as a number is stored in a form that reads back as a number close to it.
        const QString stored = StoredNumberText(*parsed);
        const auto again = ParseNumber(stored);
        FUZZ_CHECK(again.has_value());
        FUZZ_CHECK(std::fabs(*again - *parsed) <= std::max(1e-6, std::fabs(*parsed) * 1e-14));
    }

    // The same bytes as 16-bit units: no crash, and the result is finite when there is one.
    const QString units = QString(reinterpret_cast<const QChar*>(data), width / 2);
    const auto wide = ParseNumber(units);
    FUZZ_CHECK(!wide || std::isfinite(*wide));
    return 0;
}
