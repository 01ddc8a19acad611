// Writing workbooks: values and formats survive a save, an existing workbook keeps every part
// the program does not write, and the output operations refuse what they must refuse.
#include "storage/desktop_handover.h"
#include "workbook/workbook_operations.h"
#include "workbook/zip_package.h"

#include <QDir>
#include <cerrno>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString Fixtures = QStringLiteral(TEV_TEST_DATA_DIR "/workbook/");
const QString Template = QStringLiteral(TEV_RESOURCES_DIR "/原本Excel/在庫出力台帳.xlsx");

std::string part(const QString& path, const char* name)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    ZipPackage package;
    WorkbookStatus status = package.open(file.readAll());
    auto text = package.read(name, status);
    return text ? *text : std::string();
}
} // namespace

TEST(WorkbookWriter, ValuesFormatsAndSizesSurviveASave)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.xlsx"));
    std::unique_ptr<Workbook> book;
    ASSERT_TRUE(OpenOutputFromTemplate(Template, path, book).ok());
    book->Cells(2, 2).setValue(QStringLiteral("在庫品仕様 <&> "));
    book->Cells(3, 3).setValue(1200.5);
    book->Cells(4, 2).setValue(QStringLiteral("0012"));
    book->Cells(2, 2).setFontSize(16);
    book->Cells(2, 2).setFontBold(true);
    book->Range(book->Cells(6, 2), book->Cells(8, 4)).setBorderLineStyle(BorderIndex::InsideHorizontal, 1);
    book->Cells(6, 2).setInteriorColor(16777184);
    book->Cells(1, 2).setColumnWidth(20);
    book->Cells(6, 1).setRowHeight(20);
    RecordingDesktopHandover desktop;
    ASSERT_TRUE(FinishForUser(book, desktop).ok());
    EXPECT_EQ(desktop.opened, QStringList{path});

    ASSERT_TRUE(OpenForReading(path, book).ok());
    EXPECT_EQ(book->sheet().text(2, 2), QStringLiteral("在庫品仕様 <&> "));
    EXPECT_EQ(book->sheet().text(3, 3), QStringLiteral("1200.5"));
    EXPECT_EQ(book->sheet().kind(4, 2), CellKind::Text);
    EXPECT_EQ(book->sheet().text(4, 2), QStringLiteral("0012"));
    EXPECT_EQ(book->sheet().columnWidth(2), 20);
    const std::string styles = part(path, "xl/styles.xml");
    EXPECT_NE(styles.find("<sz val=\"16\""), std::string::npos);
    EXPECT_NE(styles.find("FFE0FFFF"), std::string::npos); // 16777184 = RGB(224, 255, 255)
    EXPECT_NE(styles.find("style=\"thin\""), std::string::npos);
}

// Round amounts such as a stock value of 600000 come back as "600000", not "6e+05", which the
// item import would take for text in a number column.
TEST(WorkbookWriter, NumbersReadBackInPlainDecimalForm)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("numbers.xlsx"));
    std::unique_ptr<Workbook> book;
    ASSERT_TRUE(OpenOutputFromTemplate(Template, path, book).ok());
    const std::pair<double, const char*> cases[] = {
        {600000, "600000"}, {-2500000, "-2500000"}, {1200.5, "1200.5"}, {0.0000001, "0.0000001"},
        {1e21, "1000000000000000000000"}, {0, "0"},
    };
    int row = 2;
    for (const auto& [value, text] : cases)
        book->Cells(row++, 2).setValue(value);
    RecordingDesktopHandover desktop;
    ASSERT_TRUE(FinishForUser(book, desktop).ok());
    ASSERT_TRUE(OpenForReading(path, book).ok());
    row = 2;
    for (const auto& [value, text] : cases)
        EXPECT_EQ(book->sheet().text(row++, 2), QString::fromLatin1(text)) << value;
}

