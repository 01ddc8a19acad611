#include "storage/rollover_mark.h"

#include "storage/app_state.h"
#include "storage/change_log.h"
#include "storage/field_text.h"
#include "storage/file_error.h"
#include "storage/folder_mark.h"
#include "storage/ledger_file.h"
#include "storage/ledger_image.h"
#include "storage/paths.h"
#include "storage/shared_settings_change.h"

#include <QCryptographicHash>
#include <QFile>
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
    if (!MarkExists(path))
        return std::nullopt;
    const std::optional<QStringList> values = ReadMarkValues(path);
    if (!values || values->size() < MarkLines) {
        if (problem)
            *problem = IoResult::failure(path, EBADMSG, QStringLiteral("the rollover mark cannot be read"));
        return std::nullopt;
    }
    const RolloverMark mark{values->at(0), values->at(1), values->at(2), values->at(3).toLatin1(),
                            values->at(4).toInt(), values->at(5), values->at(6)};
    if (mark.digest.size() != 64 || mark.to.isEmpty()) {
        if (problem)
            *problem = IoResult::failure(path, EBADMSG, QStringLiteral("the rollover mark is damaged"));
        return std::nullopt;
    }
    return mark;
}

IoResult WriteRolloverMark(const QString& dataFolder, const RolloverMark& mark)
{
    return WriteMarkValues(markPath(dataFolder), {mark.from, mark.to, mark.copyName, QString::fromLatin1(mark.digest),
                                                  QString::number(mark.itemCount), mark.when, mark.pcName});
}

IoResult RemoveRolloverMark(const QString& dataFolder)
{
    return RemoveMark(markPath(dataFolder));
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
