// The filter's normalisation, matching and scans, table by table.
#include "ledger/filter_conditions.h"
#include "ledger/filter_scan.h"
#include "ledger_items_helper.h"
#include "support/temp_client_support.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace ledger_items;

namespace {

FilterConditionRows Rows(std::initializer_list<FilterConditionRow> rows)
{
    FilterConditionRows table;
    int r = 0;
    for (const FilterConditionRow& row : rows)
        table[size_t(r++)] = row;
    return table;
}

FilterConditionRow Cond(int column, const QString& word)
{
    return {QString::number(column), QStringLiteral("見出し%1").arg(column), word};
}

class FilterScanTest : public ::testing::Test {
protected:
    QList<int> scan(FilterConditionRows rows)
    {
        const FilterConditions conditions = NormaliseFilterConditions(rows);
        const FilterScanResult result = ScanForHits(client.state, conditions);
        EXPECT_TRUE(result.ok);
        return result.hits;
    }
    TempClient client;
};

TEST(FilterConditions, FilterableColumnsAreTheTextColumnsOfTheList)
{
    for (int column = 0; column <= 28; ++column)
        EXPECT_EQ(IsFilterableColumn(column), column == 1 || column == 2 || column == 3 || column == 4 || column == 5 || column == 8)
            << column;
    EXPECT_EQ(FilterFieldOf(8), ItemField::Unit);
}

TEST(FilterConditions, NormalisationMovesConditionsUpInColumnOrderAndEmptiesTheRest)
{
    struct Case {
        const char* name;
        FilterConditionRows rows;
        FilterConditionRows expectedRows;
        std::array<int, 3> columns;
    };
    const FilterConditionRow empty;
    const Case cases[] = {
        {"rows 3 and 1 become rows 1 and 2", Rows({Cond(4, u"丸"_s), empty, Cond(2, u"ボルト"_s)}),
         Rows({Cond(2, u"ボルト"_s), Cond(4, u"丸"_s), empty}), {2, 4, 0}},
        {"row 2 alone moves to row 1", Rows({empty, Cond(8, u"個"_s), empty}), Rows({Cond(8, u"個"_s), empty, empty}),
         {8, 0, 0}},
        {"words and captions are trimmed of spaces", Rows({{u" 3 "_s, u" 仕様 "_s, u"  M8 ナット  "_s}}),
         Rows({{u"3"_s, u"仕様"_s, u"M8 ナット"_s}}), {3, 0, 0}},
        {"a row without a column loses its caption and word", Rows({{QString(), u"品名"_s, u"x"_s}, Cond(1, u"A"_s)}),
         Rows({Cond(1, u"A"_s), empty, empty}), {1, 0, 0}},
        {"a column of 0 or text is no column", Rows({{u"0"_s, u"c"_s, u"w"_s}, {u"abc"_s, u"c"_s, u"w"_s}}),
         Rows({empty, empty, empty}), {0, 0, 0}},
    };
    for (const Case& c : cases) {
        FilterConditionRows rows = c.rows;
        const FilterConditions conditions = NormaliseFilterConditions(rows);
        EXPECT_EQ(rows, c.expectedRows) << c.name;
        EXPECT_EQ(conditions.column, c.columns) << c.name;
    }
}

TEST(FilterConditions, OnlyTheThreeFilledWordPatternsMatch)
{
    ItemRecord record = MakeItem({u"A1"_s, u"六角ボルト"_s, u"M8"_s, u"丸和"_s, u"棚1"_s, u"本"_s});
    struct Case {
        std::array<int, 3> columns;
        QStringList words;
        bool matches;
    };
    const Case cases[] = {
        {{2, 0, 0}, {u"ボルト"_s, {}, {}}, true},
        {{2, 3, 0}, {u"ボルト"_s, u"M8"_s, {}}, true},
        {{2, 3, 4}, {u"ボルト"_s, u"M8"_s, u"丸和"_s}, true},
        {{2, 3, 4}, {u"ボルト"_s, u"M8"_s, u"三和"_s}, false},
        {{2, 3, 0}, {{}, u"M8"_s, {}}, false},        // an empty T1 before a filled T2
        {{2, 3, 4}, {u"ボルト"_s, {}, u"丸和"_s}, false}, // T1 and T3 without T2
        {{0, 0, 0}, {QString(), QString(), QString()}, false},
    };
    for (const Case& c : cases) {
        FilterConditions conditions;
        conditions.column = c.columns;
        conditions.word = {c.words[0], c.words[1], c.words[2]};
        EXPECT_EQ(MatchesFilter(record, conditions), c.matches) << c.words[0].toStdString() << "/"
                                                               << c.words[1].toStdString() << "/" << c.words[2].toStdString();
    }
}

TEST_F(FilterScanTest, WordsAreFoundAnywhereInTheFieldButOnlyInTheSameSpelling)
{
    WriteItems(client.ledgerPath(), {{u"1"_s, u"ボルトM8"_s}, {u"2"_s, u"六角ボルト長"_s}, {u"3"_s, u"六角ボルト"_s},
                                     {u"4"_s, u"ﾎﾞﾙﾄ"_s}, {u"5"_s, u"ぼると"_s}, {u"6"_s, u"ボ ルト"_s},
                                     {u"7"_s, u"  ボルト  "_s}, {u"8"_s, u"BOLT"_s}, {u"9"_s, u"bolt"_s}});
    struct Case {
        QString word;
        QList<int> hits;
    };
    const Case cases[] = {
        {u"ボルト"_s, {1, 2, 3, 7}},   // start, middle, end, padded; not half-width, hiragana or split
        {u"  ボルト "_s, {1, 2, 3, 7}}, // trimmed spaces of the word never matter
        {u"ボ ルト"_s, {6}},            // inner spaces do
        {u"bolt"_s, {9}},               // case counts
        {u"ﾎﾞﾙﾄ"_s, {4}},
        {u"ナット"_s, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(scan(Rows({Cond(2, c.word)})), c.hits) << c.word.toStdString();
}

// The ledger's cp932 reads "～" back as U+FF5E; an input method types U+301C. Both are the one
// character the user sees, and the typed word finds it (in a re-filter as well).
TEST_F(FilterScanTest, WordsTypedWithAnInputMethodFindTheCharactersTheLedgerStores)
{
    WriteItems(client.ledgerPath(), {{u"1"_s, u"継手A～B"_s, u"M8－10"_s, u"丸和∥"_s, u"棚￠"_s, u"￡￢―"_s},
                                     {u"2"_s, u"継手A-B"_s, u"M8-10"_s}});
    struct Case {
        int column;
        QString typed;
    };
    const Case cases[] = {
        {2, u"A〜B"_s}, {3, u"8−1"_s}, {4, u"‖"_s}, {5, u"¢"_s}, {8, u"£¬—"_s},
        {2, u"A～B"_s}, // the stored form itself
    };
    for (const Case& c : cases) {
        EXPECT_EQ(scan(Rows({Cond(c.column, c.typed)})), QList<int>{1}) << c.typed.toStdString();
        FilterConditionRows rows = Rows({Cond(c.column, c.typed)});
        QList<int> hits{1, 2};
        EXPECT_EQ(RefilterHits(client.state, hits, NormaliseFilterConditions(rows)), 1) << c.typed.toStdString();
        // The condition table keeps what was typed.
        EXPECT_EQ(rows[0].word, c.typed);
    }
}

TEST_F(FilterScanTest, ConditionsAreCombinedWithAnd)
{
    WriteItems(client.ledgerPath(),
               {{u"A1"_s, u"ボルト"_s, u"M8"_s, u"丸和"_s, u"棚1"_s, u"本"_s},
                {u"A2"_s, u"ボルト"_s, u"M10"_s, u"丸和"_s, u"棚2"_s, u"本"_s},
                {u"B3"_s, u"ナット"_s, u"M8"_s, u"三和"_s, u"棚1"_s, u"個"_s},
                {u"B4"_s, u"ボルトナット"_s, u"M8"_s, u"三和"_s, u"棚3"_s, u"組"_s}});
    EXPECT_EQ(scan(Rows({Cond(2, u"ボルト"_s), Cond(3, u"M8"_s)})), (QList<int>{1, 4}));
    EXPECT_EQ(scan(Rows({Cond(5, u"棚1"_s), Cond(8, u"個"_s), Cond(1, u"B"_s)})), (QList<int>{3}));
    // The same column twice: both words in the one field.
    EXPECT_EQ(scan(Rows({Cond(2, u"ボルト"_s), Cond(2, u"ナット"_s)})), (QList<int>{4}));
    // A row with a column but no word that sorts first: nothing is found.
    EXPECT_EQ(scan(Rows({Cond(3, u"M8"_s), Cond(2, QString())})), QList<int>{});
    // The same rows the other way round: the empty word sorts last and the filled one counts.
    EXPECT_EQ(scan(Rows({Cond(2, u"ナット"_s), Cond(3, QString())})), (QList<int>{3, 4}));
}

TEST_F(FilterScanTest, RefilterKeepsTheMatchingHitsInOrderAndCanEmptyTheResult)
{
    WriteItems(client.ledgerPath(), {{u"1"_s, u"ボルト"_s, u"M8"_s}, {u"2"_s, u"ボルト"_s, u"M10"_s},
                                     {u"3"_s, u"ナット"_s, u"M8"_s}, {u"4"_s, u"ボルト"_s, u"M8"_s}});
    QList<int> hits = scan(Rows({Cond(2, u"ボルト"_s)}));
    ASSERT_EQ(hits, (QList<int>{1, 2, 4}));

    FilterConditionRows narrower = Rows({Cond(2, u"ボルト"_s), Cond(3, u"M8"_s)});
    EXPECT_EQ(RefilterHits(client.state, hits, NormaliseFilterConditions(narrower)), 2);
    EXPECT_EQ(hits, (QList<int>{1, 4}));

    // Record 3 matches the new word but was not in the result: a re-filter never adds.
    FilterConditionRows other = Rows({Cond(2, u"ナット"_s)});
    EXPECT_EQ(RefilterHits(client.state, hits, NormaliseFilterConditions(other)), 0);
    EXPECT_TRUE(hits.isEmpty());
}

TEST_F(FilterScanTest, AnEmptyLedgerHasNoHits)
{
    EXPECT_EQ(scan(Rows({Cond(2, u"x"_s)})), QList<int>{});
}

TEST(FilterConditions, MaxPageAndMessageWords)
{
    for (const auto& [hits, pages] : std::initializer_list<std::pair<int, int>>{{0, 1}, {1, 1}, {11, 1}, {12, 2}, {13, 2}, {24, 3}, {25, 3}})
        EXPECT_EQ(MaxPageOf(hits), pages) << hits;
    FilterConditions conditions;
    conditions.word = {u"a"_s, u"b"_s, QString()};
    EXPECT_EQ(conditions.wordsText(), u"a　b　　"_s);
    EXPECT_FALSE(FilterConditions{}.hasComplete());
}

} // namespace
