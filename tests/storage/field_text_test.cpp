#include "storage/field_text.h"

#include <gtest/gtest.h>

TEST(FieldText, StopsAtNulAndTrimsSpaces)
{
    struct Case {
        QByteArray field;
        QString text;
    };
    const Case cases[] = {
        {QByteArray("  abc   "), QStringLiteral("abc")},
        {QByteArray("        "), QString()},
        {QByteArray("ab\0cd   ", 8), QStringLiteral("ab")},
        {QByteArray("\0abc    ", 8), QString()},
        {QByteArray("\x95\x69\x96\xbc  "), QStringLiteral("品名")},
        {QByteArray("\x81\x40x\x81\x40 "), QStringLiteral("　x　")}, // full-width spaces stay
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FieldText(c.field.constData(), c.field.size()), c.text);
    }
    EXPECT_EQ(FieldText(QStringLiteral("  a b  ")), QStringLiteral("a b"));
    EXPECT_EQ(FieldText(QStringLiteral("ab") + QChar(u'\0') + QStringLiteral("cd")), QStringLiteral("ab"));
}

TEST(FieldText, ReadsNumbers)
{
    struct Case {
        QString text;
        double value;
        bool isNumber;
    };
    const Case cases[] = {
        {QStringLiteral(""), 0, false},
        {QStringLiteral("   "), 0, false},
        {QStringLiteral(" 12"), 12, true},
        {QStringLiteral("-3"), -3, true},
        {QStringLiteral("1.5"), 1.5, true},
        {QStringLiteral(" .5"), 0.5, true},
        {QStringLiteral("-.5"), -0.5, true},
        {QStringLiteral("1 "), 1, true},
        {QStringLiteral("abc"), 0, false},
        {QStringLiteral("12abc"), 0, false},
        {QStringLiteral("1,000"), 0, false},
        {QStringLiteral("1e3"), 0, false},
        {QStringLiteral("1.2.3"), 0, false},
        {QStringLiteral("-"), 0, false},
        {QStringLiteral("."), 0, false},
        {QStringLiteral("nan"), 0, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadNumber(c.text), c.value) << c.text.toStdString();
        EXPECT_EQ(ParseNumber(c.text).has_value(), c.isNumber) << c.text.toStdString();
    }
}

TEST(FieldText, FlagsAreOnOnlyWhenTheyReadAsOne)
{
    EXPECT_TRUE(ReadFlag(QStringLiteral("1")));
    EXPECT_TRUE(ReadFlag(QStringLiteral("1 ")));
    EXPECT_TRUE(ReadFlag(QStringLiteral(" 1.0")));
    EXPECT_FALSE(ReadFlag(QStringLiteral("yes")));
    EXPECT_FALSE(ReadFlag(QStringLiteral("")));
    EXPECT_FALSE(ReadFlag(QStringLiteral("0")));
    EXPECT_FALSE(ReadFlag(QStringLiteral("2")));
}

TEST(FieldText, StoredNumbersHaveALeadingSpaceWhenNotNegative)
{
    struct Case {
        double value;
        QString text;
    };
    const Case cases[] = {
        {0, QStringLiteral(" 0")},       {12, QStringLiteral(" 12")},     {-3, QStringLiteral("-3")},
        {1.5, QStringLiteral(" 1.5")},   {0.5, QStringLiteral(" .5")},    {-0.25, QStringLiteral("-.25")},
        {123456789, QStringLiteral(" 123456789")}, {0.1 + 0.2, QStringLiteral(" .3")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StoredNumberText(c.value), c.text) << c.value;
        EXPECT_DOUBLE_EQ(ReadNumber(StoredNumberText(c.value)), c.value);
    }
}
