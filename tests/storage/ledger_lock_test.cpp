#include "storage/ledger_lock.h"

#include "storage/paths.h"
#include "support/temp_client_support.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

// A client that ended between creating the lock file and writing into it leaves an empty file;
// it must not keep the other clients out until the stale time.
TEST(LedgerLock, AnEmptyLockFileLeftByAnEndedClientIsTakenOver)
{
    TempClient client;
    const QString path = client.dataFolder() + DataFileName::LedgerLock;
    TempClient::writeBytes(path, QByteArray());

    LedgerLock lock(client.state);
    const IoResult taken = lock.take();

    ASSERT_TRUE(taken.ok) << taken.detail.toStdString();
    EXPECT_GT(QFile(path).size(), 0); // now holds this process's lock information
}

// Other clients take over a lock whose file has not changed for the stale time (30 s): a holder
// that works longer (the data transfer) keeps its file's time fresh, and its owner details.
TEST(LedgerLock, KeepAliveRefreshesTheLockFilesTimeAndKeepsItsOwner)
{
    TempClient client;
    const QString path = client.dataFolder() + DataFileName::LedgerLock;
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
