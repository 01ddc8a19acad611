#include "storage/moved_folder.h"

#include "storage/folder_mark.h"
#include "storage/paths.h"

#include <cerrno>

namespace {
QString markPath(const QString& folder)
{
    return folder + DataFileName::MovedMark;
}
}

std::optional<QString> MovedDataFolder(const QString& folder)
{
    const QString path = markPath(folder);
    if (!MarkExists(path))
        return std::nullopt;
    return ReadMarkValues(path).value_or(QStringList()).value(0);
}

IoResult WriteMovedMark(const QString& folder, const QString& movedTo, const QString& pcName, const QDateTime& when)
{
    return WriteMarkValues(markPath(folder), {movedTo, when.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")), pcName});
}

IoResult RemoveMovedMark(const QString& folder)
{
    return RemoveMark(markPath(folder));
}

IoResult RefuseWhenMoved(const QString& folder)
{
    const std::optional<QString> movedTo = MovedDataFolder(folder);
    if (!movedTo)
        return IoResult::success();
    return IoResult::failure(*movedTo, EREMCHG, QStringLiteral("the data have moved to another folder"));
}

QString MovedFolderMessage(const QString& movedTo)
{
    return QStringLiteral("　データは ") + (movedTo.isEmpty() ? QStringLiteral("別のフォルダー") : movedTo)
        + QStringLiteral(" に移動しました。") + u'\r' + QStringLiteral("　このフォルダーにはもう書き込めません。") + u'\r'
        + QStringLiteral("　初期設定のデータフォルダー設定で移動先を登録してください。");
}
