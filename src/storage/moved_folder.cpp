#include "storage/moved_folder.h"

#include "storage/paths.h"
#include "storage/quoted_text_file.h"

#include <QFile>
#include <QFileInfo>
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
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return std::nullopt;
    const auto lines = ReadTextLines(path);
    if (!lines || lines->isEmpty())
        return QString();
    return SplitQuotedLine(lines->first()).value(0);
}

IoResult WriteMovedMark(const QString& folder, const QString& movedTo, const QString& pcName, const QDateTime& when)
{
    return WriteTextLines(markPath(folder), {JoinQuotedLine({movedTo}),
                                             JoinQuotedLine({when.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"))}),
                                             JoinQuotedLine({pcName})});
}

IoResult RemoveMovedMark(const QString& folder)
{
    QFile mark(markPath(folder));
    if (!mark.exists() || mark.remove())
        return IoResult::success();
    return IoResult::failure(mark.fileName(), errno ? errno : EIO, mark.errorString());
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
