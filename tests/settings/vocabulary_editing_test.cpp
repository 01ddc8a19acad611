// The vocabulary editor's operations on a copy of one list: the previews of insert, delete and
// clear-below, the swap, the 28-byte rule of Enter, and lists far beyond the old 2 010 entries.
#include "settings/vocabulary_editing.h"
#include "storage/settings_lines.h"
#include "support/temp_client_support.h"

#include <gtest/gtest.h>

namespace {

const QString Blank = VocabularyEditing::BlankWord;

// Entries whose ids follow their words ("a" has the id "#a"), blanks and end marks included.
VocabularyEntries entriesOf(const QStringList& words)
{
    VocabularyEntries entries;
    for (const QString& word : words)
        entries.push_back({word.isEmpty() || word == Blank ? word : QStringLiteral("#") + word, word});
    return entries;
}

QStringList wordsOf(const VocabularyEntries& entries)
{
    QStringList words;
    for (const VocabularyEntry& e : entries)
        words.append(e.word);
    return words;
}

QStringList idsOf(const VocabularyEntries& entries)
{
    QStringList ids;
    for (const VocabularyEntry& e : entries)
        ids.append(e.id);
    return ids;
}

struct PreviewCase {
    const char* name;
    VocabularyEntries (*preview)(const VocabularyEntries&, int);
    int row;
    QStringList expected;
};

TEST(VocabularyEditingTest, PreviewsShiftBlankAndDropEntriesOfAFourRowList)
{
    const QStringList fourRows{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QString()};
    const PreviewCase cases[] = {
        {"insert at row 2", &InsertPreview, 2, {QStringLiteral("a"), Blank, QStringLiteral("b"), QStringLiteral("c")}},
        {"insert at the last row", &InsertPreview, 4, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), Blank}},
        {"delete row 1", &DeletePreview, 1, {QStringLiteral("b"), QStringLiteral("c"), QString(), QString()}},
        {"delete the last row", &DeletePreview, 4, fourRows},
        {"clear below row 2", &ClearBelowPreview, 2, {QStringLiteral("a"), Blank, Blank, Blank}},
        {"insert at row 0", &InsertPreview, 0, fourRows},
        {"delete past the end", &DeletePreview, 5, fourRows},
        {"clear below row 0", &ClearBelowPreview, 0, fourRows},
    };
    for (const PreviewCase& c : cases) {
        const VocabularyEntries before = entriesOf(fourRows);
        const VocabularyEntries after = c.preview(before, c.row);
        EXPECT_EQ(wordsOf(after), c.expected) << c.name;
        // Ids travel with their words; blanks carry a blank id.
        EXPECT_EQ(idsOf(after), idsOf(entriesOf(c.expected))) << c.name;
        EXPECT_EQ(wordsOf(before), fourRows) << c.name << ": the list itself is untouched";
    }
}

TEST(VocabularyEditingTest, AnInsertThatWouldPushOutAWordIsRecognised)
{
    EXPECT_FALSE(InsertDropsAWord(entriesOf({QStringLiteral("a"), QString()})));
    EXPECT_FALSE(InsertDropsAWord(entriesOf({QStringLiteral("a"), Blank})));
    EXPECT_FALSE(InsertDropsAWord(entriesOf({})));
    EXPECT_TRUE(InsertDropsAWord(entriesOf({QStringLiteral("a"), QStringLiteral("b")})));
}

TEST(VocabularyEditingTest, SwapExchangesIdAndWordAndNeverStrandsAWordBehindAnEndMark)
{
    VocabularyEntries entries = entriesOf({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                                           QStringLiteral("e"), QString()});
    SwapEntries(entries, 3, 5);
    EXPECT_EQ(wordsOf(entries), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("e"), QStringLiteral("d"),
                                             QStringLiteral("c"), QString()}));
    EXPECT_EQ(entries[2].id, QStringLiteral("#e"));
    EXPECT_EQ(entries[4].id, QStringLiteral("#c"));

    // The end mark swapped in front of a word would end the list there when it is read again.
    VocabularyEntries withEnd = entriesOf({QStringLiteral("a"), QStringLiteral("b"), QString()});
    SwapEntries(withEnd, 2, 3);
    EXPECT_EQ(wordsOf(withEnd), (QStringList{QStringLiteral("a"), Blank, QStringLiteral("b")}));
}

