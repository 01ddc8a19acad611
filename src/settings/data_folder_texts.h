#pragma once
// The messages of the data folder panel and the placement boxes, built as the program shows
// them (lines joined by CR).

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
QString SubFolderExistsMessage();
QString CopyQuestion(const QString& source, const QString& target);
QString CopyFailedMessage(const QString& name);
QString DailyWorkbookCopyFailedMessage();
QString TransferIncompleteMessage();
QString TransferCompleteMessage();

// The recovery question of the panel, the return to the program folder and the explanations.
QString PanelRecoveryQuestion(const QString& dataFolder);
QString ReturnToProgramFolderQuestion(const QString& dataFolder, const QString& clientFolder);
QString PlacementExplanation(const QString& clientFolder);
QString DataFolderPanelExplanation();
