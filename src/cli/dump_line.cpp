#include "cli/dump_line.h"

#include "storage/item_record.h"

namespace {

constexpr int LastDumpedText = ItemField::StartOfUse;

// A tab or line break inside a field would split the line; it is shown as a space.
void appendField(QString& line, QString text)
{
    for (QChar& c : text)
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    line += u'\t';
    line += text;
}

} // namespace

QString DumpLine(int recordNo, const ItemRecord& record)
{
    QString line = QString::number(recordNo);
    for (int i = 0; i <= LastDumpedText; ++i)
        appendField(line, record.text(i));
    for (int row : {int(QtyRow::Received), int(QtyRow::Issued)})
        for (int column = QtyColumn::FirstMonth; column <= QtyColumn::Rate; ++column)
            appendField(line, record.qty(row, column));
    line += u'\n';
    return line;
}
