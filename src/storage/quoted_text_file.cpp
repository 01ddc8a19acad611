#include "storage/quoted_text_file.h"

#include "storage/cp932_codec.h"
#include "storage/platform_file.h"
#include "storage/safe_file.h"

#include <QFile>

QStringList SplitQuotedLine(const QString& line)
{
    QStringList values;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (true) {
        while (i < n && line[i] == u' ')
            ++i;
        QString value;
        if (i < n && line[i] == u'"') {
            const qsizetype close = line.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? n : close;
            value = line.mid(i + 1, end - i - 1);
            i = close < 0 ? n : close + 1;
            while (i < n && line[i] != u',')
                ++i;
        } else {
            qsizetype comma = line.indexOf(u',', i);
            if (comma < 0)
                comma = n;
            value = line.mid(i, comma - i).trimmed();
            i = comma;
        }
        values.append(value);
        if (i >= n)
            break;
        ++i; // the comma
    }
    return values;
}

QString JoinQuotedLine(const QStringList& values)
{
    QString line;
    for (qsizetype k = 0; k < values.size(); ++k) {
        if (k > 0)
            line += u',';
        QString value = values[k];
        value.replace(u'"', u'\'');
        line += u'"' + value + u'"';
    }
    return line;
}

QStringList SplitTextLines(const QByteArray& bytes)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        qsizetype stop = end;
        if (stop > start && bytes[stop - 1] == '\r')
            --stop;
        lines.append(Cp932::decode(bytes.constData() + start, stop - start));
        start = next;
    }
    return lines;
}

std::optional<QStringList> ReadTextLines(const QString& path)
{
    QFile file;
    if (!OpenFileNoFollow(file, path, QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return SplitTextLines(bytes);
}

IoResult WriteTextLines(const QString& path, const QStringList& lines)
{
    QByteArray content;
    for (const QString& line : lines) {
        content += Cp932::encode(line);
        content += "\r\n";
    }
    return WriteFileAtomically(path, content);
}
