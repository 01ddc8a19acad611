// Every way the program writes a data file meets a symbolic link, a folder or a relative path in
// the file's place: it refuses, says why, and the file a link points to stays as it was.
#include "storage/file_error.h"
#include "storage/ledger_append.h"
#include "storage/ledger_file.h"
#include "storage/ledger_image.h"
#include "storage/ledger_lock.h"
#include "storage/paths.h"
#include "storage/platform_file.h"
#include "storage/safe_file.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(NoFollow, EveryWriterRefusesALinkInTheFilesPlace)
{
    const struct {
        const char* what;
        QString name;
        std::function<IoResult(TempClient&, const QString& path)> write;
    } writers[] = {
        {"whole-file replacement", DataFileName::ItemNumbers,
         [](TempClient&, const QString& path) { return WriteFileAtomically(path, "new"); }},
        {"appended block", DataFileName::ChangeLog,
         [](TempClient&, const QString& path) { return AppendBlockToFile(path, "line\r\n"); }},
        {"ledger replacement", DataFileName::Ledger,
         [](TempClient&, const QString& path) { return ReplaceLedgerFile(path, {}); }},
        {"new item", DataFileName::Ledger, [](TempClient& c, const QString&) { return StoreNewItem(c.state).io; }},
        {"opening the ledger", DataFileName::Ledger, [](TempClient& c, const QString&) { return OpenLedger(c.state); }},
    };
    for (const auto& w : writers) {
        TempClient client;
        const QString target = client.root() + u"/target.dat"_s;
        WriteTestLedger(target, 2);
        const QByteArray before = TempClient::readBytes(target);
        const QString path = client.dataFolder() + w.name;
        ASSERT_TRUE(QFile::link(target, path));
        const IoResult result = w.write(client, path);
        EXPECT_EQ(result.errorCode, ELOOP) << w.what;
        EXPECT_EQ(DescribeFileError(ClassifyFileError(result.errorCode)), u"ファイルがシンボリックリンクのため使用できません。"_s);
        EXPECT_EQ(TempClient::readBytes(target), before) << w.what;
        EXPECT_TRUE(QFileInfo(path).isSymLink()) << w.what;
        CloseLedger(client.state);
    }
}

TEST(NoFollow, AFolderOrARelativePathIsRefusedAsWell)
{
    TempClient client;
    const QString folderInPlace = client.dataFolder() + DataFileName::ItemNumbers;
    QDir().mkpath(folderInPlace);
    EXPECT_EQ(WriteFileAtomically(folderInPlace, "x").errorCode, EISDIR);
    QFile file;
    EXPECT_EQ(OpenFileNoFollow(file, folderInPlace, QIODevice::ReadOnly).errorCode, EISDIR);
    EXPECT_EQ(WriteFileAtomically(u"relative.dat"_s, "x").errorCode, EINVAL);
    EXPECT_EQ(AppendBlockToFile(u"relative.log"_s, "x").errorCode, EINVAL);
    EXPECT_FALSE(QFile::exists(u"relative.dat"_s));
    EXPECT_FALSE(QFile::exists(u"relative.log"_s));
}

TEST(NoFollow, ALockPathThatIsAFolderOrALinkIsNamedNotTakenForAnotherClient)
{
    const struct {
        const char* what;
        std::function<void(const QString& lock, const QString& root)> place;
        int errorCode;
    } cases[] = {
        {"folder with other things in it",
         [](const QString& lock, const QString&) {
             QDir().mkpath(lock + u"/notes"_s);
         },
         EISDIR},
        {"link", [](const QString& lock, const QString& root) { QFile::link(root + u"/nowhere"_s, lock); }, ELOOP},
    };
    for (const auto& c : cases) {
        TempClient client;
        c.place(client.dataFolder() + DataFileName::LedgerLock, client.root());
        LedgerLock lock(client.state);
        // Not EBUSY ("another client holds it") after the wait: what is there is named.
        EXPECT_EQ(lock.take().errorCode, c.errorCode) << c.what;
    }
}
