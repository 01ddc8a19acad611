#pragma once
// Folder paths end in the platform's separator; file paths are built as folder + name at the
// moment of use, so a changed data folder takes effect with the next file operation.
#include <QString>

#ifdef Q_OS_WIN
inline constexpr char16_t PathSeparator = u'\\';
#else
inline constexpr char16_t PathSeparator = u'/';
#endif

inline bool isPathSeparator(QChar c)
{
#ifdef Q_OS_WIN
    return c == u'\\' || c == u'/';
#else
    return c == u'/';
#endif
}

namespace DataFileName {
inline const QString Ledger = QStringLiteral("Ma在庫品.dat");
inline const QString ItemNumbers = QStringLiteral("Ma在庫品No.dat");
// The name the item number reader looks for; nothing writes it, so the table is rebuilt.
inline const QString ItemNumbersRead = QStringLiteral("Ma在庫No.dat");
inline const QString LedgerLock = QStringLiteral("Ma在庫品.lck");
inline const QString SharedSettingsLock = QStringLiteral("Ma在庫品基礎.lck");
// Left in the folder the data moved from by a transfer; names the new folder.
inline const QString MovedMark = QStringLiteral("Ma在庫品移動先.dat");
// Stands in the folder a transfer copies into from the moment its copies start taking their
// places until the folder the data left is marked; names that folder.
inline const QString TransferMark = QStringLiteral("Ma在庫品転送中.dat");
// Added to a file's name while the transfer's copy of it is written and checked beside it.
inline const QString TransferCopySuffix = QStringLiteral(".転送中");
// Stands beside the ledger while a year rollover is under way (see year rollover).
inline const QString RolloverMark = QStringLiteral("Ma在庫品年度更新中.dat");
inline const QString ChangeLog = QStringLiteral("Ma在庫品履歴.log");
inline const QString OutputFolder = QStringLiteral("M在庫台帳");
inline const QString DocumentsFolder = QStringLiteral("M在庫資料");
inline const QString TemplateFolder = QStringLiteral("原本Excel");
inline const QString PictureFolder = QStringLiteral("設備画像");
}
