#include "storage/file_lock.h"
#include "storage/ledger_lock.h"

#include "storage/paths.h"
#include "support/temp_client_support.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QThread>
#include <gtest/gtest.h>

// A client that ended between creating the lock and writing its owner leaves an empty lock folder
// (an earlier version: an empty lock file); it must not keep the other clients out until the stale
// time.
TEST(LedgerLock, AnEmptyLockLeftByAnEndedClientIsTakenOver)
{
    for (const bool folder : {true, false}) {
        TempClient client;
        const QString path = client.dataFolder() + DataFileName::LedgerLock;
        if (folder)
            ASSERT_TRUE(QDir().mkdir(path));
        else
            TempClient::writeBytes(path, QByteArray());

        LedgerLock lock(client.state);
        const IoResult taken = lock.take();

        ASSERT_TRUE(taken.ok) << taken.detail.toStdString();
        EXPECT_TRUE(QFileInfo(path).isDir());
        EXPECT_GT(QFile(FileLock::ownerFileOf(path)).size(), 0); // now holds this process's lock information
    }
}

// Other clients take over a lock whose owner file has not changed for the stale time: a holder
// that works longer (the data transfer) keeps its time fresh, and its owner details.
TEST(LedgerLock, KeepAliveRefreshesTheLockFilesTimeAndKeepsItsOwner)
{
    TempClient client;
    const QString path = FileLock::ownerFileOf(client.dataFolder() + DataFileName::LedgerLock);
    LedgerLock lock(client.state);
    ASSERT_TRUE(lock.take().ok);
    const QByteArray owner = TempClient::readBytes(path);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-120), QFileDevice::FileModificationTime));
    }
    lock.keepAlive();

    EXPECT_LT(QFileInfo(path).lastModified().secsTo(QDateTime::currentDateTime()), 10);
    EXPECT_EQ(TempClient::readBytes(path), owner);
}

namespace {

QByteArray lockContents(qint64 pid, const QString& host)
{
    return QByteArray::number(pid) + "\ntev\n" + host.toUtf8() + "\n0123abcd\n";
}

} // namespace

// A holder keeps its lock file fresh by itself, however long it works: the waiters of other hosts
// judge a lock by whether its file changes.
TEST(FileLockTest, AHolderKeepsItsLockFileFreshWithoutBeingAsked)
{
    TempClient client;
    const QString lockPath = client.dataFolder() + DataFileName::LedgerLock;
    const QString path = FileLock::ownerFileOf(lockPath);
    FileLock lock(lockPath, QStringLiteral("the ledger lock"));
    ASSERT_TRUE(lock.take().ok);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-120), QFileDevice::FileModificationTime));
    }
    QThread::msleep(FileLock::RefreshMs + 700);
    EXPECT_LT(QFileInfo(path).lastModified().secsTo(QDateTime::currentDateTime()), 10);
    lock.release();
    EXPECT_FALSE(QFileInfo::exists(lockPath));
}

// A lock left by a process of this host that has ended is taken over at once, in the folder form
// and in the plain file of an earlier version; one of another host that stays unchanged is taken
// over after the stale time, and says whose it was.
TEST(FileLockTest, LocksOfEndedProcessesAndDeadHostsAreTakenOver)
{
    TempClient client;
    const QString path = client.dataFolder() + DataFileName::LedgerLock;
    QProcess ended;
    ended.start(QStringLiteral("true"));
    ASSERT_TRUE(ended.waitForFinished());
    const qint64 endedPid = ended.processId() ? ended.processId() : 999999;
    for (const bool folder : {true, false}) {
        if (folder) {
            ASSERT_TRUE(QDir().mkdir(path));
            TempClient::writeBytes(FileLock::ownerFileOf(path), lockContents(endedPid, QSysInfo::machineHostName()));
        } else {
            TempClient::writeBytes(path, lockContents(endedPid, QSysInfo::machineHostName()));
        }
        FileLock lock(path, QStringLiteral("the ledger lock"));
        QElapsedTimer took;
        took.start();
        ASSERT_TRUE(lock.take().ok) << folder;
        EXPECT_LT(took.elapsed(), 2000);
    }

    ASSERT_TRUE(QDir().mkdir(path));
    TempClient::writeBytes(FileLock::ownerFileOf(path), lockContents(4242, QStringLiteral("other-pc")));
    FileLock lock(path, QStringLiteral("the ledger lock"));
    QElapsedTimer took;
    took.start();
    const IoResult taken = lock.take();
    ASSERT_TRUE(taken.ok) << taken.detail.toStdString();
    EXPECT_GE(took.elapsed(), FileLock::StaleMs);
    EXPECT_EQ(lock.takenOverFrom(), QStringLiteral("other-pc (4242)"));
    EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral(".takeover")));
    EXPECT_NE(TempClient::readBytes(FileLock::ownerFileOf(path)), lockContents(4242, QStringLiteral("other-pc")));
}

// Taking over a lock left behind tells the user whose it was, without waiting for an answer; a
// free lock says nothing.
TEST(LedgerLock, ALockTakenOverIsToldWithItsOwner)
{
    TempClient client;
    const QString path = client.dataFolder() + DataFileName::LedgerLock;
    {
        LedgerLock free(client.state);
        ASSERT_TRUE(free.take().ok);
    }
    EXPECT_TRUE(client.dialogs.shown().isEmpty());

    QProcess ended;
    ended.start(QStringLiteral("true"));
    ASSERT_TRUE(ended.waitForFinished());
    const qint64 endedPid = ended.processId() ? ended.processId() : 999999;
    ASSERT_TRUE(QDir().mkdir(path));
    TempClient::writeBytes(FileLock::ownerFileOf(path), lockContents(endedPid, QSysInfo::machineHostName()));
    LedgerLock lock(client.state);
    ASSERT_TRUE(lock.take().ok);
    const QString owner = QStringLiteral("%1 (%2)").arg(QSysInfo::machineHostName()).arg(endedPid);
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].text, LockTakenOverNotice(QStringLiteral("台帳"), owner));
    EXPECT_TRUE(client.dialogs.shown()[0].text.contains(owner));
}
