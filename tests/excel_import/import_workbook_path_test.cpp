// Where the imports find their workbooks, and the message for one that cannot be read.
#include "excel_import/import_problems.h"
#include "excel_import/import_workbook_path.h"

#include "support/temp_client_support.h"
#include "workbook/workbook_operations.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

void touch(const QString& path, const QDateTime& modified)
{
    TempClient::writeBytes(path, "x");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
}

} // namespace

TEST(ImportWorkbookPath, TakesTheXlsxOrXlsThatExistsAndTheNewerOfBoth)
{
    const QDateTime older = QDateTime::currentDateTime().addDays(-2);
    const QDateTime newer = QDateTime::currentDateTime().addDays(-1);
    struct Case {
        const char* name;
        bool xlsx, xls;
        bool xlsxNewer;
        const char* expected; // extension of the path found
    };
    const Case cases[] = {
        {"neither", false, false, false, ".xls"},
        {"only xlsx", true, false, false, ".xlsx"},
        {"only xls", false, true, false, ".xls"},
        {"xlsx newer", true, true, true, ".xlsx"},
        {"xls newer", true, true, false, ".xls"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempClient client;
        const QString folder = client.dataFolder();
        const QString base = folder + ImportWorkbookName::Items;
        if (c.xlsx)
            touch(base + u'x', c.xlsxNewer ? newer : older);
        if (c.xls)
            touch(base, c.xlsxNewer ? older : newer);
        EXPECT_EQ(FindImportWorkbook(folder, ImportWorkbookName::Items), folder + u"Mb在庫品INP"_s + QString::fromLatin1(c.expected));
    }
}

TEST(ImportWorkbookPath, ImportFolderEndsInExactlyOneSeparator)
{
    TempClient client;
    const QString cases[][2] = {
        {QString(), QString()},
        {u"   "_s, QString()},
        {u"/srv/inp"_s, u"/srv/inp/"_s},
        {u"/srv/inp///"_s, u"/srv/inp/"_s},
        {u" /srv/inp/ "_s, u"/srv/inp/"_s},
    };
    for (const auto& c : cases) {
        client.state.SharedSettings[SharedLine::ImportFolder] = c[0];
        EXPECT_EQ(ImportFolderPath(client.state), c[1]) << c[0].toStdString();
    }
    EXPECT_EQ(DailyInOutWorkbookPath(client.state), client.dataFolder() + u"M在庫資料/Mb入出庫月報.xls"_s);
}

TEST(ImportWorkbookPath, MissingOrDamagedWorkbooksGiveAClearMessage)
{
    TempClient client;
    const QString damaged = QStringLiteral(TEV_TEST_DATA_DIR "/workbook/damaged/");
    const QStringList unreadable = QDir(damaged).entryList(QDir::Files);
    ASSERT_FALSE(unreadable.isEmpty());
    for (const QString& name : unreadable) {
        SCOPED_TRACE(name.toStdString());
        std::unique_ptr<Workbook> book;
        const WorkbookStatus status = OpenForReading(damaged + name, book);
        if (status.ok())
            continue; // a file the reader copes with (an oversized dimension, say) is no failure
        EXPECT_EQ(ImportWorkbookFailureMessage(status, damaged + name),
                  u"インポート用Excelファイルを読み込めません。\r"_s + damaged + name + u"\r（Excelファイルではないか、壊れています）"_s);
    }

    const QString missing = client.dataFolder() + u"Mb在庫品INP.xls"_s;
    std::unique_ptr<Workbook> book;
    const WorkbookStatus status = OpenForReading(missing, book);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(ImportWorkbookFailureMessage(status, missing), u"インポート用Excelファイルが見つかりません。\r"_s + missing);
    const QString noFolder = client.dataFolder() + u"nowhere/Mb在庫品INP.xls"_s;
    EXPECT_EQ(ImportWorkbookFailureMessage(OpenForReading(noFolder, book), noFolder),
              u"インポート用Excelファイルが見つかりません。\r"_s + noFolder);
}
