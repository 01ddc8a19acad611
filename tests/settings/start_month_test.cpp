// The start-month choices and the test for a change into the next ledger year.
#include "settings/start_month.h"

#include <gtest/gtest.h>

TEST(StartMonthTest, JanuaryOf2025OffersThirtySixMonthsFrom2024To2026)
{
    const QStringList choices = StartMonthChoices(QDate(2025, 1, 15));
    ASSERT_EQ(choices.size(), 36);
    EXPECT_EQ(choices.first(), QStringLiteral("2024/01"));
    EXPECT_EQ(choices[9], QStringLiteral("2024/10"));
    EXPECT_EQ(choices[12], QStringLiteral("2025/01"));
    EXPECT_EQ(choices.last(), QStringLiteral("2026/12"));
}

TEST(StartMonthTest, NextLedgerYearIsExactlyTwelveMonthsLater)
{
    struct Case {
        const char* current;
        const char* chosen;
        bool next;
    };
    const Case cases[] = {
        {"2025/04", "2026/04", true},
        {"2025/12", "2026/12", true},
        {" 2025/04 ", "2026/04", true},
        {"2025/04", "2026/05", false},
        {"2025/04", "2026/03", false},
        {"2025/04", "2025/04", false},
        {"2026/04", "2025/04", false},
        {"2025/04", "2027/04", false},
        {"", "2026/04", false},
        {"2025/13", "2026/13", false},
        {"2025-04", "2026-04", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsNextLedgerYear(QString::fromUtf8(c.current), QString::fromUtf8(c.chosen)), c.next)
            << c.current << " -> " << c.chosen;
}
