// The item specification workbook: made from the template once, then reused so that the
// user's cells, sheets and pictures stay; refusals leave nothing behind.
#include "excel_output/item_spec_workbook.h"
#include "excel_output/output_paths.h"
#include "ledger/column_captions.h"
#include "storage/desktop_handover.h"
#include "storage/item_record.h"
#include "support/temp_client_support.h"
#include "workbook/workbook_operations.h"
#include "workbook/zip_package.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
// A tiny PNG: the picture the user pasted.
const std::string Png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\1\0\0\0\1\x08\x06\0\0\0\x1f\x15\xc4\x89", 33);

std::string readPart(const QString& path, const std::string& name)
{
    ZipPackage package;
    WorkbookStatus status = package.open(TempClient::readBytes(path));
    const auto text = package.read(name, status);
    return text ? *text : std::string();
}

void insertBefore(std::string& text, const std::string& anchor, const std::string& addition)
{
    const size_t at = text.rfind(anchor);
    ASSERT_NE(at, std::string::npos) << anchor;
    text.insert(at, addition);
}

// What a user does in a spreadsheet program: a second sheet and a picture on the first one,
// written straight into the package.
void addSheetAndPicture(const QString& path)
{
    ZipPackage package;
    WorkbookStatus status = package.open(TempClient::readBytes(path));
    ASSERT_TRUE(status.ok());
    std::string workbook = *package.read("xl/workbook.xml", status);
    insertBefore(workbook, "</sheets>", "<sheet name=\"図面\" sheetId=\"2\" r:id=\"rId90\"/>");
    std::string rels = *package.read("xl/_rels/workbook.xml.rels", status);
    insertBefore(rels, "</Relationships>",
                 "<Relationship Id=\"rId90\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                 "relationships/worksheet\" Target=\"worksheets/sheet2.xml\"/>");
    std::string types = *package.read("[Content_Types].xml", status);
    insertBefore(types, "</Types>",
                 "<Default Extension=\"png\" ContentType=\"image/png\"/>"
                 "<Override PartName=\"/xl/worksheets/sheet2.xml\" ContentType=\"application/"
                 "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
                 "<Override PartName=\"/xl/drawings/drawing1.xml\" ContentType=\"application/"
                 "vnd.openxmlformats-officedocument.drawing+xml\"/>");
    std::string sheet = *package.read("xl/worksheets/sheet1.xml", status);
    insertBefore(sheet, "</worksheet>", "<drawing r:id=\"rId1\"/>");
    package.replace("xl/workbook.xml", workbook);
    package.replace("xl/_rels/workbook.xml.rels", rels);
    package.replace("[Content_Types].xml", types);
    package.replace("xl/worksheets/sheet1.xml", sheet);
    package.replace("xl/worksheets/sheet2.xml",
                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet xmlns=\"http://schemas.openxmlformats.org/"
                    "spreadsheetml/2006/main\"><sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>図面一覧"
                    "</t></is></c></row></sheetData></worksheet>");
    package.replace("xl/worksheets/_rels/sheet1.xml.rels",
                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/"
                    "package/2006/relationships\"><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/"
                    "officeDocument/2006/relationships/drawing\" Target=\"../drawings/drawing1.xml\"/></Relationships>");
    package.replace("xl/drawings/drawing1.xml",
                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><xdr:wsDr xmlns:xdr=\"http://schemas.openxmlformats.org/"
                    "drawingml/2006/spreadsheetDrawing\"/>");
    package.replace("xl/media/image1.png", Png);
    ASSERT_TRUE(package.save(path).ok());
}

class ItemSpecWorkbookTest : public testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(client.clientFolder() + QStringLiteral("原本Excel"));
        QFile::copy(QStringLiteral(TEV_RESOURCES_DIR "/原本Excel/在庫出力台帳.xlsx"), TemplateWorkbookPath(client.state));
        QDir().mkpath(DocumentsFolderPath(client.state));
        content.itemNumber = QStringLiteral(" 0012 ");
        content.captions = {QStringLiteral("品　名"), QStringLiteral("仕　様"), QStringLiteral("メーカー名"),
                            QStringLiteral("保管場所"), QStringLiteral("単　価　 ")};
        content.values = {QStringLiteral("ボルト "), QStringLiteral("M8×20"), QStringLiteral("東洋"),
                          QStringLiteral("第一倉庫"), QStringLiteral("1,200")};
    }

    TempClient client{true};
    ItemSpecContent content;
};
} // namespace

