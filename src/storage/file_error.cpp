#include "storage/file_error.h"

#include "storage/app_state.h"
#include "storage/dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

FileErrorKind ClassifyFileError(int errorCode, const QString& path)
{
    if (errorCode == ENOENT && !path.isEmpty() && !QFileInfo(path).absoluteDir().exists())
        return FileErrorKind::PathNotFound;
    switch (errorCode) {
    case ENOMEM:
        return FileErrorKind::OutOfMemory;
    case EFAULT:
        return FileErrorKind::Internal;
    case ENAMETOOLONG:
    case EINVAL:
    case EBADF:
    case EILSEQ:
        return FileErrorKind::BadFileName;
    case ENOENT:
        return FileErrorKind::FileNotFound;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileErrorKind::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return FileErrorKind::PermissionDenied;
    case EIO:
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM:
    case EHOSTDOWN:
    case ENETUNREACH:
    case ESTALE:
        return FileErrorKind::DiskNotReady;
    case ENOTDIR:
        return FileErrorKind::PathNotFound;
    case ELOOP:
        return FileErrorKind::SymbolicLink;
    case EISDIR:
        return FileErrorKind::NotAFile;
    case EREMCHG:
        return FileErrorKind::Moved;
    case EBADMSG:
        return FileErrorKind::Damaged;
    case EBUSY:
        return FileErrorKind::InUse;
    default:
        return FileErrorKind::Other;
    }
}

QString DescribeFileError(FileErrorKind kind)
{
    switch (kind) {
    case FileErrorKind::OutOfMemory:
        return QStringLiteral("メモリが不足しています。");
    case FileErrorKind::Internal:
        return QStringLiteral("内部エラーです。");
    case FileErrorKind::BadFileName:
        return QStringLiteral("ファイル名または番号が不正です。");
    case FileErrorKind::FileNotFound:
        return QStringLiteral("ファイルが見つかりません。");
    case FileErrorKind::DiskFull:
        return QStringLiteral("ディスクの空き容量が不足しています。");
    case FileErrorKind::PermissionDenied:
        return QStringLiteral("書き込みできません。");
    case FileErrorKind::DiskNotReady:
        return QStringLiteral("ディスクの準備ができていません。");
    case FileErrorKind::PictureCreation:
        return QStringLiteral("ピクチャを作成できません。");
    case FileErrorKind::PathNotFound:
        return QStringLiteral("パスが見つかりません。");
    case FileErrorKind::Printer:
        return QStringLiteral("プリンタ エラーです。");
    case FileErrorKind::SymbolicLink:
        return QStringLiteral("ファイルがシンボリックリンクのため使用できません。");
    case FileErrorKind::NotAFile:
        return QStringLiteral("ファイルの位置にフォルダーなどファイル以外のものがあります。");
    case FileErrorKind::Damaged:
        return QStringLiteral("ファイルが壊れています。");
    case FileErrorKind::Moved:
        return QStringLiteral("データは次のフォルダーに移動しました。このフォルダーには書き込めません。");
    case FileErrorKind::InUse:
        return QStringLiteral("ファイルが他のパソコンで使用中のため置き換えられませんでした。しばらくしてからもう一度操作して下さい。");
    case FileErrorKind::Other:
        break;
    }
    return QStringLiteral("ファイル操作でエラーが発生しました。");
}

FileErrorAction ActionForFileError(FileErrorKind kind)
{
    switch (kind) {
    case FileErrorKind::Printer:
    case FileErrorKind::SymbolicLink:
    case FileErrorKind::NotAFile:
    case FileErrorKind::Damaged:
    case FileErrorKind::Moved:
    case FileErrorKind::InUse:
        return FileErrorAction::MessageOnly;
    case FileErrorKind::Other:
        return FileErrorAction::Nothing;
    default:
        return FileErrorAction::MessageAndEnd;
    }
}

bool FileErrorStop(AppState& state, int errorCode, const QString& path)
{
    state.closeAllFiles();
    const FileErrorKind kind = ClassifyFileError(errorCode, path);
    if (kind == FileErrorKind::PathNotFound)
        state.fileErrorSuffix = QStringLiteral("初期設定でﾄﾞﾗｲﾌﾞを選択して下さい,終了します。");
    const FileErrorAction action = ActionForFileError(kind);
    if (action == FileErrorAction::Nothing)
        return true;
    state.dialogs.inform(QStringLiteral("異常確認"), u' ' + DescribeFileError(kind) + state.fileErrorSuffix);
    if (action == FileErrorAction::MessageAndEnd) {
        state.requestEnd();
        return false;
    }
    return true;
}
