#include "storage/ledger_check.h"

#include "storage/app_state.h"
#include "storage/cp932_codec.h"
#include "storage/folder_check.h"
#include "storage/item_record.h"
#include "storage/ledger_file.h"
#include "storage/platform_file.h"
#include "storage/settings_files.h"
#include "storage/settings_lines.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <cerrno>
#include <vector>

namespace {

constexpr qint64 RecordLength = ItemRecord::Length;
constexpr int BlockRecords = 4096;

void checkRecord(LedgerCheck& check, int recordNo, const char* data)
{
    VisitRecordDamage(data, [&](const RecordDamage& damage) {
        if (damage.kind == RecordDamage::Kind::BadEnd) {
            if (check.badEnds.size() < check.limit)
                check.badEnds.append(recordNo);
            ++check.badEndCount;
            return;
        }
        if (check.badFields.size() < check.limit)
            check.badFields.append({recordNo, damage.field, damage.kind});
        ++check.badFieldCount;
    });
}

// Why a file could not be opened for the check.
QString whyUnreadable(const IoResult& opened)
{
    if (opened.errorCode == ELOOP)
        return QStringLiteral("it is a symbolic link, which the program never follows");
    if (opened.errorCode == EISDIR)
        return QStringLiteral("it is a folder");
    return opened.detail;
}

QString moreLine(int more, const QString& what)
{
    return QStringLiteral("... and %1 more %2").arg(more).arg(what);
}

// A line of a settings file must be exactly one double-quoted value without inner quotes.
bool isOneQuotedValue(const QByteArray& line)
{
    return line.size() >= 2 && line.front() == '"' && line.back() == '"'
        && line.count('"') == 2;
}

} // namespace

LedgerCheck CheckLedgerFile(const QString& path, int limit)
{
    LedgerCheck check;
    check.limit = limit;
    const QFileInfo info(path);
    check.exists = info.exists() || info.isSymLink();
    if (!check.exists)
        return check;
    QFile file;
    if (const IoResult opened = OpenFileNoFollow(file, path, QIODevice::ReadOnly); !opened) {
        check.readError = whyUnreadable(opened);
        return check;
    }
    check.length = file.size();
    check.wholeRecords = check.length / RecordLength;
    check.tailBytes = check.length % RecordLength;

    std::vector<char> block(static_cast<size_t>(BlockRecords) * RecordLength);
    for (qint64 first = 1; first <= check.wholeRecords; first += BlockRecords) {
        const qint64 wanted = std::min<qint64>(BlockRecords, check.wholeRecords - first + 1);
        const qint64 got = file.read(block.data(), wanted * RecordLength);
        if (got != wanted * RecordLength) {
            check.readError = file.errorString();
            return check;
        }
        for (qint64 k = 0; k < wanted; ++k)
            checkRecord(check, static_cast<int>(first + k), block.data() + k * RecordLength);
    }
    return check;
}

QStringList LedgerCheck::problems() const
{
    QStringList lines;
    if (!readError.isEmpty())
        lines.append(QStringLiteral("ledger: cannot be read: %1").arg(readError));
    if (tailBytes != 0) {
        // The record count rounds the length, so a tail of half a record or more counts as a record.
        const bool counted = RecordCountForLength(length) > wholeRecords;
        lines.append(QStringLiteral("ledger: damaged tail of %1 bytes after record %2 (%3)")
                         .arg(tailBytes)
                         .arg(wholeRecords)
                         .arg(counted ? QStringLiteral("counted as record %1").arg(wholeRecords + 1)
                                      : QStringLiteral("ignored")));
    }
    if (wholeRecords > AppState::MaxRecords) {
        lines.append(QStringLiteral("ledger: %1 records, more than the capacity of %2; the rest are ignored")
                         .arg(wholeRecords)
                         .arg(AppState::MaxRecords));
    }
    for (int n : badEnds)
        lines.append(QStringLiteral("record %1: record end is not CR LF").arg(n));
    if (badEndCount > badEnds.size())
        lines.append(moreLine(badEndCount - static_cast<int>(badEnds.size()),
                              QStringLiteral("records whose end is not CR LF")));
    for (const BadField& bad : badFields)
        lines.append(QStringLiteral("record %1: %2 %3")
                         .arg(bad.recordNo)
                         .arg(bad.field.name(), bad.kind == RecordDamage::Kind::TextAfterNul
                                                    ? QStringLiteral("hides text behind a NUL byte")
                                                    : QStringLiteral("is not valid cp932")));
    if (badFieldCount > badFields.size())
        lines.append(moreLine(badFieldCount - static_cast<int>(badFields.size()),
                              QStringLiteral("fields that are not valid cp932 or hide text behind a NUL byte")));
    return lines;
}

