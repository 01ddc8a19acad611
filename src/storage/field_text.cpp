#include "storage/field_text.h"

#include "storage/cp932_codec.h"

#include <charconv>
#include <cmath>
#include <string>

QString FieldText(const char* data, qsizetype width)
{
    qsizetype end = 0;
    while (end < width && data[end] != '\0')
        ++end;
    // Space (0x20) is never the second byte of a cp932 character, so trimming bytes is safe.
    qsizetype begin = 0;
    while (begin < end && data[begin] == ' ')
        ++begin;
    while (end > begin && data[end - 1] == ' ')
        --end;
    return Cp932::decode(data + begin, end - begin);
}

QString FieldText(const QString& text)
{
    qsizetype end = text.indexOf(QChar(u'\0'));
    if (end < 0)
        end = text.size();
    qsizetype begin = 0;
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

namespace {

constexpr bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

// Plain decimal text in 8- or 16-bit units: blanks around, optional sign, digits with at most one
// decimal point. Parsed without the locale, exactly.
template <typename Char>
std::optional<double> parseDecimal(const Char* text, qsizetype size)
{
    qsizetype begin = 0;
    qsizetype end = size;
    while (begin < end && isBlank(static_cast<char16_t>(text[begin])))
        ++begin;
    while (end > begin && isBlank(static_cast<char16_t>(text[end - 1])))
        --end;
    bool negative = false;
    if (begin < end && (text[begin] == '-' || text[begin] == '+')) {
        negative = text[begin] == '-';
        ++begin;
    }
    std::string digits;
    digits.reserve(static_cast<size_t>(end - begin));
    bool point = false;
    bool anyDigit = false;
    for (qsizetype i = begin; i < end; ++i) {
        const auto c = static_cast<char16_t>(text[i]);
        if (c >= u'0' && c <= u'9') {
            anyDigit = true;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
        digits.push_back(static_cast<char>(c));
    }
    if (!anyDigit)
        return std::nullopt;
    double value = 0;
    const auto [ptr, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || ptr != digits.data() + digits.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace

std::optional<double> ParseNumber(const QString& text)
{
    return parseDecimal(reinterpret_cast<const char16_t*>(text.constData()), text.size());
}

double ReadFieldNumber(const char* data, qsizetype width)
{
    qsizetype end = 0;
    while (end < width && data[end] != '\0')
        ++end;
    return parseDecimal(data, end).value_or(0.0);
}

double ReadNumber(const QString& text)
{
    return ParseNumber(text).value_or(0.0);
}

QString StoredNumberText(double value)
{
    if (!std::isfinite(value) || value == 0.0)
        return QStringLiteral(" 0");
    QString digits = QString::number(std::fabs(value), 'g', 15);
    if (digits.contains(u'e'))
        digits = QString::number(std::fabs(value), 'f', 6);
    if (digits.contains(u'.')) {
        while (digits.endsWith(u'0'))
            digits.chop(1);
        if (digits.endsWith(u'.'))
            digits.chop(1);
    }
    if (digits.startsWith(QStringLiteral("0.")))
        digits.remove(0, 1);
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + digits;
}
