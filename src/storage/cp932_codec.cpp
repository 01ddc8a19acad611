#include "storage/cp932_codec.h"

#include <cerrno>
#include <iconv.h>

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

const Converter& decoder()
{
    thread_local Converter converter("UTF-16LE", "CP932");
    return converter;
}

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

} // namespace

namespace Cp932 {

QString decode(const char* data, qsizetype size)
{
    if (size <= 0)
        return {};
    if (isAscii(data, size))
        return QString::fromLatin1(data, size);

    const Converter& conv = decoder();
    conv.reset();
    QString result(size, Qt::Uninitialized); // never more UTF-16 units than bytes
    char* in = const_cast<char*>(data);
    size_t inLeft = static_cast<size_t>(size);
    char* out = reinterpret_cast<char*>(result.data());
    size_t outLeft = static_cast<size_t>(size) * 2;
    while (inLeft > 0) {
        if (iconv(conv.handle(), &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG)
            break; // cannot happen: one byte never yields two units
        // Invalid or incomplete sequence: one replacement character, skip one byte.
        *reinterpret_cast<char16_t*>(out) = u'\uFFFD';
        out += 2;
        outLeft -= 2;
        ++in;
        --inLeft;
        conv.reset();
    }
    result.truncate((out - reinterpret_cast<char*>(result.data())) / 2);
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

} // namespace Cp932
