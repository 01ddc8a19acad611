// The common-documents list (made once, then the user's file) and the list-vocabulary workbook
// (the five lists side by side, text everywhere, ruled to the largest list count).
#include "excel_output/common_documents_workbook.h"
#include "excel_output/output_paths.h"
#include "excel_output/vocabulary_workbook.h"
#include "ledger/column_captions.h"
#include "storage/desktop_handover.h"
#include "storage/vocabulary.h"
#include "support/temp_client_support.h"
#include "workbook/workbook_operations.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
class ListWorkbooksTest : public testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(client.clientFolder() + QStringLiteral("原本Excel"));
        QFile::copy(QStringLiteral(TEV_RESOURCES_DIR "/原本Excel/在庫出力台帳.xlsx"), TemplateWorkbookPath(client.state));
        QDir().mkpath(OutputFolderPath(client.state));
    }

    void setWords(int list, const QStringList& words)
    {
        for (int k = 0; k < words.size(); ++k)
            client.state.Vocabulary.setEntry(list, k + 1, {QString(), words[k]});
    }

    TempClient client{true};
};
} // namespace

TEST_F(ListWorkbooksTest, CommonDocumentsAreMadeOnceThenOpenedAsTheUserLeftThem)
{
    RecordingDesktopHandover desktop;
    const CommonDocumentsResult first = OpenCommonDocumentsWorkbook(client.state, &desktop);
    ASSERT_TRUE(first.status.ok()) << first.status.error;
    EXPECT_TRUE(first.created);
    EXPECT_EQ(first.path, OutputFolderPath(client.state) + QStringLiteral("0共通在庫資料.xlsx"));
    std::unique_ptr<Workbook> book;
    ASSERT_TRUE(OpenForReading(first.path, book).ok());
    EXPECT_EQ(book->sheet().text(3, 2), QStringLiteral("在庫品共通資料一覧"));
    const QStringList captions{QStringLiteral("No"), QStringLiteral("添付資料名"), QStringLiteral("添付資料リンク先"),
                               QStringLiteral("更新年月日"), QStringLiteral("更新者名"), QStringLiteral("  備     考")};
    for (int i = 0; i < captions.size(); ++i)
        EXPECT_EQ(book->sheet().text(4, 2 + i), captions[i]);
    EXPECT_EQ(book->sheet().text(5, 2), QStringLiteral("1"));
    EXPECT_EQ(book->sheet().text(4 + CommonDocumentRows, 2), QString::number(CommonDocumentRows));
    EXPECT_EQ(book->sheet().text(5 + CommonDocumentRows, 2), QString());

    // The user's entry stays: a second press opens the file without writing it.
    book->sheet().setText(5, 3, QStringLiteral("保全手順書"));
    ASSERT_TRUE(book->save().ok());
    const QByteArray saved = TempClient::readBytes(first.path);
    QFile::remove(TemplateWorkbookPath(client.state));
    const CommonDocumentsResult second = OpenCommonDocumentsWorkbook(client.state, &desktop);
    ASSERT_TRUE(second.status.ok());
    EXPECT_FALSE(second.created);
    EXPECT_EQ(TempClient::readBytes(first.path), saved);
    EXPECT_EQ(desktop.opened, (QStringList{first.path, first.path}));
}

TEST_F(ListWorkbooksTest, CommonDocumentsWithoutTemplateOrFolderReportAndWriteNothing)
{
    QFile::remove(TemplateWorkbookPath(client.state));
    EXPECT_EQ(OpenCommonDocumentsWorkbook(client.state, nullptr).status.error, 53);
    QDir(OutputFolderPath(client.state)).removeRecursively();
    QFile::copy(QStringLiteral(TEV_RESOURCES_DIR "/原本Excel/在庫出力台帳.xlsx"), TemplateWorkbookPath(client.state));
    EXPECT_EQ(OpenCommonDocumentsWorkbook(client.state, nullptr).status.error, 76);
    EXPECT_FALSE(QFile::exists(CommonDocumentsWorkbookPath(client.state)));
}

