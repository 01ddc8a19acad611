#include "settings/year_rollover.h"

#include "ledger/stock_computation.h"
#include "storage/app_state.h"
#include "storage/field_text.h"
#include "storage/item_record.h"
#include "storage/ledger_file.h"
#include "storage/paths.h"
#include "storage/platform_file.h"
#include "storage/safe_file.h"
#include "storage/settings_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace {

// A name in the output folder that no earlier copy holds (two roll-overs in one second).
QString freeCopyPath(const QString& folder, const QDateTime& when)
{
    QString path = folder + LedgerCopyName(when);
    for (int n = 2; QFile::exists(path); ++n)
        path = folder + QStringLiteral("Ma在庫品_%1_%2.dat").arg(when.toString(QStringLiteral("yyyyMMdd_hhmmss"))).arg(n);
    return path;
}

// The ledger file as it is on disk, copied byte for byte. Called under the ledger lock.
IoResult copyLedger(const AppState& state, const QDateTime& when, QString& copyPath)
{
    if (!QFileInfo::exists(LedgerPath(state)))
        return IoResult::success();
    QFile ledger;
    if (const IoResult opened = OpenFileNoFollow(ledger, LedgerPath(state), QIODevice::ReadOnly); !opened)
        return opened;
    const QByteArray bytes = ledger.readAll();
    if (ledger.error() != QFileDevice::NoError)
        return IoResult::failure(ledger.fileName(), errno ? errno : EIO, ledger.errorString());
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

RolloverResult RollOverLedgerYear(AppState& state, const QString& newStartMonth, const QDateTime& now,
                                  const CommitProgress& progress)
{
    RolloverResult result;
    IoResult copyFailure;
    const CommitResult commit = CommitLedgerEdit(
        state,
        [&](std::vector<ItemRecord>& records) {
            if (!(copyFailure = copyLedger(state, now, result.backupPath)))
                return false;
            for (ItemRecord& record : records) {
                if (!HoldsItem(record))
                    continue;
                CarryIntoNewYear(record);
                ++result.itemCount;
            }
            return true;
        },
        progress, {ChangeOperation::YearRollover, false});
    if (!copyFailure) {
        result.outcome = RolloverOutcome::BackupFailed;
        result.io = copyFailure;
        return result;
    }
    if (!commit.ok()) {
        result.outcome = RolloverOutcome::CommitFailed;
        result.io = commit.io;
        return result;
    }
    const QString previousMonth = state.SharedSettings[SharedLine::StartMonth];
    state.SharedSettings[SharedLine::StartMonth] = newStartMonth;
    if (const IoResult written = WriteSharedSettings(state); !written) {
        result.outcome = RolloverOutcome::SettingsFailed;
        result.io = written;
        // Memory keeps what the file holds, so that the month can be chosen again.
        if (state.SharedSettings[SharedLine::StartMonth] == newStartMonth)
            state.SharedSettings[SharedLine::StartMonth] = previousMonth;
    }
    return result;
}
