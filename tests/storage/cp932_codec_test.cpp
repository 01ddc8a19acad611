#include "storage/cp932_codec.h"

#include <gtest/gtest.h>

TEST(Cp932Codec, EncodesToWindowsCodePageBytes)
{
    struct Case {
        QString text;
        QByteArray bytes;
    };
    const Case cases[] = {
        {QStringLiteral("A-01"), QByteArray("A-01")},
        {QStringLiteral("あ"), QByteArray("\x82\xa0")},
        {QStringLiteral("品"), QByteArray("\x95\x69")},
        {QStringLiteral("ｶ"), QByteArray("\xb6")},            // half-width katakana: one byte
        {QStringLiteral("①"), QByteArray("\x87\x40")},         // NEC special character
        {QStringLiteral("髙"), QByteArray("\xfb\xfc")},        // IBM extension
        {QStringLiteral("　"), QByteArray("\x81\x40")},        // full-width space
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cp932::encode(c.text), c.bytes) << c.text.toStdString();
        EXPECT_EQ(Cp932::decode(c.bytes), c.text) << c.text.toStdString();
    }
}

TEST(Cp932Codec, InvalidBytesBecomeReplacementCharacters)
{
    // 0x82 followed by 0x20 is no character; 0xA0 and 0xFD-0xFF are never valid; a lone lead byte at the end.
    const QByteArray bytes("A\x82 B\xff" "C\x82", 7);
    const QString text = Cp932::decode(bytes);
    EXPECT_TRUE(text.startsWith(u'A'));
    EXPECT_TRUE(text.contains(u'B'));
    EXPECT_TRUE(text.contains(u'C'));
    EXPECT_TRUE(text.contains(QChar(u'\uFFFD')));
    EXPECT_FALSE(Cp932::isValid(bytes.constData(), bytes.size()));
    EXPECT_TRUE(Cp932::isValid("\x82\xa0", 2));
}

TEST(Cp932Codec, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(Cp932::encode(QStringLiteral("a😀b")), QByteArray("a?b"));
    EXPECT_EQ(Cp932::encode(QStringLiteral("x한y")), QByteArray("x?y"));
}

// Input methods type other code points than the ones the files read back as; both are stored as the
// same bytes, and a typed word compares with stored text in its stored form.
TEST(Cp932Codec, TypedVariantsAreStoredAndComparedAsTheCharacterTheFilesHold)
{
    struct Case {
        char16_t typed;
        char16_t stored;
        QByteArray bytes;
    };
    const Case cases[] = {
        {u'\u301C', u'\uFF5E', QByteArray("\x81\x60")}, // wave dash
        {u'\u2212', u'\uFF0D', QByteArray("\x81\x7c")}, // minus sign
        {u'\u2016', u'\u2225', QByteArray("\x81\x61")}, // double vertical line
        {u'\u00A2', u'\uFFE0', QByteArray("\x81\x91")}, // cent sign
        {u'\u00A3', u'\uFFE1', QByteArray("\x81\x92")}, // pound sign
        {u'\u00AC', u'\uFFE2', QByteArray("\x81\xca")}, // not sign
        {u'\u2014', u'\u2015', QByteArray("\x81\x5c")}, // dash
    };
    for (const Case& c : cases) {
        const QString typed = QStringLiteral("A") + QChar(c.typed) + QStringLiteral("B");
        const QString stored = QStringLiteral("A") + QChar(c.stored) + QStringLiteral("B");
        SCOPED_TRACE(typed.toStdString());
        EXPECT_EQ(Cp932::encode(typed), QByteArray("A") + c.bytes + "B"); // never '?': no data lost
        EXPECT_EQ(Cp932::encode(stored), QByteArray("A") + c.bytes + "B");
        EXPECT_EQ(Cp932::decode(Cp932::encode(typed)), stored);
        EXPECT_EQ(Cp932::storedForm(typed), stored);
        EXPECT_EQ(Cp932::storedForm(stored), stored);
    }
    // Characters the code page cannot hold stay as they are around the ones it maps.
    EXPECT_EQ(Cp932::storedForm(QStringLiteral("?😀〜한")), QStringLiteral("?😀～한"));
    EXPECT_EQ(Cp932::storedForm(QStringLiteral("ボルト M8-A")), QStringLiteral("ボルト M8-A"));
}

TEST(Cp932Codec, CutsAtCharacterBoundaries)
{
    const QString fifteen = QString(15, QChar(u'品'));
    EXPECT_EQ(Cp932::encodeToWidth(fifteen, 28).size(), 28);
    EXPECT_EQ(Cp932::decode(Cp932::encodeToWidth(fifteen, 28)), QString(14, QChar(u'品')));
    // An odd width never keeps half a character.
    EXPECT_EQ(Cp932::encodeToWidth(QStringLiteral("a品品"), 4), Cp932::encode(QStringLiteral("a品")));
    EXPECT_EQ(Cp932::encodeToWidth(QStringLiteral("ｶ品"), 2), QByteArray("\xb6"));
    EXPECT_EQ(Cp932::encodeToWidth(QStringLiteral("1234567890"), 7), QByteArray("1234567"));
}
