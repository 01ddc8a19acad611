// The start-month choices, the test for a change into the next ledger year and the question
// before any other start month.
#include "settings/start_month.h"

#include "settings/settings_texts.h"

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

TEST(StartMonthTest, MonthAfterCountsAcrossTheTurnOfTheYear)
{
    const struct {
        const char* from;
        int months;
        const char* month;
    } cases[] = {
        {"2026/04", 2, "2026/06"},  {"2026/04", 11, "2027/03"}, {"2025/12", 1, "2026/01"},
        {" 2026/01 ", -1, "2025/12"}, {"2026/04", 0, "2026/04"}, {"", 1, ""},
        {"2026/13", 1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MonthAfter(QString::fromUtf8(c.from), c.months), QString::fromUtf8(c.month)) << c.from << " + " << c.months;
}

// The question says what moves where: the first and the last month of the ledger year as they are
// now and as they will be shown, for every client.
TEST(StartMonthTest, RelabelQuestionShowsWhereTheEnteredMonthsWillAppear)
{
    EXPECT_EQ(StartMonthRelabelQuestion(QStringLiteral("2026/04"), QStringLiteral("2026/06")),
              QStringLiteral("在庫管理開始年月を 2026/04 から 2026/06 に変更します。\r"
                             "入力済みの月毎の入出庫数量はそのまま残り、新しい開始年月から数えた月に表示されます。\r"
                             "　例：2026/04 の入出庫は 2026/06 の入出庫、\r"
                             "　　　2027/03 の入出庫は 2027/05 の入出庫として表示されます。\r"
                             "※サーバー接続の全てのクライアントの台帳が対象です。\r"
                             "変更しますか？"));
    // Backwards across the turn of the year.
    const QStringList earlier = StartMonthRelabelQuestion(QStringLiteral(" 2026/01 "), QStringLiteral("2025/10")).split(u'\r');
    EXPECT_EQ(earlier.value(0), QStringLiteral("在庫管理開始年月を 2026/01 から 2025/10 に変更します。"));
    EXPECT_EQ(earlier.value(2), QStringLiteral("　例：2026/01 の入出庫は 2025/10 の入出庫、"));
    EXPECT_EQ(earlier.value(3), QStringLiteral("　　　2026/12 の入出庫は 2026/09 の入出庫として表示されます。"));
    // Without a start month there is nothing to give as an example.
    const QStringList unset = StartMonthRelabelQuestion(QString(), QStringLiteral("2026/06")).split(u'\r');
    EXPECT_EQ(unset.value(0), QStringLiteral("在庫管理開始年月を （未設定） から 2026/06 に変更します。"));
    EXPECT_EQ(unset.size(), 4);
    EXPECT_FALSE(unset.join(u'\r').contains(QStringLiteral("例：")));
}
