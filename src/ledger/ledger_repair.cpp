#include "ledger/ledger_repair.h"

#include "ledger/ledger_commit.h"
#include "storage/app_state.h"
#include "storage/change_log.h"
#include "storage/file_error.h"
#include "storage/item_number_file.h"
#include "storage/item_record.h"
#include "storage/ledger_damage.h"
#include "storage/ledger_file.h"
#include "storage/ledger_image.h"
#include "storage/ledger_lock.h"
#include "storage/paths.h"
#include "storage/safe_file.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <optional>
#include <vector>

namespace {

constexpr qint64 RecordLength = ItemRecord::Length;
// The report names this many left-out records; the rest are counted.
constexpr int ReportedRecords = 20;

IoResult writeDamagedCopy(const AppState& state, const QByteArray& bytes, const QDateTime& when, QString& copyPath)
{
    const QString folder = state.DataFolder + DataFileName::OutputFolder + PathSeparator;
    errno = 0;
    if (!QDir().mkpath(folder))
        return IoResult::failure(folder, errno ? errno : ENOENT, QStringLiteral("cannot create the output folder"));
    QString path = folder + DamagedLedgerCopyName(when);
    for (int n = 2; QFile::exists(path) || QFileInfo(path).isSymLink(); ++n)
        path = folder + QStringLiteral("Ma在庫品_破損_%1_%2.dat").arg(when.toString(QStringLiteral("yyyyMMdd_hhmmss"))).arg(n);
    const IoResult written = WriteFileAtomically(path, bytes);
    if (written)
        copyPath = path;
    return written;
}

RepairResult repairLocked(AppState& state, const QDateTime& now)
{
    RepairResult result;
    LedgerLock lock(state);
    if (!(result.io = lock.take()))
        return result;
    RemoveLeftoverLedgerTemporaries(LedgerPath(state));
    LedgerImage ledger;
    if (!(result.io = ReadLedgerImage(LedgerPath(state), ledger)))
        return result;
    if (CheckLedgerBytes(LedgerPath(state), ledger.bytes.constData(), ledger.bytes.size()))
        return result;
    result.wasDamaged = true;
    result.recordsBefore = ledger.count;
    result.tailBytes = ledger.bytes.size() % RecordLength;
    if (!(result.io = writeDamagedCopy(state, ledger.bytes, now, result.copyPath)))
        return result;

    std::vector<const char*> kept;
    kept.reserve(size_t(ledger.count));
    for (int n = 1; n <= ledger.count; ++n) {
        if (const std::optional<RecordDamage> first = FirstRecordDamage(ledger.record(n)))
            result.leftOut.append({n, DescribeRecordDamage(n, ledger.record(n), *first)});
        else
            kept.push_back(ledger.record(n));
    }
    // A ledger past the capacity keeps all its sound records: the repair drops only damage.
    CloseLedger(state);
    if (!(result.io = ReplaceLedgerFile(LedgerPath(state), kept)))
        return result;
    result.recordsKept = int(kept.size());
    {
        LedgerCloser closer(state);
        OpenLedger(state);
    }
    RebuildItemNumberTable(state);
    WriteItemNumberFile(state);

    ChangeLog log(state, ChangeOperation::Repair);
    QStringList facts{QStringLiteral("件数: %1 → %2").arg(result.recordsBefore).arg(result.recordsKept),
                      QStringLiteral("写し: %1").arg(QFileInfo(result.copyPath).fileName())};
    if (result.tailBytes > 0)
        facts.append(QStringLiteral("末尾: %1 バイト").arg(result.tailBytes));
    log.addSummary(facts);
    for (const RepairResult::LeftOut& gone : std::as_const(result.leftOut))
        log.addLine(gone.recordNo, QString(), {gone.reason});
    const IoResult logWritten = log.write();
    lock.release();
    ReportChangeLogResult(state, logWritten);
    return result;
}

} // namespace

QString DamagedLedgerCopyName(const QDateTime& when)
{
    return QStringLiteral("Ma在庫品_破損_") + when.toString(QStringLiteral("yyyyMMdd_hhmmss")) + QStringLiteral(".dat");
}

RepairResult RepairLedger(AppState& state, const QDateTime& now)
{
    return repairLocked(state, now);
}

QString RepairReport(const RepairResult& result)
{
    if (!result.io) {
        const QString reason = result.io.errorCode == EBUSY ? QStringLiteral("他の端末が台帳を使用中です。")
                                                            : DescribeFileError(ClassifyFileError(result.io.errorCode, result.io.path));
        return QStringLiteral("　台帳を修復できませんでした。台帳は元のままです。") + u'\r' + QStringLiteral("　") + reason + u'\r'
            + QStringLiteral("　") + result.io.path;
    }
    if (!result.wasDamaged)
        return QStringLiteral("　台帳ファイルに壊れた箇所はありません。修復は不要です。");
    QString text = QStringLiteral("　台帳を修復しました。") + u'\r' + QStringLiteral("　修復前の台帳の写し: ") + result.copyPath
        + u'\r' + QStringLiteral("　%1 件のうち %2 件を残しました。").arg(result.recordsBefore).arg(result.recordsKept);
    if (result.tailBytes > 0)
        text += u'\r' + QStringLiteral("　末尾の %1 バイト（1 件に満たない部分）を除きました。").arg(result.tailBytes);
    for (int k = 0; k < result.leftOut.size() && k < ReportedRecords; ++k)
        text += u'\r' + QStringLiteral("　除いたレコード: ") + result.leftOut[k].reason;
    if (result.leftOut.size() > ReportedRecords)
        text += u'\r' + QStringLiteral("　ほか %1 件を除きました。").arg(result.leftOut.size() - ReportedRecords);
    return text;
}
