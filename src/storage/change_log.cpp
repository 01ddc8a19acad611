#include "storage/change_log.h"

#include "storage/app_state.h"
#include "storage/cp932_codec.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/file_error.h"
#include "storage/paths.h"
#include "storage/platform_file.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

namespace {

constexpr int ItemNumberField = 4; // after the time, PcName, operation and record number

QString oneLine(QString value)
{
    for (QChar& c : value)
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    return value;
}

int qtyIndex(int r, int c)
{
    return ItemRecord::TextCount + r * ItemRecord::QtyColumns + c;
}

QString decodedField(const QList<QByteArray>& fields, int k)
{
    return k < fields.size() ? Cp932::decode(fields[k]) : QString();
}

void addDifference(QStringList& changes, const QString& name, const char* before, const char* after, int width)
{
    if (std::memcmp(before, after, size_t(width)) == 0)
        return;
    const QString old = FieldText(before, width);
    const QString now = FieldText(after, width);
    if (old != now)
        changes.append(name + QStringLiteral(": ") + old + QStringLiteral(" → ") + now);
}

} // namespace

QString ChangeLogPath(const AppState& state)
{
    return state.DataFolder + DataFileName::ChangeLog;
}

QByteArray FormatChangeLogLine(const ChangeLogEntry& entry)
{
    QByteArray line = Cp932::encode(oneLine(entry.when));
    const QString fields[] = {entry.pcName, entry.operation,
                              entry.recordNo > 0 ? QString::number(entry.recordNo) : QString(), entry.itemNumber};
    for (const QString& field : fields)
        line += '\t' + Cp932::encode(oneLine(field));
    for (const QString& change : entry.changes)
        line += '\t' + Cp932::encode(oneLine(change));
    line += "\r\n";
    return line;
}

ChangeLogEntry ParseChangeLogLine(const QByteArray& line)
{
    const QList<QByteArray> fields = line.split('\t');
    ChangeLogEntry entry;
    entry.when = decodedField(fields, 0);
    entry.pcName = decodedField(fields, 1);
    entry.operation = decodedField(fields, 2);
    entry.recordNo = decodedField(fields, 3).toInt();
    entry.itemNumber = decodedField(fields, ItemNumberField);
    for (qsizetype k = ItemNumberField + 1; k < fields.size(); ++k)
        entry.changes.append(Cp932::decode(fields[k]));
    return entry;
}

ChangeFieldNames PlainFieldNames()
{
    ChangeFieldNames names;
    for (int i = 0; i < ItemRecord::TextCount; ++i)
        names[size_t(i)] = QStringLiteral("text[%1]").arg(i);
    for (int r = 0; r < ItemRecord::QtyRows; ++r)
        for (int c = 0; c < ItemRecord::QtyColumns; ++c)
            names[size_t(qtyIndex(r, c))] = QStringLiteral("qty[%1][%2]").arg(r).arg(c);
    return names;
}

QStringList DescribeChanges(const ItemRecord& before, const ItemRecord& after, const ChangeFieldNames& names)
{
    QStringList changes;
    for (int i = 0; i < ItemRecord::TextCount; ++i) {
        const int at = ItemRecord::textOffset(i);
        addDifference(changes, names[size_t(i)], before.data() + at, after.data() + at, ItemRecord::TextWidth);
    }
    for (int r = 0; r < ItemRecord::QtyRows; ++r) {
        for (int c = 0; c < ItemRecord::QtyColumns; ++c) {
            const int at = ItemRecord::qtyOffset(r, c);
            addDifference(changes, names[size_t(qtyIndex(r, c))], before.data() + at, after.data() + at,
                          ItemRecord::QtyWidth);
        }
    }
    return changes;
}

ChangeLog::ChangeLog(const AppState& state, const QString& operation)
    : m_path(ChangeLogPath(state)), m_pcName(state.PcName),
      m_operation(state.ChangeOrigin.isEmpty() ? operation
                                               : operation + QStringLiteral(" (") + state.ChangeOrigin + u')'),
      m_names(PlainFieldNames())
{
}

void ChangeLog::addLine(int recordNo, const QString& itemNumber, const QStringList& changes)
{
    m_entries.append(ChangeLogEntry{QString(), m_pcName, m_operation, recordNo, itemNumber, changes});
}

void ChangeLog::addChange(int recordNo, const ItemRecord& before, const ItemRecord& after)
{
    addLine(recordNo, after.text(ItemField::Number), DescribeChanges(before, after, m_names));
}

void ChangeLog::addNewRecord(int recordNo, const ItemRecord& record)
{
    addChange(recordNo, ItemRecord(), record);
}

IoResult ChangeLog::write()
{
    if (m_entries.isEmpty())
        return IoResult::success();
    const QString now = QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"));
    QByteArray block;
    // Each entry is let go once formatted: the lines of a whole-ledger import are not held twice.
    for (ChangeLogEntry& entry : m_entries) {
        entry.when = now;
        block += FormatChangeLogLine(entry);
        entry = ChangeLogEntry{};
    }
    m_entries.clear();
    return AppendBlockToFile(m_path, block);
}

QList<ChangeLogEntry> ReadItemHistory(const AppState& state, const QString& itemNumber, IoResult* io)
{
    QList<ChangeLogEntry> history;
    if (io)
        *io = IoResult::success();
    const QFileInfo place(ChangeLogPath(state));
    if (!place.exists() && !place.isSymLink())
        return history;
    QFile file;
    if (const IoResult opened = OpenFileNoFollow(file, ChangeLogPath(state), QIODevice::ReadOnly); !opened) {
        if (io)
            *io = opened;
        return history;
    }
    // Lines are matched on the item number's bytes; only the matching lines are decoded.
    const QByteArray wanted = Cp932::encode(oneLine(itemNumber));
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        qsizetype field = 0;
        for (int k = 0; k < ItemNumberField && field >= 0; ++k) {
            field = line.indexOf('\t', field);
            if (field >= 0)
                ++field;
        }
        if (field < 0)
            continue;
        qsizetype fieldEnd = line.indexOf('\t', field);
        if (fieldEnd < 0)
            fieldEnd = line.size();
        if (QByteArrayView(line).sliced(field, fieldEnd - field) == wanted)
            history.append(ParseChangeLogLine(line));
    }
    if (file.error() != QFileDevice::NoError && io)
        *io = IoResult::failure(file.fileName(), EIO, file.errorString());
    return history;
}

QString ChangeLogFailureMessage(const IoResult& io)
{
    return QStringLiteral("　変更履歴に書き込めませんでした。") + u'\r'
        + QStringLiteral("　台帳の変更は登録されています。") + u'\r' + QStringLiteral("　")
        + DescribeFileError(ClassifyFileError(io.errorCode, io.path)) + u'\r' + QStringLiteral("　") + io.path;
}

void ReportChangeLogResult(AppState& state, const IoResult& written)
{
    if (written) {
        state.ChangeLogFailureShown = false;
        return;
    }
    if (state.ChangeLogFailureShown)
        return;
    state.ChangeLogFailureShown = true;
    state.dialogs.inform(QStringLiteral("異常確認"), ChangeLogFailureMessage(written));
}