TEST_F(ItemSpecWorkbookTest, FirstOutputWritesTheTableFromTheTemplate)
{
    RecordingDesktopHandover desktop;
    const ItemSpecResult result = ExportItemSpecWorkbook(client.state, &desktop, content);
    ASSERT_TRUE(result.status.ok()) << result.status.error;
    EXPECT_TRUE(result.created);
    EXPECT_EQ(result.path, DocumentsFolderPath(client.state) + QStringLiteral("在庫品仕様0012.xlsx"));
    EXPECT_EQ(desktop.opened, QStringList{result.path});

    std::unique_ptr<Workbook> book;
    ASSERT_TRUE(OpenForReading(result.path, book).ok());
    const Worksheet& sheet = book->sheet();
    EXPECT_EQ(sheet.text(2, 2), QStringLiteral("在庫品仕様"));
    EXPECT_EQ(sheet.text(4, 2), QStringLiteral("在庫品番号"));
    EXPECT_EQ(sheet.kind(4, 3), CellKind::Text); // leading zeros stay
    EXPECT_EQ(sheet.text(4, 3), QStringLiteral("0012"));
    EXPECT_EQ(sheet.text(6, 2), QStringLiteral("　　在庫品台帳項目"));
    EXPECT_EQ(sheet.text(6, 4), QStringLiteral("　　在庫品仕様項目"));
    EXPECT_EQ(sheet.text(6, 5), QStringLiteral("　　在庫品仕様内容"));
    EXPECT_EQ(sheet.text(7, 2), QStringLiteral("品　名"));
    EXPECT_EQ(sheet.text(7, 3), QStringLiteral("ボルト"));
    EXPECT_EQ(sheet.text(11, 2), QStringLiteral("単　価　 "));
    EXPECT_EQ(sheet.text(11, 3), QStringLiteral("1,200"));
    for (const auto& [column, width] : {std::pair{1, 4.0}, {2, 20.0}, {3, 30.0}, {4, 30.0}, {5, 40.0}})
        EXPECT_EQ(sheet.columnWidth(column), width) << column;
    const std::string xml = readPart(result.path, "xl/worksheets/sheet1.xml");
    EXPECT_NE(xml.find("<row r=\"36\" ht=\"20\""), std::string::npos);
    EXPECT_EQ(xml.find("<row r=\"37\" ht=\"20\""), std::string::npos);
    const std::string styles = readPart(result.path, "xl/styles.xml");
    EXPECT_NE(styles.find("<sz val=\"16\""), std::string::npos);
    EXPECT_NE(styles.find("FFE0FFFF"), std::string::npos); // 16777184
}

TEST_F(ItemSpecWorkbookTest, SecondOutputRewritesOnlyTheSystemsCells)
{
    ASSERT_TRUE(ExportItemSpecWorkbook(client.state, nullptr, content).status.ok());
    const QString path = ItemSpecWorkbookPath(client.state, QStringLiteral("0012"));
    // The user's entries in D7 … E36, a cell outside the table and a formula.
    {
        std::unique_ptr<Workbook> book;
        ASSERT_TRUE(OpenReusableOutput(TemplateWorkbookPath(client.state), path, book).ok());
        book->sheet().setText(7, 4, QStringLiteral("材質"));
        book->sheet().setText(7, 5, QStringLiteral("SUS304"));
        book->sheet().setText(36, 5, QStringLiteral("最終行"));
        book->sheet().setNumber(40, 7, 3);
        book->sheet().setFormula(41, 7, "G40*2", 6);
        ASSERT_TRUE(book->save().ok());
    }
    addSheetAndPicture(path);
    const std::string sheet2 = readPart(path, "xl/worksheets/sheet2.xml");
    const std::string sheetRels = readPart(path, "xl/worksheets/_rels/sheet1.xml.rels");

    QFile::remove(TemplateWorkbookPath(client.state)); // a reused file does not need the template
    content.values[1] = QString(); // the specification was emptied
    content.values[4] = QStringLiteral("1,350");
    const ItemSpecResult again = ExportItemSpecWorkbook(client.state, nullptr, content);
    ASSERT_TRUE(again.status.ok()) << again.status.error;
    EXPECT_FALSE(again.created);

    std::unique_ptr<Workbook> book;
    ASSERT_TRUE(OpenForReading(path, book).ok());
    const Worksheet& sheet = book->sheet();
    EXPECT_EQ(sheet.text(8, 3), QString());
    EXPECT_EQ(sheet.text(11, 3), QStringLiteral("1,350"));
    EXPECT_EQ(sheet.text(7, 4), QStringLiteral("材質"));
    EXPECT_EQ(sheet.text(7, 5), QStringLiteral("SUS304"));
    EXPECT_EQ(sheet.text(36, 5), QStringLiteral("最終行"));
    EXPECT_EQ(sheet.text(40, 7), QStringLiteral("3"));
    EXPECT_TRUE(sheet.hasFormula(41, 7));
    EXPECT_EQ(readPart(path, "xl/media/image1.png"), Png);
    EXPECT_EQ(readPart(path, "xl/worksheets/sheet2.xml"), sheet2);
    EXPECT_EQ(readPart(path, "xl/worksheets/_rels/sheet1.xml.rels"), sheetRels);
    EXPECT_NE(readPart(path, "xl/worksheets/sheet1.xml").find("<drawing r:id=\"rId1\"/>"), std::string::npos);
    EXPECT_NE(readPart(path, "xl/workbook.xml").find("図面"), std::string::npos);
}

