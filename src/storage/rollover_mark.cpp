#include "storage/rollover_mark.h"

#include "storage/app_state.h"
#include "storage/change_log.h"
#include "storage/field_text.h"
#include "storage/file_error.h"
#include "storage/ledger_file.h"
#include "storage/ledger_image.h"
#include "storage/paths.h"
#include "storage/quoted_text_file.h"
#include "storage/shared_settings_change.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace {

constexpr int MarkLines = 7;
// The log's tail searched for the rollover's line: far more than the lines written after it
// while the mark stood (none: every writer settles first).
constexpr qint64 LogTailBytes = 256 * 1024;

QString markPath(const QString& dataFolder)
{
    return dataFolder + DataFileName::RolloverMark;
}

QString copyFact(const RolloverMark& mark)
{
    return QStringLiteral("控え: ") + mark.copyName;
}

// True when the log's tail holds the line of this rollover.
bool logHasRollover(const AppState& state, const RolloverMark& mark)
{
    QFile log(ChangeLogPath(state));
    if (!log.open(QIODevice::ReadOnly))
        return false;
    if (log.size() > LogTailBytes)
        log.seek(log.size() - LogTailBytes);
    const QList<QByteArray> lines = log.readAll().split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        const ChangeLogEntry entry = ParseChangeLogLine(line);
        if (entry.operation.startsWith(ChangeOperation::YearRollover) && entry.changes.contains(copyFact(mark)))
            return true;
    }
    return false;
}

} // namespace

QByteArray LedgerDigest(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

std::optional<RolloverMark> ReadRolloverMark(const QString& dataFolder, IoResult* problem)
{
    const QString path = markPath(dataFolder);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return std::nullopt;
    const auto lines = ReadTextLines(path);
    if (!lines || lines->size() < MarkLines || info.isSymLink()) {
        if (problem)
            *problem = IoResult::failure(path, EBADMSG, QStringLiteral("the rollover mark cannot be read"));
        return std::nullopt;
    }
    const auto value = [&](int k) { return SplitQuotedLine(lines->at(k)).value(0); };
    RolloverMark mark{value(0), value(1), value(2), value(3).toLatin1(), value(4).toInt(), value(5), value(6)};
    if (mark.digest.size() != 64 || mark.to.isEmpty()) {
        if (problem)
            *problem = IoResult::failure(path, EBADMSG, QStringLiteral("the rollover mark is damaged"));
        return std::nullopt;
    }
    return mark;
}

IoResult WriteRolloverMark(const QString& dataFolder, const RolloverMark& mark)
{
    return WriteTextLines(markPath(dataFolder),
                          {JoinQuotedLine({mark.from}), JoinQuotedLine({mark.to}), JoinQuotedLine({mark.copyName}),
                           JoinQuotedLine({QString::fromLatin1(mark.digest)}),
                           JoinQuotedLine({QString::number(mark.itemCount)}), JoinQuotedLine({mark.when}),
                           JoinQuotedLine({mark.pcName})});
}

IoResult RemoveRolloverMark(const QString& dataFolder)
{
    QFile mark(markPath(dataFolder));
    if (!mark.exists() || mark.remove())
        return IoResult::success();
    return IoResult::failure(mark.fileName(), errno ? errno : EIO, mark.errorString());
}

QStringList RolloverLogFacts(const RolloverMark& mark)
{
    return {mark.from + QStringLiteral(" → ") + mark.to, copyFact(mark)};
}

RolloverSettlement SettleHalfDoneRollover(AppState& state)
{
    RolloverSettlement settlement;
    IoResult problem;
    const std::optional<RolloverMark> mark = ReadRolloverMark(state.DataFolder, &problem);
    if (!problem) {
        settlement.io = problem;
        return settlement;
    }
    if (!mark)
        return settlement;
    settlement.mark = *mark;

    LedgerImage ledger;
    if (const IoResult read = ReadLedgerImage(LedgerPath(state), ledger); !read) {
        settlement.io = read;
        return settlement;
    }
    if (LedgerDigest(ledger.bytes) != mark->digest) {
        // The ledger was never replaced: the rollover did not happen.
        settlement.kind = RolloverSettlement::Kind::Undone;
        settlement.io = RemoveRolloverMark(state.DataFolder);
        return settlement;
    }
    // The ledger is the rolled-over one: complete the log line and the start month.
    settlement.kind = RolloverSettlement::Kind::Finished;
    if (!logHasRollover(state, *mark)) {
        ChangeLog log(state, ChangeOperation::YearRollover);
        log.addSummary(QStringList{QStringLiteral("件数: %1").arg(ledger.count)} + RolloverLogFacts(*mark));
        log.write(); // the log follows the data; a failed line does not block the year
    }
    if (const IoResult month = ChangeSharedSettings(state, {{SharedLine::StartMonth, mark->to}}); !month) {
        settlement.io = month;
        return settlement;
    }
    settlement.io = RemoveRolloverMark(state.DataFolder);
    return settlement;
}

QString RolloverSettlementMessage(const RolloverSettlement& settlement)
{
    if (!settlement.io) {
        QString text = QStringLiteral("　途中で中断された年度更新");
        if (!settlement.mark.to.isEmpty())
            text += QStringLiteral("（%1 から %2）").arg(settlement.mark.from, settlement.mark.to);
        return text + QStringLiteral("を完了できませんでした。") + u'\r' + QStringLiteral("　")
            + DescribeFileError(ClassifyFileError(settlement.io.errorCode, settlement.io.path)) + u'\r'
            + QStringLiteral("　") + settlement.io.path + u'\r'
            + QStringLiteral("　完了するまで台帳への登録はできません。");
    }
    switch (settlement.kind) {
    case RolloverSettlement::Kind::None:
        return QString();
    case RolloverSettlement::Kind::Finished:
        return QStringLiteral("　途中で中断されていた年度更新（%1 から %2）を完了しました。").arg(settlement.mark.from, settlement.mark.to)
            + u'\r' + QStringLiteral("　在庫管理開始年月: ") + settlement.mark.to;
    case RolloverSettlement::Kind::Undone:
        return QStringLiteral("　途中で中断されていた年度更新（%1 から %2）は台帳に反映されていなかったため、取り消しました。")
                   .arg(settlement.mark.from, settlement.mark.to)
            + u'\r' + QStringLiteral("　台帳と在庫管理開始年月は元のままです。");
    }
    return QString();
}
