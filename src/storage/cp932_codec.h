#pragma once
// Conversion between QString and the Japanese Windows code page (cp932), the encoding of
// every record and text file of the program. Byte widths of fields are cp932 byte counts.
#include <QByteArray>
#include <QString>

namespace Cp932 {

// Bytes that are not valid cp932 become U+FFFD; the rest of the text is kept.
QString decode(const char* data, qsizetype size);
inline QString decode(const QByteArray& bytes) { return decode(bytes.constData(), bytes.size()); }

// Characters that cp932 cannot hold become '?'.
QByteArray encode(const QString& text);

// `text` as it reads back from a cp932 file: every character cp932 can hold becomes the one it
// decodes to (an input method's "〜" U+301C becomes the "～" U+FF5E of the files, "−" U+2212
// becomes "－" U+FF0D, and so on); characters it cannot hold are kept as they are. Words typed by
// the user are compared with stored text in this form.
QString storedForm(const QString& text);

// The characters of `text` that cp932 cannot hold (encode() makes them '?'), each once, in the
// order they first appear; empty when it holds them all. An input method's variant of a stored
// character ("〜" for "～") is held: it is stored as that character.
QString missingCharacters(const QString& text);

// True when every byte sequence is a valid cp932 character.
bool isValid(const char* data, qsizetype size);

// True when the byte opens a double-byte character.
constexpr bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The longest prefix of `bytes` of at most `width` bytes that does not split a double-byte character.
QByteArray cutToWidth(const QByteArray& bytes, qsizetype width);

// encode() followed by cutToWidth().
inline QByteArray encodeToWidth(const QString& text, qsizetype width)
{
    return cutToWidth(encode(text), width);
}

} // namespace Cp932
