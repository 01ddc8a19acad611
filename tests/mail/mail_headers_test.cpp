// Header texts of the mail: encoded words, addresses, attachment names.
#include "mail/mime_headers.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// Decodes a header made of encoded words (or plain ASCII) back to text.
QString decodeWords(const QByteArray& header)
{
    static const QRegularExpression word(QStringLiteral("=\\?UTF-8\\?B\\?([A-Za-z0-9+/=]*)\\?="));
    const QString text = QString::fromLatin1(header);
    if (!text.contains(QStringLiteral("=?")))
        return text;
    QByteArray utf8;
    for (auto match = word.globalMatch(text); match.hasNext();)
        utf8 += QByteArray::fromBase64(match.next().captured(1).toLatin1());
    return QString::fromUtf8(utf8);
}

} // namespace

TEST(MailHeadersTest, EncodedTextKeepsAsciiAndSplitsJapaneseIntoShortWordsOnCharacterBoundaries)
{
    EXPECT_EQ(EncodedHeaderText(QStringLiteral("Stock report")), QByteArray("Stock report"));
    for (const QString& text :
         {QStringLiteral("2025年01月15日在庫品購入　"), QStringLiteral("在庫品").repeated(30) + QStringLiteral("😀x"),
          QStringLiteral("=?fake?= text"), QStringLiteral("line\r\nBcc: x@y")}) {
        const QByteArray header = EncodedHeaderText(text);
        EXPECT_EQ(decodeWords(header), text);
        for (const QByteArray& line : header.split('\n')) {
            const QByteArray word = line.trimmed();
            EXPECT_LE(word.size(), 75) << word.constData();
            EXPECT_TRUE(word.startsWith("=?UTF-8?B?") && word.endsWith("?=")) << word.constData();
            // Each word decodes on its own: no character is cut in two.
            const QByteArray bytes = QByteArray::fromBase64(word.mid(10, word.size() - 12));
            EXPECT_EQ(QString::fromUtf8(bytes).toUtf8(), bytes);
        }
        EXPECT_FALSE(header.contains("\r\nB")); // a line break inside the text never starts a header
    }
}

TEST(MailHeadersTest, BareAddressAcceptsPlainAndNamedFormsAndRefusesTheRest)
{
    const struct {
        const char16_t* text;
        const char16_t* address;
    } cases[] = {
        {u"buyer@example.jp", u"buyer@example.jp"},
        {u"  buyer@example.jp ", u"buyer@example.jp"},
        {u"購買係 <buyer@example.jp>", u"buyer@example.jp"},
        {u"\"Buyer\" <buyer@example.jp>", u"buyer@example.jp"},
        {u"buyer", u""},
        {u"@example.jp", u""},
        {u"buyer@", u""},
        {u"bu yer@example.jp", u""},
        {u"buyer@example.jp\r\nRCPT TO:<x@y>", u""},
        {u"ｂｕｙｅｒ＠example.jp", u""},
        {u"a@x;c@y", u""},
        {u"<buyer@example.jp", u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BareMailAddress(QString::fromUtf16(c.text)), QString::fromUtf16(c.address))
            << QString::fromUtf16(c.text).toStdString();
}

TEST(MailHeadersTest, FromHeaderEncodesAJapaneseDisplayName)
{
    EXPECT_EQ(MailboxHeaderText(QStringLiteral("stock@example.jp")), QByteArray("stock@example.jp"));
    EXPECT_EQ(MailboxHeaderText(QStringLiteral("Stock Desk <stock@example.jp>")),
              QByteArray("\"Stock Desk\" <stock@example.jp>"));
    const QByteArray named = MailboxHeaderText(QStringLiteral("在庫管理 <stock@example.jp>"));
    EXPECT_TRUE(named.endsWith(" <stock@example.jp>"));
    EXPECT_EQ(decodeWords(named.left(named.indexOf(' '))), QStringLiteral("在庫管理"));
}

TEST(MailHeadersTest, AttachmentNamesAsciiQuotedJapaneseAsExtendedParameter)
{
    EXPECT_EQ(AttachmentDispositionHeader(QStringLiteral("stock.xlsx")),
              QByteArray("Content-Disposition: attachment; filename=\"stock.xlsx\""));
    const QByteArray japanese = AttachmentDispositionHeader(QStringLiteral("在庫品台帳2025年01月.xlsx"));
    EXPECT_TRUE(japanese.contains("filename*=UTF-8''%E5%9C%A8%E5%BA%AB%E5%93%81%E5%8F%B0%E5%B8%B32025%E5%B9%B401%E6%9C%88.xlsx;"))
        << japanese.constData();
    EXPECT_TRUE(AttachmentTypeHeader(AttachmentMimeType(QStringLiteral("a.xlsx")), QStringLiteral("a.xlsx"))
                    .startsWith("Content-Type: application/vnd.openxmlformats-officedocument.spreadsheetml.sheet; "
                                "name=\"a.xlsx\""));
}