TEST_F(ListWorkbooksTest, VocabularySheetHoldsTheListsSideBySideRuledToTheLargestCount)
{
    AppState& state = client.state;
    state.SharedSettings[15] = QStringLiteral("品名");
    state.SharedSettings[19] = QStringLiteral("単位");
    RebuildColumnCaptions(state);
    setWords(2, {QStringLiteral("ボルト"), QStringLiteral("ナット")});
    setWords(3, {QStringLiteral("007"), QString(), QStringLiteral("after the end mark")});
    setWords(6, {QStringLiteral("個")});
    // Counts: list 3 claims 4 entries, the largest; list 5 is empty.
    for (const auto& [list, count] : {std::pair{2, "2"}, {3, "4"}, {4, "0"}, {5, ""}, {6, "1"}})
        state.SharedSettings[ListCountLine(list)] = QString::fromLatin1(count);
    EXPECT_EQ(LargestListCount(state), 4);

    auto book = Workbook::createBlank(QString());
    WriteVocabularySheet(*book, state);
    const Worksheet& sheet = book->sheet();
    EXPECT_TRUE(sheet.textFormatEverywhere());
    EXPECT_EQ(sheet.text(3, 2), QStringLiteral("在庫品リストBox項目"));
    EXPECT_EQ(sheet.text(4, 2), state.ColumnCaptions[3]);
    EXPECT_EQ(sheet.text(4, 6), state.ColumnCaptions[9]);
    EXPECT_EQ(sheet.text(6, 2), QStringLiteral("ナット"));
    EXPECT_EQ(sheet.kind(5, 3), CellKind::Text);
    EXPECT_EQ(sheet.text(5, 3), QStringLiteral("007"));
    EXPECT_EQ(sheet.text(7, 3), QString()); // the list ends at its first empty word
    EXPECT_EQ(sheet.text(5, 5), QString());
    EXPECT_EQ(sheet.text(5, 6), QStringLiteral("個"));
    EXPECT_EQ(sheet.formatOf(4, 2).fillColour, 16777164);
    EXPECT_EQ(sheet.formatOf(8, 6).edges[CellFormat::Bottom], CellFormat::Thin);  // row M + 4
    EXPECT_EQ(sheet.formatOf(8, 5).edges[CellFormat::Left], CellFormat::Thin);
    EXPECT_TRUE(sheet.formatOf(9, 6).empty());
    EXPECT_EQ(sheet.columnWidth(1), 4);
    EXPECT_EQ(sheet.columnWidth(5), 20);
    EXPECT_EQ(sheet.columnWidth(6), -1); // F keeps the template's width
}

TEST_F(ListWorkbooksTest, VocabularyWorkbookIsOneFilePerMonth)
{
    EXPECT_EQ(VocabularyWorkbookPath(client.state, QDate(2018, 12, 31)),
              OutputFolderPath(client.state) + QStringLiteral("在庫品項目2018年12月.xlsx"));
    setWords(2, {QStringLiteral("ボルト")});
    RecordingDesktopHandover desktop;
    const VocabularyWorkbookResult first = ExportVocabularyWorkbook(client.state, &desktop);
    ASSERT_TRUE(first.status.ok()) << first.status.error;
    EXPECT_EQ(first.path, VocabularyWorkbookPath(client.state, QDate::currentDate()));
    EXPECT_EQ(desktop.opened, QStringList{first.path});

    setWords(2, {QStringLiteral("ナット")});
    ASSERT_TRUE(ExportVocabularyWorkbook(client.state, nullptr).status.ok());
    std::unique_ptr<Workbook> book;
    ASSERT_TRUE(OpenForReading(first.path, book).ok());
    EXPECT_EQ(book->sheet().text(5, 2), QStringLiteral("ナット")); // replaced, not appended
    EXPECT_EQ(QDir(OutputFolderPath(client.state)).entryList(QDir::Files).size(), 1);

    QFile::remove(TemplateWorkbookPath(client.state));
    EXPECT_EQ(ExportVocabularyWorkbook(client.state, nullptr).status.error, 53);
}
