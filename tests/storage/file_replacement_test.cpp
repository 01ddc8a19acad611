// A whole-file replacement: all new or all old, the old file's permissions kept, nothing left beside it.
#include "storage/file_replacement.h"
#include "storage/safe_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList namesIn(const QTemporaryDir& folder)
{
    return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

TEST(FileReplacement, ReplacesTheWholeFileAndKeepsItsPermissionsWithNothingLeftBeside)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Ma在庫品.dat"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old content\r\n");
    }
    const QFileDevice::Permissions shared = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
        | QFileDevice::WriteGroup | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(path, shared));
    const QFileDevice::Permissions before = QFile::permissions(path);

    ASSERT_TRUE(WriteFileAtomically(path, "new\r\n"));
    EXPECT_EQ(contentOf(path), QByteArray("new\r\n"));
    EXPECT_EQ(QFile::permissions(path), before);
    EXPECT_EQ(namesIn(folder), QStringList{QStringLiteral("Ma在庫品.dat")});

    const QString fresh = folder.filePath(QStringLiteral("new.dat"));
    ASSERT_TRUE(WriteFileAtomically(fresh, QByteArray()));
    EXPECT_TRUE(QFile::exists(fresh));
    EXPECT_EQ(QFileInfo(fresh).size(), 0);
}

TEST(FileReplacement, AReplacementThatIsNotCommittedLeavesTheOldFileAndNoTemporaryFile)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("ledger.dat"));
    ASSERT_TRUE(WriteFileAtomically(path, "old\r\n"));
    {
        FileReplacement replacement(path);
        ASSERT_TRUE(replacement.open());
        ASSERT_TRUE(replacement.write(0, "half", 4));
        // Unnamed on a Linux disk; named beside the file elsewhere.
        EXPECT_TRUE(replacement.temporaryPath().isEmpty() || replacement.temporaryPath().startsWith(path + u'.'));
    }
    EXPECT_EQ(contentOf(path), QByteArray("old\r\n"));
    EXPECT_EQ(namesIn(folder), QStringList{QStringLiteral("ledger.dat")});
}
