#include "storage/cp932_codec.h"

#include <array>
#include <cerrno>
#include <iconv.h>
#include <vector>

namespace {

// One converter per direction and thread; opening a converter costs far more than using it.
class Converter {
public:
    Converter(const char* to, const char* from) : m_handle(iconv_open(to, from)) {}
    ~Converter()
    {
        if (m_handle != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_handle);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    iconv_t handle() const { return m_handle; }
    void reset() const { iconv(m_handle, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t m_handle;
};

const Converter& encoder()
{
    thread_local Converter converter("CP932", "UTF-16LE");
    return converter;
}

bool isAscii(const char* data, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i)
        if (static_cast<unsigned char>(data[i]) >= 0x80)
            return false;
    return true;
}

// Every cp932 character in two lookup tables, built once from the system converter: decoding a
// field is then a table walk instead of a converter call per field.
constexpr char16_t Invalid = 0xFFFF;

struct DecodeTable {
    std::array<char16_t, 256> single{};
    std::vector<char16_t> pairs = std::vector<char16_t>(256 * 256, Invalid);
    char16_t pair(unsigned char lead, unsigned char trail) const { return pairs[lead * 256u + trail]; }
};

// The UTF-16 unit of one cp932 byte sequence, or Invalid when it is not exactly one character.
char16_t convertOne(const Converter& conv, const char* bytes, size_t length)
{
    conv.reset();
    char16_t unit[2] = {Invalid, Invalid};
    char* in = const_cast<char*>(bytes);
    size_t inLeft = length;
    char* out = reinterpret_cast<char*>(unit);
    size_t outLeft = sizeof(unit);
    if (iconv(conv.handle(), &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1) || inLeft != 0
        || outLeft != sizeof(char16_t)) {
        return Invalid;
    }
    return unit[0];
}

const DecodeTable& decodeTable()
{
    static const DecodeTable table = [] {
        DecodeTable t;
        const Converter conv("UTF-16LE", "CP932");
        for (int b = 0; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            t.single[static_cast<size_t>(b)] = Cp932::isLeadByte(static_cast<unsigned char>(b))
                ? Invalid
                : convertOne(conv, &byte, 1);
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!Cp932::isLeadByte(static_cast<unsigned char>(lead)))
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                t.pairs[static_cast<size_t>(lead * 256 + trail)] = convertOne(conv, bytes, 2);
            }
        }
        return t;
    }();
    return table;
}

} // namespace

namespace Cp932 {

QString decode(const char* data, qsizetype size)
{
    if (size <= 0)
        return {};
    if (isAscii(data, size))
        return QString::fromLatin1(data, size);

    const DecodeTable& table = decodeTable();
    QString result(size, Qt::Uninitialized); // never more UTF-16 units than bytes
    char16_t* out = reinterpret_cast<char16_t*>(result.data());
    const auto* in = reinterpret_cast<const unsigned char*>(data);
    qsizetype i = 0;
    qsizetype n = 0;
    while (i < size) {
        const unsigned char b = in[i];
        if (b < 0x80) {
            out[n++] = b;
            ++i;
        } else if (isLeadByte(b) && i + 1 < size && table.pair(b, in[i + 1]) != Invalid) {
            out[n++] = table.pair(b, in[i + 1]);
            i += 2;
        } else {
            // A single-byte character, or an invalid byte: one replacement, then the next byte.
            out[n++] = table.single[b] != Invalid ? table.single[b] : u'\uFFFD';
            ++i;
        }
    }
    result.truncate(n);
    return result;
}

QByteArray encode(const QString& text)
{
    if (text.isEmpty())
        return {};
    bool ascii = true;
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return text.toLatin1();

    const Converter& conv = encoder();
    conv.reset();
    QByteArray result(text.size() * 2, Qt::Uninitialized); // at most two bytes per unit
    char* in = reinterpret_cast<char*>(const_cast<QChar*>(text.constData()));
    size_t inLeft = static_cast<size_t>(text.size()) * 2;
    char* out = result.data();
    size_t outLeft = static_cast<size_t>(result.size());
    while (inLeft > 0) {
        if (iconv(conv.handle(), &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG)
            break;
        // A character cp932 cannot hold (or a lone surrogate): '?' in its place.
        const char16_t unit = *reinterpret_cast<const char16_t*>(in);
        const size_t skip = (QChar::isHighSurrogate(unit) && inLeft >= 4) ? 4 : 2;
        *out++ = '?';
        --outLeft;
        in += skip;
        inLeft -= skip;
        conv.reset();
    }
    result.truncate(out - result.data());
    return result;
}

QString storedForm(const QString& text)
{
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii)
        return text;
    // Usually the whole text round-trips: no '?' appears that was not there before.
    const QString whole = decode(encode(text));
    if (whole.count(u'?') == text.count(u'?'))
        return whole;
    // Otherwise character by character, keeping those that would become '?'.
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length;
        const QByteArray bytes = encode(character);
        result += (bytes == "?" && character != u"?") ? character : decode(bytes);
    }
    return result;
}

bool isValid(const char* data, qsizetype size)
{
    if (isAscii(data, size))
        return true;
    const QString text = decode(data, size);
    if (!text.contains(QChar(u'\uFFFD')))
        return true;
    // U+FFFD could only come from a replacement: cp932 has no such character.
    return false;
}

QByteArray cutToWidth(const QByteArray& bytes, qsizetype width)
{
    if (bytes.size() <= width)
        return bytes;
    qsizetype end = 0;
    while (end < bytes.size()) {
        const qsizetype step = isLeadByte(static_cast<unsigned char>(bytes[end])) ? 2 : 1;
        if (end + step > width)
            break;
        end += step;
    }
    return bytes.left(end);
}

QString missingCharacters(const QString& text)
{
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii || decode(encode(text)) == text)
        return {};
    QString missing;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length;
        if (!missing.contains(character) && character != u"?" && encode(character) == "?")
            missing += character;
    }
    return missing;
}

} // namespace Cp932
