#include "storage/transfer_mark.h"

#include "storage/folder_mark.h"
#include "storage/paths.h"

namespace {
QString markPath(const QString& folder)
{
    return folder + DataFileName::TransferMark;
}
}

std::optional<TransferMark> ReadTransferMark(const QString& folder)
{
    const QString path = markPath(folder);
    if (!MarkExists(path))
        return std::nullopt;
    const QStringList values = ReadMarkValues(path).value_or(QStringList());
    return TransferMark{values.value(0), values.value(1), values.value(2)};
}

IoResult WriteTransferMark(const QString& folder, const QString& source, const QString& pcName, const QDateTime& when)
{
    return WriteMarkValues(markPath(folder), {source, when.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")), pcName});
}

IoResult RemoveTransferMark(const QString& folder)
{
    return RemoveMark(markPath(folder));
}
