// The vocabulary import: the lists of the fixture in both formats, the 2 000-entry cap, and
// writing the lists with their counts, kept ids and a cleared end mark.
#include "excel_import/vocabulary_import.h"

#include "storage/settings_files.h"
#include "storage/vocabulary.h"
#include "support/temp_client_support.h"
#include "workbook/workbook_operations.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

VocabularyImportPlan readFixture(const QString& name)
{
    std::unique_ptr<Workbook> book;
    EXPECT_TRUE(OpenForReading(QStringLiteral(TEV_TEST_DATA_DIR "/workbook/") + name, book).ok()) << name.toStdString();
    return book ? ReadVocabularyImport(book->sheet()) : VocabularyImportPlan{};
}

} // namespace

TEST(VocabularyImportRead, FixtureListsFromBothFormats)
{
    const std::array<QStringList, 5> expected = {
        QStringList{u"ボルト"_s, u"ナット"_s, u"ベアリング"_s, u"グリス"_s},
        QStringList{u"M8"_s, u"0012"_s}, // text "0012" stays as it is
        QStringList{},                   // column D is empty from row 5
        QStringList{u"倉庫A-1"_s, u"棚B"_s, u"油庫"_s},
        QStringList{u"個"_s, u"本"_s, u"缶"_s, u"kg"_s},
    };
    for (const QString& name : {u"Mb在庫品項目INP.xlsx"_s, u"Mb在庫品項目INP.xls"_s}) {
        SCOPED_TRACE(name.toStdString());
        const VocabularyImportPlan plan = readFixture(name);
        EXPECT_EQ(plan.lists, expected);
        EXPECT_TRUE(plan.problems.isEmpty());
    }
}

TEST(VocabularyImportRead, ListsStopAtTheFirstEmptyCellAndAfter2000Entries)
{
    auto book = Workbook::createBlank(QString());
    Worksheet& sheet = book->sheet();
    for (int k = 1; k <= 2001; ++k)
        sheet.setText(k + 4, 2, u"語%1"_s.arg(k)); // B: one entry too many
    for (int k = 1; k <= 2000; ++k)
        sheet.setNumber(k + 4, 3, k);            // C: exactly 2000
    sheet.setText(5, 4, u"  前後に空白  "_s);     // D: trimmed, then a gap
    sheet.setText(7, 4, u"空きの後"_s);
    sheet.setText(6, 6, u"行6"_s);               // F: row 5 empty

    const VocabularyImportPlan plan = ReadVocabularyImport(sheet);
    ASSERT_EQ(plan.lists[0].size(), 2000);
    EXPECT_EQ(plan.lists[0].back(), u"語2000"_s);
    ASSERT_EQ(plan.lists[1].size(), 2000);
    EXPECT_EQ(plan.lists[1][11], u"12"_s);
    EXPECT_EQ(plan.lists[2], QStringList{u"前後に空白"_s});
    EXPECT_TRUE(plan.lists[3].isEmpty());
    EXPECT_TRUE(plan.lists[4].isEmpty());
    ASSERT_EQ(plan.problems.size(), 1);
    EXPECT_EQ(ImportProblemLine(plan.problems[0]), u"行 2005 B列：項目が2000件を超えるため、この行から後は取り込まれません"_s);
}

TEST(VocabularyImportRead, EntriesTheListsCannotHoldAsTheyAreAreProblems)
{
    auto book = Workbook::createBlank(QString());
    Worksheet& sheet = book->sheet();
    sheet.setText(5, 2, u"é"_s);                                   // not in the code page
    sheet.setText(6, 2, u"3/8\"ねじ"_s);                           // the list files quote their entries
    sheet.setText(7, 2, u"あいうえおかきくけこさしすせそ"_s);      // 30 bytes: one character over
    sheet.setText(8, 2, u"ABCDEFGHIJKLMNOPQRSTUVWXYZab"_s);         // exactly 28 bytes
    sheet.setUnreadableFormula(5, 3);                               // C: a formula without its result

    const VocabularyImportPlan plan = ReadVocabularyImport(sheet);
    EXPECT_EQ(plan.lists[0], (QStringList{u"é"_s, u"3/8'ねじ"_s, u"あいうえおかきくけこさしすせ"_s, u"ABCDEFGHIJKLMNOPQRSTUVWXYZab"_s}));
    QStringList lines;
    for (const ImportProblem& problem : plan.problems)
        lines.append(ImportProblemLine(problem));
    EXPECT_EQ(lines, (QStringList{
                         u"行 5 B列：保存できない文字「é」があります（「?」になります）"_s,
                         u"行 5 C列：計算式の結果が保存されていないため読み取れません"_s,
                         u"行 6 B列：「\"」は使えないため「'」に置き換えます（3/8\"ねじ）"_s,
                         u"行 7 B列：文字数が欄の幅を超えるため切り詰められます（あいうえおかきくけこさしすせそ）"_s,
                     }));
    EXPECT_TRUE(ImportIsRefused(plan.problems));
}

