#include "ledger/number_format.h"

#include "storage/field_text.h"

#include <algorithm>
#include <cmath>

namespace {

struct PatternShape {
    bool grouping = false;
    int minIntegerDigits = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
};

PatternShape shapeOf(const QString& pattern)
{
    PatternShape shape;
    const qsizetype point = pattern.indexOf(u'.');
    const QStringView integerPart = point < 0 ? QStringView(pattern) : QStringView(pattern).left(point);
    const QStringView decimalPart = point < 0 ? QStringView() : QStringView(pattern).mid(point + 1);
    shape.grouping = integerPart.contains(u',');
    shape.minIntegerDigits = int(integerPart.count(u'0'));
    shape.minDecimals = int(decimalPart.count(u'0'));
    shape.maxDecimals = shape.minDecimals + int(decimalPart.count(u'#'));
    return shape;
}

// Adds one to the last digit of a string of decimal digits, carrying to the left.
void incrementDigits(QString& digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != u'9') {
            digits[i] = QChar(digits[i].unicode() + 1);
            return;
        }
        digits[i] = u'0';
    }
    digits.prepend(u'1');
}

// The magnitude as integer and decimal digits, rounded half away from zero to `decimals`. The
// value is first written to fifteen significant digits, so that a stored "0.15" rounds as the
// decimal text it was, not as the binary fraction just below it.
void roundedDigits(double magnitude, int decimals, QString& integer, QString& fraction)
{
    const int integerDigits = magnitude >= 1 ? int(std::floor(std::log10(magnitude))) + 1 : 1;
    const int precision = std::clamp(15 - integerDigits, decimals, 20);
    const QString text = QString::number(magnitude, 'f', precision);
    const qsizetype point = text.indexOf(u'.');
    integer = point < 0 ? text : text.left(point);
    const QString rest = point < 0 ? QString() : text.mid(point + 1);
    QString kept = integer + rest.left(decimals);
    if (rest.size() > decimals && rest[decimals] >= u'5')
        incrementDigits(kept);
    integer = kept.left(kept.size() - decimals);
    fraction = kept.right(decimals);
}

QString groupThousands(const QString& digits)
{
    QString grouped;
    grouped.reserve(digits.size() + digits.size() / 3);
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += u',';
        grouped += digits[i];
    }
    return grouped;
}

} // namespace

QString FormatNumber(double value, const QString& pattern)
{
    if (!std::isfinite(value))
        return QString();
    const PatternShape shape = shapeOf(pattern);
    QString integer;
    QString fraction;
    roundedDigits(std::fabs(value), shape.maxDecimals, integer, fraction);

    const auto onlyZeros = [](const QString& digits) {
        return std::all_of(digits.begin(), digits.end(), [](QChar c) { return c == u'0'; });
    };
    const bool zero = onlyZeros(integer) && onlyZeros(fraction);
    while (integer.startsWith(u'0'))
        integer.remove(0, 1);
    while (integer.size() < shape.minIntegerDigits)
        integer.prepend(u'0');
    while (fraction.size() > shape.minDecimals && fraction.endsWith(u'0'))
        fraction.chop(1);

    QString text = shape.grouping ? groupThousands(integer) : integer;
    if (!fraction.isEmpty())
        text += u'.' + fraction;
    if (value < 0 && !zero)
        text.prepend(u'-');
    return text;
}

QString IntegerFormat(const QString& field)
{
    return FormatNumber(ReadNumber(field), NumberPattern::Integer);
}

QString QuantityFormatA(const QString& field, bool decimals)
{
    const double value = ReadNumber(field);
    if (!decimals)
        return FormatNumber(value, NumberPattern::Integer);
    return value == 0 ? QString() : FormatNumber(value, NumberPattern::Decimal);
}

QString QuantityFormatB(const QString& field, bool decimals)
{
    const double value = ReadNumber(field);
    if (!decimals)
        return FormatNumber(value, NumberPattern::ShortInteger);
    return value == 0 ? QString() : FormatNumber(value, NumberPattern::ShortDecimal);
}

QString RateFormat(const QString& field)
{
    const double value = ReadNumber(field);
    if (FieldText(field).isEmpty() || value == 0)
        return QString();
    return FormatNumber(value / 10, NumberPattern::Rate);
}
