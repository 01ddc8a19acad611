#pragma once
// The messages of the data folder panel and the placement boxes, built as the program shows
// them (lines joined by CR).

#include <QDateTime>
#include <QString>

namespace DataFolderText {
inline const QString ConfirmTitle = QStringLiteral("登録確認");
inline const QString ErrorTitle = QStringLiteral("異常確認");
}

// Registration of a location.
QString RegisterQuestion(const QString& dataFolder);
QString SameFolderMessage(const QString& dataFolder, const QString& oldFolder);
QString EmptyPathMessage();
QString UnstorablePathMessage(const QString& path);

// The transfer.
QString TargetIsProgramFolderMessage(const QString& target);
QString TargetIsSourceMessage(const QString& source, const QString& target);
QString TargetMissingMessage(const QString& target);
QString TransferQuestion(const QString& source, const QString& target);
QString CopyQuestion(const QString& source, const QString& target);
// One file that could not be copied (or that the source lacks although it belongs there), with
// the reason where one is known.
QString CopyFailedMessage(const QString& name, const QString& reason = QString());
QString CopyDiffersReason();
// The closing message when a copy failed: the client stays on the source. `copiesPending`: some
// copies already took their places in the target, and the next start asks what to do with them.
QString TransferNotDoneMessage(const QString& source, bool copiesPending);
// The transfer could not begin (another client holds the ledger, the source cannot be stopped):
// nothing was copied.
QString TransferBusyMessage(const QString& source);
QString TransferNotStartedMessage(const QString& source, const QString& reason, const QString& path);
QString TransferCompleteMessage();

// A target that already holds a ledger: what each folder holds, which is newer, and the
// choice (Yes keeps the target's data and only registers it).
struct LedgerFacts {
    bool exists = false;
    qint64 items = 0;
    QDateTime modified;
};
QString TargetHoldsDataQuestion(const QString& source, const LedgerFacts& sourceLedger, const QString& target,
                                const LedgerFacts& targetLedger);
// The separate confirmation before the target's data are replaced (asked with No as default).
QString ReplaceTargetQuestion(const QString& target, const QString& backupFolder);
QString RegisteredWithoutCopyMessage(const QString& target);
// What the closing message adds about the dated copies of the replaced data.
QString ReplacedDataKeptMessage(const QString& backupFolder);

// A transfer that did not end (found on start-up or when the panel opens).
QString HalfDoneTransferQuestion(const QString& source, const QString& target);
QString FinishTransferQuestion(const QString& source, const QString& target);
QString TransferGivenUpMessage(const QString& source);
QString TransferCompletedLaterMessage(const QString& target);
// A registered data folder that holds no data yet, with the folder used before it.
QString NoDataYetQuestion(const QString& dataFolder, const QString& previous);

// The recovery question of the panel, the return to the program folder and the explanations.
QString PanelRecoveryQuestion(const QString& dataFolder);
QString ReturnToProgramFolderQuestion(const QString& dataFolder, const QString& clientFolder);
// The program folder being returned to holds the data a transfer left behind (default No).
QString UseMovedProgramFolderQuestion(const QString& clientFolder, const QString& movedTo);
QString PlacementExplanation(const QString& clientFolder);
QString DataFolderPanelExplanation();
