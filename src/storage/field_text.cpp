#include "storage/field_text.h"

#include "storage/cp932_codec.h"

#include <cmath>

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

std::optional<double> ParseNumber(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        ++i;
    int digits = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9') {
            ++digits;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
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
