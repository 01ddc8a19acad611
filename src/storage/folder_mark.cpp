#include "storage/folder_mark.h"

#include "storage/quoted_text_file.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

bool MarkExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

std::optional<QStringList> ReadMarkValues(const QString& path)
{
    if (QFileInfo(path).isSymLink())
        return std::nullopt;
    const auto lines = ReadTextLines(path);
    if (!lines)
        return std::nullopt;
    QStringList values;
    values.reserve(lines->size());
    for (const QString& line : *lines)
        values.append(SplitQuotedLine(line).value(0));
    return values;
}

IoResult WriteMarkValues(const QString& path, const QStringList& values)
{
    QStringList lines;
    lines.reserve(values.size());
    for (const QString& value : values)
        lines.append(JoinQuotedLine({value}));
    return WriteTextLines(path, lines);
}

IoResult RemoveMark(const QString& path)
{
    QFile mark(path);
    errno = 0;
    if (!MarkExists(path) || mark.remove())
        return IoResult::success();
    return IoResult::failure(path, errno ? errno : EIO, mark.errorString());
}
