#include "storage/ledger_lock.h"

#include "storage/paths.h"
#include "support/temp_client_support.h"

#include <QFile>
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