TEST(WorkbookWriter, EditingInPlaceKeepsFormulasOtherPartsAndTheUsersCells)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("daily.xlsx"));
    ASSERT_TRUE(QFile::copy(Fixtures + QStringLiteral("Mb入出庫月報.xlsx"), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    const std::string coreBefore = part(path, "docProps/core.xml");
    const std::string sharedBefore = part(path, "xl/sharedStrings.xml");

    std::unique_ptr<Workbook> book;
    ASSERT_TRUE(OpenReusableOutput(Template, path, book).ok());
    const QString kept = book->sheet().text(4, 4);
    book->Cells(2, 2).setValue(QStringLiteral("題"));
    book->Cells(2, 2).setFontBold(true);
    ASSERT_TRUE(book->save().ok());

    EXPECT_EQ(part(path, "docProps/core.xml"), coreBefore);
    EXPECT_EQ(part(path, "xl/sharedStrings.xml"), sharedBefore);
    ASSERT_TRUE(OpenForReading(path, book).ok());
    EXPECT_EQ(book->sheet().text(2, 2), QStringLiteral("題"));
    EXPECT_EQ(book->sheet().text(4, 4), kept);
    EXPECT_TRUE(book->sheet().hasFormula(4, 7));
    EXPECT_NE(part(path, "xl/worksheets/sheet1.xml").find("SUM(H4:AL4)"), std::string::npos);
}

TEST(WorkbookWriter, OutputOperationsRefuseWithTheirErrorNumbers)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("out.xlsx"));
    std::unique_ptr<Workbook> book;
    EXPECT_EQ(OpenOutputFromTemplate(dir.filePath(QStringLiteral("none.xlsx")), target, book).error, 53);
    EXPECT_EQ(OpenOutputFromTemplate(dir.filePath(QStringLiteral("no/none.xlsx")), target, book).error, 76);
    EXPECT_EQ(OpenOutputFromTemplate(Template, dir.filePath(QStringLiteral("no/out.xlsx")), book).error, 76);
    EXPECT_FALSE(QFile::exists(target));

    for (const QString& lock : {QStringLiteral("~$out.xlsx"), QStringLiteral(".~lock.out.xlsx#")}) {
        QFile(dir.filePath(lock)).open(QIODevice::WriteOnly);
        EXPECT_EQ(OpenOutputFromTemplate(Template, target, book).error, 70) << lock.toStdString();
        QFile::remove(dir.filePath(lock));
    }
    QFile(target).open(QIODevice::WriteOnly);
    QFile::setPermissions(target, QFile::ReadOwner);
    if (!QFileInfo(target).isWritable()) // running as root, every file is writable
        EXPECT_EQ(OpenOutputFromTemplate(Template, target, book).error, 75);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    // A folder in the target's place is no workbook in use either.
    QDir().mkpath(dir.filePath(QStringLiteral("folder.xlsx")));
    EXPECT_EQ(OpenOutputFromTemplate(Template, dir.filePath(QStringLiteral("folder.xlsx")), book).error, 75);

    // What the system says when a save fails: in use only where another program holds the file.
    const struct {
        int errorCode;
        int number;
    } writes[] = {{ENOSPC, 61}, {EDQUOT, 61}, {EROFS, 75}, {EPERM, 75}, {ENOENT, 76}, {EBUSY, 70}, {EIO, 51},
#ifdef Q_OS_WIN
                  {EACCES, 70},
#else
                  {EACCES, 75},
#endif
    };
    for (const auto& w : writes)
        EXPECT_EQ(WorkbookErrorForWrite(w.errorCode), w.number) << w.errorCode;

    const QString text = dir.filePath(QStringLiteral("text.xlsx"));
    QFile file(text);
    file.open(QIODevice::WriteOnly);
    file.write("plain text");
    file.close();
    EXPECT_EQ(OpenReusableOutput(Template, text, book).error, 432);
    EXPECT_EQ(OpenOutputFromTemplate(text, target, book).error, 432);
}

TEST(WorkbookWriter, TextFormatEverywhereCoversCellsAndColumns)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vocab.xlsx"));
    std::unique_ptr<Workbook> book;
    ASSERT_TRUE(OpenOutputFromTemplate(Template, path, book).ok());
    book->Cells().setTextNumberFormat();
    book->Cells(5, 2).setValue(QStringLiteral("007"));
    ASSERT_TRUE(book->save().ok());
    const std::string sheet = part(path, "xl/worksheets/sheet1.xml");
    EXPECT_NE(sheet.find("max=\"16384\""), std::string::npos);
    EXPECT_NE(part(path, "xl/styles.xml").find("numFmtId=\"49\""), std::string::npos);
}