TEST(VocabularyImportApply, WritesWordsCountsAndClearsTheEndMark)
{
    TempClient client;
    // Before: list 2 has four words, the first with an id; list 3 two words.
    for (int list = 2; list <= 6; ++list)
        client.state.SharedSettings[ListCountLine(list)] = u"1"_s;
    client.state.SharedSettings[ListCountLine(2)] = u"5"_s;
    client.state.SharedSettings[ListCountLine(3)] = u"3"_s;
    const QString oldWords[] = {u"旧1"_s, u"旧2"_s, u"旧3"_s, u"旧4"_s};
    for (int k = 1; k <= 4; ++k)
        client.state.Vocabulary.setEntry(2, k, {k == 1 ? u"K1"_s : QString(), oldWords[k - 1]});
    client.state.Vocabulary.setEntry(3, 1, {QString(), u"x"_s});
    client.state.Vocabulary.setEntry(3, 2, {QString(), u"y"_s});
    ASSERT_TRUE(WriteSharedSettings(client.state).ok);
    ASSERT_TRUE(WriteVocabularyLists(client.state).ok);
    client.state.Vocabulary.clear(); // the ids come from the files

    VocabularyImportPlan plan;
    plan.lists[0] = QStringList{u"ボルト"_s, u"ナット"_s};
    plan.lists[1] = QStringList{u"0012"_s, u"M8"_s, u"M10"_s};
    ASSERT_TRUE(ApplyVocabularyImport(client.state, plan).ok);

    const QString counts[] = {u"3"_s, u"4"_s, u"1"_s, u"1"_s, u"1"_s};
    SettingsLines saved;
    ASSERT_TRUE(ReadSettingsFile(SharedSettingsPath(client.state), saved));
    for (int list = 2; list <= 6; ++list) {
        EXPECT_EQ(client.state.SharedSettings[ListCountLine(list)], counts[list - 2]) << "list " << list;
        EXPECT_EQ(saved[ListCountLine(list)], counts[list - 2]) << "list " << list;
    }
    // The files as read back: the words, the id of entry 1 kept, the old word 3 gone.
    ASSERT_TRUE(ReadVocabularyLists(client.state));
    EXPECT_EQ(client.state.Vocabulary.entry(2, 1).id, u"K1"_s);
    EXPECT_EQ(client.state.Vocabulary.entry(2, 1).word, u"ボルト"_s);
    EXPECT_EQ(client.state.Vocabulary.entry(2, 2).word, u"ナット"_s);
    EXPECT_EQ(client.state.Vocabulary.wordCount(2), 2);
    EXPECT_EQ(client.state.Vocabulary.entry(3, 1).word, u"0012"_s);
    EXPECT_EQ(client.state.Vocabulary.wordCount(3), 3);
    EXPECT_EQ(client.state.Vocabulary.wordCount(4), 0);
    const QByteArray list2 = TempClient::readBytes(VocabularyPath(client.state, 2));
    EXPECT_EQ(list2.count('\n'), 3);
    EXPECT_TRUE(list2.endsWith("\"\",\"\"\r\n"));
    EXPECT_EQ(VocabularyImportDoneMessage(), u" 在庫品項目Excel　インポートを。\r 完了しました。"_s);
}

TEST(VocabularyImportApply, AFailedWriteNamesTheFile)
{
    TempClient client(true);
    VocabularyImportPlan plan;
    plan.lists[0] = QStringList{u"ボルト"_s};
    // A data folder that is a file: nothing can be written there.
    TempClient::writeBytes(client.root() + u"/blocked"_s, "x");
    client.state.DataFolder = client.root() + u"/blocked/"_s;
    client.state.ClientSettings[ClientLine::DataFolder] = client.state.DataFolder;
    const IoResult result = ApplyVocabularyImport(client.state, plan);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.path.isEmpty());
}
