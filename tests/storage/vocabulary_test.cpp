#include "storage/vocabulary.h"

#include "storage/settings_files.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

void writeList(const TempClient& client, int list, const QByteArray& bytes)
{
    TempClient::writeBytes(client.dataFolder() + QStringLiteral("Mb在庫品0%1.dat").arg(list), bytes);
}

void writeAllLists(TempClient& client, const QByteArray& bytes, const QString& count)
{
    for (int list = 2; list <= 6; ++list) {
        writeList(client, list, bytes);
        client.state.SharedSettings[list + 1] = count;
    }
}

} // namespace

TEST(Vocabulary, FileNamesFollowTheListNumber)
{
    TempClient client;
    EXPECT_EQ(VocabularyPath(client.state, 2), client.dataFolder() + QStringLiteral("Mb在庫品02.dat"));
    EXPECT_EQ(VocabularyPath(client.state, 6), client.dataFolder() + QStringLiteral("Mb在庫品06.dat"));
    EXPECT_EQ(VocabularyPath(client.state, 12), client.dataFolder() + QStringLiteral("Mb在庫品12.dat"));
    EXPECT_EQ(VocabularyPath(client.state, 100), client.dataFolder() + QStringLiteral("Mb在庫品100.dat"));
}

TEST(Vocabulary, ReadsUpToTheEndMark)
{
    TempClient client;
    // cp932: "ボルト", then a coded entry, then the end mark, then a line that must not be read.
    writeAllLists(client, QByteArray("\"\",\"\x83\x7b\x83\x8b\x83\x67\"\r\n\"B1\",\"nut\"\r\n\"\",\"\"\r\n\"\",\"after\"\r\n"),
                  QStringLiteral("3"));
    client.state.Vocabulary.setEntry(20, 1, {QString(), QStringLiteral("stale")});

    EXPECT_TRUE(ReadVocabularyLists(client.state));

    EXPECT_EQ(client.state.Vocabulary.entry(2, 1).word, QStringLiteral("ボルト"));
    EXPECT_EQ(client.state.Vocabulary.entry(6, 2).id, QStringLiteral("B1"));
    EXPECT_EQ(client.state.Vocabulary.entry(6, 2).word, QStringLiteral("nut"));
    EXPECT_EQ(client.state.Vocabulary.wordCount(4), 2);
    EXPECT_EQ(client.state.Vocabulary.entry(4, 4).word, QString());
    EXPECT_EQ(client.state.Vocabulary.entry(20, 1).word, QString()); // every list cleared first
}

TEST(Vocabulary, DamagedOrMissingFilesReadAsEmptyLists)
{
    {
        SCOPED_TRACE("count 0: the file is not read");
        TempClient client;
        writeAllLists(client, QByteArray("\"\",\"a\"\r\n"), QStringLiteral("0"));
        EXPECT_TRUE(ReadVocabularyLists(client.state));
        EXPECT_EQ(client.state.Vocabulary.wordCount(2), 0);
    }
    {
        SCOPED_TRACE("list 2 missing: all lists of the pass stay empty");
        TempClient client;
        writeAllLists(client, QByteArray("\"\",\"a\"\r\n\"\",\"\"\r\n"), QStringLiteral("2"));
        QFile::remove(VocabularyPath(client.state, 2));
        EXPECT_FALSE(ReadVocabularyLists(client.state));
        for (int list = 2; list <= 6; ++list)
            EXPECT_EQ(client.state.Vocabulary.wordCount(list), 0) << list;
    }
    {
        SCOPED_TRACE("fewer lines than the count, a missing closing quote, invalid bytes");
        TempClient client;
        writeAllLists(client, QByteArray("\"x\",\"open\r\n\"\",\"bad\xff\"\r\n"), QStringLiteral("9"));
        EXPECT_TRUE(ReadVocabularyLists(client.state));
        EXPECT_EQ(client.state.Vocabulary.entry(3, 1).word, QStringLiteral("open"));
        EXPECT_EQ(client.state.Vocabulary.entry(3, 2).word, QStringLiteral("bad") + QChar(u'\uFFFD'));
        EXPECT_EQ(client.state.Vocabulary.wordCount(3), 2);
    }
}

TEST(Vocabulary, AddingTheFirstWordToANeverWrittenList)
{
    TempClient client;
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);

    EXPECT_EQ(AddWordToList(client.state, 2, QStringLiteral("ボルト")), AddWordOutcome::Added);

    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].title, QStringLiteral("登録確認"));
    EXPECT_EQ(client.dialogs.shown()[0].text, QStringLiteral("項目リストに ボルト を追加しますか？\r※リスト最下部に追加され"));
    EXPECT_EQ(client.state.SharedSettings[3], QStringLiteral("2"));
    EXPECT_EQ(TempClient::readBytes(VocabularyPath(client.state, 2)),
              QByteArray("\"\",\"\x83\x7b\x83\x8b\x83\x67\"\r\n\"\",\"\"\r\n"));
    SettingsLines shared;
    ASSERT_TRUE(ReadSettingsFile(client.dataFolder() + QStringLiteral("Ma在庫品基礎.dat"), shared));
    EXPECT_EQ(shared[3], QStringLiteral("2"));
}

