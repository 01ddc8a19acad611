#include "ledger/number_format.h"

#include <gtest/gtest.h>

namespace {

struct PatternCase {
    double value;
    const char16_t* pattern;
    const char16_t* expected;
};

TEST(NumberFormatTest, FormatsEveryPatternOfTheProgram)
{
    const PatternCase cases[] = {
        // Whole-number patterns: separators throughout, nothing for 0, halves away from zero.
        {1200, u"###,###,###", u"1,200"},
        {0, u"###,###,###", u""},
        {0.4, u"###,###,###", u""},
        {-0.4, u"###,###,###", u""},
        {0.5, u"###,###,###", u"1"},
        {1234.5, u"###,###,###", u"1,235"},
        {-1234.5, u"###,###,###", u"-1,235"},
        {999.5, u"#,###,###", u"1,000"},
        {12, u"##,###,###", u"12"},
        {1234567, u"####,###", u"1,234,567"},
        {1234567890, u"###,###,###", u"1,234,567,890"},
        {12345678901, u"#,###,###,###", u"12,345,678,901"},
        {1e12, u"#,###,###", u"1,000,000,000,000"},
        // One-decimal patterns: exactly one digit, no leading zero below 1.
        {5, u"###,###,###.0", u"5.0"},
        {3703.5, u"###,###,###.0", u"3,703.5"},
        {1234.56, u"#,###,###.0", u"1,234.6"},
        {0.5, u"###,###.0", u".5"},
        {-0.5, u"##,###.0", u"-.5"},
        {123.4, u"###.0", u"123.4"},
        {0.15, u"###.0", u".2"},      // the decimal text, not the binary fraction below it
        {2.25, u"###.0", u"2.3"},
        {123456789.15, u"###,###,###.0", u"123,456,789.2"},
        {0, u"###.0", u".0"},         // callers leave such cells empty themselves
        {-0.04, u"###.0", u".0"},
        // Required digits where a pattern asks for them.
        {0, u"0.00", u"0.00"},
        {7, u"000", u"007"},
    };
    for (const auto& c : cases) {
        const QString pattern = QString::fromUtf16(c.pattern);
        EXPECT_EQ(FormatNumber(c.value, pattern), QString::fromUtf16(c.expected)) << c.value << " " << qPrintable(pattern);
    }
}

TEST(NumberFormatTest, NonFiniteValuesPrintNothing)
{
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), NumberPattern::Integer), QString());
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::quiet_NaN(), NumberPattern::Rate), QString());
}

struct ListFormatCase {
    const char16_t* field;
    bool decimals;
    const char16_t* integer;
    const char16_t* quantityA;
    const char16_t* quantityB;
};

TEST(NumberFormatTest, ListFormatsFollowTheDecimalOption)
{
    const ListFormatCase cases[] = {
        {u"1200", false, u"1,200", u"1,200", u"1,200"},
        {u"1200", true, u"1,200", u"1,200.0", u"1,200.0"},  // the unit price ignores the option
        {u"5", true, u"5", u"5.0", u"5.0"},
        {u"0", true, u"", u"", u""},
        {u" 0", false, u"", u"", u""},
        {u"", true, u"", u"", u""},
        {u"12.5", false, u"13", u"13", u"13"},
        {u"12.5", true, u"13", u"12.5", u"12.5"},
        {u"0.25", true, u"", u".3", u".3"},
        {u"-3", false, u"-3", u"-3", u"-3"},
        {u"abc", true, u"", u"", u""},
    };
    for (const auto& c : cases) {
        const QString field = QString::fromUtf16(c.field);
        EXPECT_EQ(IntegerFormat(field), QString::fromUtf16(c.integer)) << qPrintable(field);
        EXPECT_EQ(QuantityFormatA(field, c.decimals), QString::fromUtf16(c.quantityA)) << qPrintable(field) << c.decimals;
        EXPECT_EQ(QuantityFormatB(field, c.decimals), QString::fromUtf16(c.quantityB)) << qPrintable(field) << c.decimals;
    }
}

TEST(NumberFormatTest, RatesAreTenthsOfAPercent)
{
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"1234", u"123.4"}, {u"5", u".5"}, {u"800", u"80.0"}, {u" 1000", u"100.0"},
        {u"0", u""}, {u"", u""}, {u"   ", u""}, {u"-15", u"-1.5"},
    };
    for (const auto& [field, expected] : cases)
        EXPECT_EQ(RateFormat(QString::fromUtf16(field)), QString::fromUtf16(expected)) << qPrintable(QString::fromUtf16(field));
}

} // namespace
