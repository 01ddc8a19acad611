#include "workbook/xlsx_text_escapes.h"

#include <cstdio>

namespace {

constexpr size_t EscapeLength = 7; // "_x" + four hex digits + "_"

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The code unit of the escape at `at`, or -1 when no escape begins there.
int escapeAt(std::string_view text, size_t at)
{
    if (at + EscapeLength > text.size() || text[at] != '_' || text[at + 1] != 'x' || text[at + 6] != '_')
        return -1;
    int unit = 0;
    for (size_t k = at + 2; k < at + 6; ++k) {
        const int digit = hexValue(text[k]);
        if (digit < 0)
            return -1;
        unit = unit * 16 + digit;
    }
    return unit;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

void appendEscape(std::string& out, unsigned unit)
{
    char escape[8];
    std::snprintf(escape, sizeof escape, "_x%04X_", unit);
    out += escape;
}

} // namespace

std::string DecodeXlsxEscapes(std::string_view text)
{
    if (text.find("_x") == std::string_view::npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const int unit = escapeAt(text, at);
        if (unit < 0) {
            out += text[at++];
            continue;
        }
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (high) {
            const int next = escapeAt(text, at + EscapeLength);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(next) - 0xDC00));
                at += 2 * EscapeLength;
                continue;
            }
        }
        if (high || low) { // half of a pair: kept as written
            out.append(text.substr(at, EscapeLength));
        } else {
            appendUtf8(out, char32_t(unit));
        }
        at += EscapeLength;
    }
    return out;
}

void AppendXlsxText(std::string& out, std::string_view text)
{
    for (size_t at = 0; at < text.size(); ++at) {
        const auto c = static_cast<unsigned char>(text[at]);
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '_':
            if (escapeAt(text, at) >= 0)
                appendEscape(out, '_');
            else
                out += '_';
            break;
        default:
            // XML reads a carriage return as a line feed and cannot hold the other controls.
            if (c < 0x20 && c != '\t' && c != '\n')
                appendEscape(out, c);
            else
                out += char(c);
        }
    }
}