TEST(Vocabulary, AddingAWordThatIsAlreadyThereOrDeclining)
{
    TempClient client;
    client.state.Vocabulary.setEntry(4, 1, {QString(), QStringLiteral("ナット  ")});
    client.state.SharedSettings[5] = QStringLiteral("2");

    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    EXPECT_EQ(AddWordToList(client.state, 4, QStringLiteral("ナット")), AddWordOutcome::AlreadyPresent);
    EXPECT_EQ(client.dialogs.shown().last().text, QStringLiteral("項目リストに同じ語句があります。"));

    // The typed word is compared as typed: with a trailing space it is another word.
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    EXPECT_EQ(AddWordToList(client.state, 4, QStringLiteral("ナット ")), AddWordOutcome::Added);
    EXPECT_EQ(client.state.Vocabulary.entry(4, 2).word, QStringLiteral("ナット "));
    EXPECT_EQ(client.state.SharedSettings[5], QStringLiteral("3"));

    client.dialogs.queueAnswer(Dialogs::Answer::No);
    EXPECT_EQ(AddWordToList(client.state, 4, QStringLiteral("座金")), AddWordOutcome::Declined);
    EXPECT_EQ(client.state.Vocabulary.wordCount(4), 2);
}

// "A～B" read from the list file and "A〜B" typed with an input method are stored as the same
// bytes: either way round the second one is a duplicate, reported as any other.
TEST(Vocabulary, AWordThatDiffersOnlyInTheInputMethodsVariantIsAlreadyThere)
{
    struct Case {
        QString inList;
        QString typed;
    };
    const Case cases[] = {
        {QStringLiteral("A\uFF5EB"), QStringLiteral("A\u301CB")},
        {QStringLiteral("A\u301CB"), QStringLiteral("A\uFF5EB")},
        {QStringLiteral("\uFF0D5\uFFE0"), QStringLiteral("\u22125\u00A2")},
    };
    for (const Case& c : cases) {
        TempClient client;
        client.state.Vocabulary.setEntry(3, 1, {QString(), c.inList});
        client.state.SharedSettings[4] = QStringLiteral("2");
        client.dialogs.queueAnswer(Dialogs::Answer::Yes);
        EXPECT_EQ(AddWordToList(client.state, 3, c.typed), AddWordOutcome::AlreadyPresent) << c.typed.toStdString();
        EXPECT_EQ(client.dialogs.shown().last().text, QStringLiteral("項目リストに同じ語句があります。"));
        EXPECT_EQ(client.state.Vocabulary.wordCount(3), 1);
    }
    // A new word goes into the list as the file will give it back.
    TempClient client;
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    ASSERT_EQ(AddWordToList(client.state, 3, QStringLiteral("B\u301CC")), AddWordOutcome::Added);
    EXPECT_EQ(client.state.Vocabulary.entry(3, 1).word, QStringLiteral("B\uFF5EC"));
    EXPECT_EQ(TempClient::readBytes(VocabularyPath(client.state, 3)), QByteArray("\"\",\"B\x81\x60" "C\"\r\n\"\",\"\"\r\n"));
}

TEST(Vocabulary, AFullListRefusesTheWord)
{
    TempClient client;
    for (int i = 1; i <= VocabularyTable::EntryCapacity; ++i)
        client.state.Vocabulary.setEntry(5, i, {QString(), QStringLiteral("w") + QString::number(i)});
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);

    EXPECT_EQ(AddWordToList(client.state, 5, QStringLiteral("new")), AddWordOutcome::ListFull);

    EXPECT_EQ(client.dialogs.shown().size(), 2);
    EXPECT_EQ(client.state.Vocabulary.wordCount(5), VocabularyTable::EntryCapacity);
    EXPECT_FALSE(QFile::exists(VocabularyPath(client.state, 5)));
}

TEST(Vocabulary, PreparingADataFolderThatLacksItsFiles)
{
    TempClient client(true);
    client.state.SharedSettings[14] = QStringLiteral("在庫品No");
    client.state.SharedSettings[3] = QStringLiteral("1");

    PrepareDataEnvironment(client.state);

    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].text,
              QStringLiteral("  データフォルダーは存在しますが、データ環境が未整備です・\r　データフォルダーの環境を作成します。"));
    EXPECT_TRUE(QFile::exists(client.dataFolder() + QStringLiteral("Ma在庫品基礎.dat")));
    for (int list = 2; list <= 6; ++list)
        EXPECT_TRUE(QFile::exists(VocabularyPath(client.state, list)));
    EXPECT_TRUE(QDir(client.dataFolder() + QStringLiteral("M在庫台帳")).exists());

    // A second time everything is in place: nothing is said.
    client.dialogs.clear();
    PrepareDataEnvironment(client.state);
    EXPECT_TRUE(client.dialogs.shown().isEmpty());
}
