#include "storage/file_error.h"

#include "support/temp_client_support.h"

#include <cerrno>
#include <gtest/gtest.h>

TEST(FileErrorStop, TheKindOfErrorDecidesMessageAndEnd)
{
    struct Case {
        int code;
        FileErrorKind kind;
        bool message;
        bool ends;
    };
    const Case cases[] = {
        {ENOMEM, FileErrorKind::OutOfMemory, true, true},
        {ENOENT, FileErrorKind::FileNotFound, true, true},
        {ENOSPC, FileErrorKind::DiskFull, true, true},
        {EACCES, FileErrorKind::PermissionDenied, true, true},
        {EROFS, FileErrorKind::PermissionDenied, true, true},
        {ENAMETOOLONG, FileErrorKind::BadFileName, true, true},
        {EIO, FileErrorKind::DiskNotReady, true, true},
        {ENOTDIR, FileErrorKind::PathNotFound, true, true},
        {EBUSY, FileErrorKind::InUse, true, false},
        {EEXIST, FileErrorKind::Other, false, false},
    };
    for (const Case& c : cases) {
        TempClient client;
        EXPECT_EQ(ClassifyFileError(c.code), c.kind) << c.code;
        EXPECT_EQ(FileErrorStop(client.state, c.code), !c.ends);
        EXPECT_EQ(client.dialogs.shown().size(), c.message ? 1 : 0);
        EXPECT_EQ(client.endRequests, c.ends ? 1 : 0);
        if (c.message) {
            EXPECT_EQ(client.dialogs.shown()[0].title, QStringLiteral("異常確認"));
            EXPECT_EQ(client.dialogs.shown()[0].text, u' ' + DescribeFileError(c.kind) + client.state.fileErrorSuffix);
        }
    }
    EXPECT_EQ(ActionForFileError(FileErrorKind::Printer), FileErrorAction::MessageOnly);
}

TEST(FileErrorStop, AMissingFolderAddsTheDriveSuffixForTheRestOfTheRun)
{
    TempClient client;
    const QString path = client.root() + QStringLiteral("/no/such/folder/file.dat");
    EXPECT_EQ(ClassifyFileError(ENOENT, path), FileErrorKind::PathNotFound);
    EXPECT_FALSE(FileErrorStop(client.state, ENOENT, path));
    EXPECT_EQ(client.dialogs.shown()[0].text,
              QStringLiteral(" パスが見つかりません。初期設定でﾄﾞﾗｲﾌﾞを選択して下さい,終了します。"));
    FileErrorStop(client.state, ENOSPC);
    EXPECT_TRUE(client.dialogs.shown()[1].text.endsWith(QStringLiteral("初期設定でﾄﾞﾗｲﾌﾞを選択して下さい,終了します。")));
}
