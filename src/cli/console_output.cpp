#include "cli/console_output.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

void write(FILE* stream, const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

} // namespace

void PrintOut(const QString& text)
{
    write(stdout, text.toUtf8());
}

void PrintError(const QString& text)
{
    write(stderr, text.toUtf8());
    std::fflush(stderr);
}

void PrintOutBytes(const QByteArray& bytes)
{
    write(stdout, bytes);
}

QString DecimalText(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    if (value == 0)
        return QStringLiteral("0");
    char buffer[512];
    // Round to 15 significant digits, the precision a sum of stored values can claim ...
    auto rounded = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    double clean = value;
    std::from_chars(buffer, rounded.ptr, clean, std::chars_format::scientific);
    // ... then the shortest fixed-point text that reads back as that number.
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, clean, std::chars_format::fixed);
    return QString::fromLatin1(buffer, end.ptr - buffer);
}
