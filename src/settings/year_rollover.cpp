#include "settings/year_rollover.h"

#include "ledger/stock_computation.h"
#include "settings/start_month.h"
#include "storage/app_state.h"
#include "storage/field_text.h"
#include "storage/item_record.h"
#include "storage/ledger_file.h"
#include "storage/ledger_lock.h"
#include "storage/paths.h"
#include "storage/rollover_mark.h"
#include "storage/safe_file.h"
#include "storage/settings_files.h"
#include "storage/shared_settings_change.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <optional>

namespace {

// A name in the output folder that no earlier copy holds (two roll-overs in one second).
QString freeCopyPath(const QString& folder, const QDateTime& when)
{
    QString path = folder + LedgerCopyName(when);
    for (int n = 2; QFile::exists(path); ++n)
        path = folder + QStringLiteral("Ma在庫品_%1_%2.dat").arg(when.toString(QStringLiteral("yyyyMMdd_hhmmss"))).arg(n);
    return path;
}

// The ledger as the commit read it under the ledger lock, copied byte for byte: the commit refuses a
// file that is not whole records, so its records are the file. No ledger file, no copy.
IoResult copyLedger(const AppState& state, const std::vector<ItemRecord>& records, const QDateTime& when,
                    QString& copyPath)
{
    if (!QFileInfo::exists(LedgerPath(state)))
        return IoResult::success();
    QByteArray bytes;
    bytes.reserve(qsizetype(records.size()) * ItemRecord::Length);
    for (const ItemRecord& record : records)
        bytes.append(record.data(), ItemRecord::Length);
    const QString folder = state.DataFolder + DataFileName::OutputFolder + PathSeparator;
    errno = 0;
    if (!QDir().mkpath(folder))
        return IoResult::failure(folder, errno ? errno : ENOENT, QStringLiteral("cannot create the output folder"));
    const QString path = freeCopyPath(folder, when);
    const IoResult written = WriteFileAtomically(path, bytes);
    if (written)
        copyPath = path;
    return written;
}

} // namespace

QString LedgerCopyName(const QDateTime& when)
{
    return QStringLiteral("Ma在庫品_") + when.toString(QStringLiteral("yyyyMMdd_hhmmss")) + QStringLiteral(".dat");
}

bool HoldsItem(const ItemRecord& record)
{
    return !record.text(ItemField::Number).isEmpty() || !record.text(ItemField::Name).isEmpty();
}

void CarryIntoNewYear(ItemRecord& record)
{
    record.setText(ItemField::PreviousStock, record.text(ItemField::Stock));
    for (int row : {int(QtyRow::Received), int(QtyRow::Issued)}) {
        for (int column = QtyColumn::FirstMonth; column <= QtyColumn::Total; ++column)
            record.setQty(row, column, QString());
        record.setQty(row, QtyColumn::Rate, QString());
    }
    const double stock = StockOf(record);
    record.setText(ItemField::Stock, stock == 0 ? QStringLiteral("0") : StoredNumberText(stock).trimmed());
    RecalculateStockValue(record);
}

RolloverResult RollOverLedgerYear(AppState& state, const QString& fromMonth, const QString& toMonth,
                                  const QDateTime& now, const CommitProgress& progress)
{
    RolloverResult result;
    std::optional<RolloverOutcome> refusal;
    IoResult stepFailure; // the copy or the mark
    bool markWritten = false;
    // Read by the commit after `edit` has run: the edit adds the facts of its mark.
    LedgerEditLog log{ChangeOperation::YearRollover, false};

    const LedgerEdit edit = [&](std::vector<ItemRecord>& records) {
        // The decision is taken on the settings as they are now, under the ledger lock: another PC
        // may have rolled the year over, or stopped all clients, since this screen read them.
        const SettingsLines lines = SharedSettingsInFile(state);
        result.fileMonth = FieldText(lines[SharedLine::StartMonth]);
        if (ReadFlag(lines[SharedLine::StopAll]))
            refusal = RolloverOutcome::Stopped;
        else if (result.fileMonth == FieldText(toMonth))
            refusal = RolloverOutcome::AlreadyDone;
        else if (result.fileMonth != FieldText(fromMonth))
            refusal = RolloverOutcome::MonthChanged;
        else if (!IsNextLedgerYear(result.fileMonth, toMonth))
            refusal = RolloverOutcome::NotNextYear;
        if (refusal)
            return false;
        if (!(stepFailure = copyLedger(state, records, now, result.backupPath)))
            return false;
        QCryptographicHash digest(QCryptographicHash::Sha256);
        for (ItemRecord& record : records) {
            if (HoldsItem(record)) {
                CarryIntoNewYear(record);
                ++result.itemCount;
            }
            digest.addData(QByteArrayView(record.data(), ItemRecord::Length));
        }
        const RolloverMark mark{result.fileMonth,
                                FieldText(toMonth),
                                QFileInfo(result.backupPath).fileName(),
                                digest.result().toHex(),
                                result.itemCount,
                                now.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")),
                                state.PcName};
        log.facts = RolloverLogFacts(mark);
        if (!(stepFailure = WriteRolloverMark(state.DataFolder, mark)))
            return false;
        markWritten = true;
        return true;
    };
    log.whileLocked = [&]() -> IoResult {
        if (const IoResult month = ChangeSharedSettings(state, {{SharedLine::StartMonth, FieldText(toMonth)}}); !month)
            return month;
        return RemoveRolloverMark(state.DataFolder);
    };

    const CommitResult commit = CommitLedgerEdit(state, edit, progress, log);
    if (refusal) {
        result.outcome = *refusal;
        return result;
    }
    if (!stepFailure) {
        result.outcome = RolloverOutcome::BackupFailed;
        result.io = stepFailure;
        return result;
    }
    if (!commit.ok()) {
        result.outcome = RolloverOutcome::CommitFailed;
        result.io = commit.io;
        if (markWritten) {
            // The mark is settled on the ledger as it is: normally the old one (the mark goes); a
            // replacement that happened after all is completed instead.
            LedgerLock lock(state);
            const IoResult taken = lock.take();
            if (lock.settlement().kind == RolloverSettlement::Kind::Finished) {
                result.outcome = taken ? RolloverOutcome::Done : RolloverOutcome::SettingsFailed;
                result.io = taken;
            }
        }
        return result;
    }
    result.recordCount = commit.recordCount;
    if (!commit.finished) {
        result.outcome = RolloverOutcome::SettingsFailed;
        result.io = commit.finished;
    }
    return result;
}