QStringList CheckSettingsFile(const QString& path, const QString& label, int limit)
{
    QStringList problems;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {QStringLiteral("%1: missing: %2").arg(label, path)};
    QFile file;
    if (const IoResult opened = OpenFileNoFollow(file, path, QIODevice::ReadOnly); !opened) {
        return {QStringLiteral("%1: cannot be read: %2").arg(label, whyUnreadable(opened))};
    }
    const QByteArray bytes = file.readAll();

    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast(); // the end of the last line, not a line of its own
    if (lines.size() != SettingsLineCount)
        problems.append(QStringLiteral("%1: %2 lines, expected %3").arg(label).arg(lines.size()).arg(SettingsLineCount));

    QStringList lineProblems;
    int lineProblemCount = 0;
    auto report = [&](int lineNo, const QString& what) {
        if (lineProblems.size() < limit)
            lineProblems.append(QStringLiteral("%1: line %2 %3").arg(label).arg(lineNo).arg(what));
        ++lineProblemCount;
    };
    for (qsizetype k = 0; k < lines.size(); ++k) {
        QByteArray line = lines[k];
        const int lineNo = static_cast<int>(k) + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        else
            report(lineNo, QStringLiteral("does not end in CR LF"));
        if (!isOneQuotedValue(line))
            report(lineNo, QStringLiteral("is not one double-quoted value"));
        if (!Cp932::isValid(line.constData(), line.size()))
            report(lineNo, QStringLiteral("is not valid cp932"));
    }
    problems += lineProblems;
    if (lineProblemCount > lineProblems.size())
        problems.append(moreLine(lineProblemCount - static_cast<int>(lineProblems.size()),
                                 QStringLiteral("line problems in the %1").arg(label)));
    return problems;
}

QStringList CheckDataFiles(const AppState& state, int limit)
{
    QStringList problems;
    // A missing ledger is created at the next open, but only inside a folder that can be used.
    const FolderCheck folder = CheckFolder(state.DataFolder, false);
    if (!folder.ok()) {
        static const QHash<FolderCheck::Problem, QString> what = {
            {FolderCheck::Problem::NotSet, QStringLiteral("not set")},
            {FolderCheck::Problem::NotAbsolute, QStringLiteral("not an absolute path")},
            {FolderCheck::Problem::Missing, QStringLiteral("missing")},
            {FolderCheck::Problem::NotAFolder, QStringLiteral("not a folder")},
            {FolderCheck::Problem::NotReadable, QStringLiteral("cannot be read")},
            {FolderCheck::Problem::NotCp932, QStringLiteral("a character the code page cannot hold")},
        };
        problems.append(QStringLiteral("data folder: %1: %2").arg(what.value(folder.problem), state.DataFolder));
        problems += CheckSettingsFile(state.ClientFolder + SettingsFileName::Client, QStringLiteral("client settings"), limit);
        return problems;
    }
    problems += CheckLedgerFile(LedgerPath(state), limit).problems();
    problems += CheckSettingsFile(state.ClientFolder + SettingsFileName::Client,
                                  QStringLiteral("client settings"), limit);
    problems += CheckSettingsFile(SharedSettingsPath(state), QStringLiteral("shared settings"), limit);
    return problems;
}
