#include "mail/mime_headers.h"

#include <QFileInfo>
#include <QUuid>

namespace {

// Encoded words carry at most 45 bytes of UTF-8: 60 base64 characters, 72 with the frame.
constexpr qsizetype EncodedWordBytes = 45;
const QByteArray Fold = QByteArrayLiteral("\r\n ");

bool isPlainAscii(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    return !text.contains(QStringLiteral("=?"));
}

QByteArray encodedWord(const QByteArray& utf8)
{
    return QByteArrayLiteral("=?UTF-8?B?") + utf8.toBase64() + QByteArrayLiteral("?=");
}

// The UTF-8 bytes of `text` in pieces of at most EncodedWordBytes, never splitting a character.
QList<QByteArray> utf8Pieces(const QString& text)
{
    QList<QByteArray> pieces;
    QByteArray piece;
    const QList<uint> codePoints = text.toUcs4();
    for (const uint codePoint : codePoints) {
        const char32_t one[1] = {char32_t(codePoint)};
        const QByteArray bytes = QString::fromUcs4(one, 1).toUtf8();
        if (piece.size() + bytes.size() > EncodedWordBytes) {
            pieces.append(piece);
            piece.clear();
        }
        piece += bytes;
    }
    if (!piece.isEmpty())
        pieces.append(piece);
    return pieces;
}

// A quoted-string parameter value with its backslashes and quotes escaped.
QByteArray quoted(const QString& text)
{
    QByteArray value = text.toLatin1();
    value.replace('\\', "\\\\");
    value.replace('"', "\\\"");
    return '"' + value + '"';
}

// RFC 2231 extended value: UTF-8, every byte outside the attribute characters as %XX.
QByteArray extendedValue(const QString& text)
{
    QByteArray value = QByteArrayLiteral("UTF-8''");
    static const QByteArray keep = QByteArrayLiteral("!#$&+-.^_`|~");
    for (const char byte : text.toUtf8()) {
        const auto c = static_cast<unsigned char>(byte);
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || keep.contains(char(c)))
            value += char(c);
        else
            value += '%' + QByteArray::number(c, 16).toUpper().rightJustified(2, '0');
    }
    return value;
}

// `name="…"` for a file name: the name itself when it is plain ASCII, otherwise the extended
// parameter and the encoded-word form.
QByteArray fileNameParameters(const char* parameter, const QString& fileName)
{
    if (isPlainAscii(fileName))
        return QByteArray("; ") + parameter + '=' + quoted(fileName);
    QList<QByteArray> words;
    for (const QByteArray& piece : utf8Pieces(fileName))
        words.append(encodedWord(piece));
    return QByteArray(";") + Fold + parameter + "*=" + extendedValue(fileName) + ';' + Fold + parameter + "=\"" +
           words.join(' ') + '"';
}

} // namespace

QByteArray EncodedHeaderText(const QString& text)
{
    if (isPlainAscii(text))
        return text.toLatin1();
    QList<QByteArray> words;
    for (const QByteArray& piece : utf8Pieces(text))
        words.append(encodedWord(piece));
    return words.join(Fold);
}

QString BareMailAddress(const QString& text)
{
    QString address = text.trimmed();
    for (const QChar c : address)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return QString();
    const qsizetype open = address.indexOf(u'<');
    if (open >= 0) {
        const qsizetype close = address.indexOf(u'>', open);
        if (close < 0 || close != address.size() - 1)
            return QString();
        address = address.mid(open + 1, close - open - 1).trimmed();
    }
    static const QString forbidden = QStringLiteral("<>()[]\\,;:\"");
    for (const QChar c : address)
        if (c.unicode() <= 0x20 || c.unicode() >= 0x7f || forbidden.contains(c))
            return QString();
    const qsizetype at = address.lastIndexOf(u'@');
    if (at <= 0 || at == address.size() - 1)
        return QString();
    return address;
}

QByteArray MailboxHeaderText(const QString& text)
{
    const QString address = BareMailAddress(text);
    const qsizetype open = text.indexOf(u'<');
    QString name = open > 0 ? text.left(open).trimmed() : QString();
    if (name.size() >= 2 && name.startsWith(u'"') && name.endsWith(u'"'))
        name = name.mid(1, name.size() - 2);
    if (name.isEmpty())
        return address.toLatin1();
    const QByteArray shownName = isPlainAscii(name) ? quoted(name) : EncodedHeaderText(name);
    return shownName + " <" + address.toLatin1() + '>';
}

QByteArray AddressListHeaderText(const QStringList& addresses)
{
    QByteArrayList list;
    for (const QString& address : addresses)
        list.append(address.toLatin1());
    return list.join(", ");
}

QByteArray AttachmentTypeHeader(const QString& mimeType, const QString& fileName)
{
    return "Content-Type: " + mimeType.toLatin1() + fileNameParameters("name", fileName);
}

QByteArray AttachmentDispositionHeader(const QString& fileName)
{
    return "Content-Disposition: attachment" + fileNameParameters("filename", fileName);
}

QByteArray MailDateText(const QDateTime& moment)
{
    return moment.toString(Qt::RFC2822Date).toLatin1();
}

QByteArray NewMessageId(const QString& senderAddress)
{
    const qsizetype at = senderAddress.lastIndexOf(u'@');
    const QString domain = at >= 0 ? senderAddress.mid(at + 1) : QStringLiteral("localhost");
    return '<' + QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1() + '@' + domain.toLatin1() + '>';
}

QString AttachmentMimeType(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == u"xlsx")
        return QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet");
    if (suffix == u"xls")
        return QStringLiteral("application/vnd.ms-excel");
    return QStringLiteral("application/octet-stream");
}
