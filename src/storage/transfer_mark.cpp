#include "storage/transfer_mark.h"

#include "storage/paths.h"
#include "storage/quoted_text_file.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace {
QString markPath(const QString& folder)
{
    return folder + DataFileName::TransferMark;
}
}

std::optional<TransferMark> ReadTransferMark(const QString& folder)
{
    const QString path = markPath(folder);
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return std::nullopt;
    TransferMark mark;
    if (const auto lines = ReadTextLines(path)) {
        const auto value = [&](int k) { return k < lines->size() ? SplitQuotedLine(lines->at(k)).value(0) : QString(); };
        mark = {value(0), value(1), value(2)};
    }
    return mark;
}

IoResult WriteTransferMark(const QString& folder, const QString& source, const QString& pcName, const QDateTime& when)
{
    return WriteTextLines(markPath(folder), {JoinQuotedLine({source}),
                                             JoinQuotedLine({when.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"))}),
                                             JoinQuotedLine({pcName})});
}

IoResult RemoveTransferMark(const QString& folder)
{
    QFile mark(markPath(folder));
    errno = 0;
    if (!mark.exists() || mark.remove())
        return IoResult::success();
    return IoResult::failure(mark.fileName(), errno ? errno : EIO, mark.errorString());
}