TEST_F(ItemSpecWorkbookTest, RefusalsWriteNothing)
{
    // Item numbers that cannot be part of a file name are the "wrong file name" case.
    for (const char16_t* number : {u"A/B", u"..", u"a\\b", u"x:y", u"q?", u"t\tab"}) {
        content.itemNumber = QString::fromUtf16(number);
        EXPECT_EQ(ExportItemSpecWorkbook(client.state, nullptr, content).status.error, 432);
    }
    content.itemNumber = QStringLiteral("0012");
    QFile::remove(TemplateWorkbookPath(client.state));
    EXPECT_EQ(ExportItemSpecWorkbook(client.state, nullptr, content).status.error, 53);
    EXPECT_TRUE(QDir(DocumentsFolderPath(client.state)).isEmpty());
    QFile::copy(QStringLiteral(TEV_RESOURCES_DIR "/原本Excel/在庫出力台帳.xlsx"), TemplateWorkbookPath(client.state));
    QDir(DocumentsFolderPath(client.state)).removeRecursively();
    EXPECT_EQ(ExportItemSpecWorkbook(client.state, nullptr, content).status.error, 76);
    EXPECT_FALSE(QDir(client.dataFolder()).exists(QStringLiteral("在庫品仕様0012.xlsx")));
}

TEST_F(ItemSpecWorkbookTest, ALockFileBesideTheWorkbookKeepsItUnchanged)
{
    ASSERT_TRUE(ExportItemSpecWorkbook(client.state, nullptr, content).status.ok());
    const QString path = ItemSpecWorkbookPath(client.state, QStringLiteral("0012"));
    const QByteArray before = TempClient::readBytes(path);
    TempClient::writeBytes(DocumentsFolderPath(client.state) + QStringLiteral(".~lock.在庫品仕様0012.xlsx#"), "x");
    content.values[0] = QStringLiteral("ナット");
    EXPECT_EQ(ExportItemSpecWorkbook(client.state, nullptr, content).status.error, 70);
    EXPECT_EQ(TempClient::readBytes(path), before);
}

TEST_F(ItemSpecWorkbookTest, ContentOfARecordFollowsTheEditTable)
{
    client.state.SharedSettings[15] = QStringLiteral("品名");
    RebuildColumnCaptions(client.state);
    ItemRecord record;
    record.setText(ItemField::Number, QStringLiteral("B-7"));
    record.setText(ItemField::Name, QStringLiteral("パッキン"));
    record.setText(ItemField::UnitPrice, QStringLiteral("2600"));
    const ItemSpecContent of = ItemSpecContentOf(client.state, record);
    EXPECT_EQ(of.itemNumber, QStringLiteral("B-7"));
    EXPECT_EQ(of.captions[0], client.state.ColumnCaptions[3]);
    EXPECT_EQ(of.values[0], QStringLiteral("パッキン"));
    EXPECT_EQ(of.values[4], QStringLiteral("2,600"));
}