TEST(VocabularyEditingTest, AnEmptyWordBeforeAnotherWordIsStoredAsABlank)
{
    VocabularyEntries entries = entriesOf({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QString()});
    StoreWord(entries, 2, QString());
    EXPECT_EQ(wordsOf(entries), (QStringList{QStringLiteral("a"), Blank, QStringLiteral("c"), QString()}));
    EXPECT_EQ(entries[1].id, QStringLiteral("#b")) << "the id stays";
    StoreWord(entries, 3, QString()); // the last word: the list simply ends earlier
    EXPECT_EQ(wordsOf(entries), (QStringList{QStringLiteral("a"), Blank, QString(), QString()}));
}

TEST(VocabularyEditingTest, EnterAcceptsUpTo28Cp932BytesAndCutsARefusedTextTo20Characters)
{
    struct Case {
        const char* name;
        QString typed;
        bool accepted;
        QString result; // the stored word, or what the box keeps
    };
    const Case cases[] = {
        {"14 full-width characters", QString(14, u'あ'), true, QString(14, u'あ')},
        {"15 full-width characters", QString(15, u'あ'), false, QString(15, u'あ')},
        {"20 full-width characters", QString(20, u'あ'), false, QString(20, u'あ')},
        {"30 half-width characters", QString(30, u'x'), false, QString(20, u'x')},
        {"20 half-width characters", QString(20, u'x'), true, QString(20, u'x')},
        {"28 half-width katakana", QString(28, u'ｱ'), true, QString(28, u'ｱ')},
        {"spaces around", QStringLiteral("  ボルト "), true, QStringLiteral("ボルト")},
        {"an empty box", QString(), true, QString()},
    };
    for (const Case& c : cases) {
        const WordEntryCheck check = CheckWordEntry(c.typed);
        EXPECT_EQ(check.accepted, c.accepted) << c.name;
        EXPECT_EQ(c.accepted ? check.word : check.cutText, c.result) << c.name;
    }
    // A cut text that is still too long is refused again.
    EXPECT_FALSE(CheckWordEntry(CheckWordEntry(QString(15, u'あ')).cutText).accepted);
}

TEST(VocabularyEditingTest, ListsBeyondTwoThousandEntriesUpToTheTableCapacity)
{
    constexpr int count = VocabularyTable::EntryCapacity;
    TempClient client;
    AppState& state = client.state;
    state.SharedSettings[ListCountLine(2)] = QString::number(count);
    for (int i = 1; i < count; ++i)
        state.Vocabulary.setEntry(2, i, {QString(), QStringLiteral("w%1").arg(i)});
    ASSERT_EQ(EditorRowCount(state, 2), count);

    const VocabularyEntries entries = ListEntries(state.Vocabulary, 2, count);
    const VocabularyEntries inserted = InsertPreview(entries, 2500);
    ASSERT_EQ(int(inserted.size()), count);
    EXPECT_EQ(inserted[2498].word, QStringLiteral("w2499"));
    EXPECT_EQ(inserted[2499].word, Blank);
    EXPECT_EQ(inserted[2500].word, QStringLiteral("w2500"));
    EXPECT_EQ(inserted[count - 1].word, QStringLiteral("w%1").arg(count - 1)) << "the end mark dropped out";

    const VocabularyEntries deleted = DeletePreview(entries, 1);
    EXPECT_EQ(deleted[0].word, QStringLiteral("w2"));
    EXPECT_EQ(deleted[count - 2].word, QString());
    EXPECT_EQ(deleted[count - 1].word, QString());

    const VocabularyEntries cleared = ClearBelowPreview(entries, 9000);
    EXPECT_EQ(cleared[8998].word, QStringLiteral("w8999"));
    EXPECT_EQ(cleared[count - 1].word, Blank);

    StoreListEntries(state.Vocabulary, 2, inserted);
    EXPECT_EQ(state.Vocabulary.entry(2, count).word, QStringLiteral("w%1").arg(count - 1));

    // Counts that are not numbers or exceed the table.
    state.SharedSettings[ListCountLine(3)] = QStringLiteral("20000");
    state.SharedSettings[ListCountLine(4)] = QStringLiteral("abc");
    state.SharedSettings[ListCountLine(5)] = QStringLiteral("-3");
    EXPECT_EQ(EditorRowCount(state, 3), count);
    EXPECT_EQ(EditorRowCount(state, 4), 0);
    EXPECT_EQ(EditorRowCount(state, 5), 0);
}

} // namespace
