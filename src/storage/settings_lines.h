#pragma once
// The 50-line settings files: the in-memory array and the meaning of each line, in one place.
#include <QString>
#include <array>

// Index 1..50 is line 1..50 of the file; index 0 exists but is never written.
using SettingsLines = std::array<QString, 51>;
constexpr int SettingsLineCount = 50;

// Lines of the client settings "MbVORN在庫品基礎.dat" (one file per client, in the client folder).
namespace ClientLine {
enum : int {
    DataFolder = 1,          // path of the data folder, ending in the separator
    PreviousDataFolder = 2,  // source folder of a pending transfer; equal to line 1 otherwise
    TransferPending = 3,     // "1" between registering a new data folder and its transfer
    ShowLogo = 6,
    LogoOffset = 7,          // 20, 40, … 1600
    TemplatePlacement = 12,  // "1" client side, "0" data folder side
    HideExplanations = 14,
    Administrator = 15,
    Backup = 18,
    ViewOnly = 19,
    NoTemplateFolderOnTransfer = 26,
    CompactLedgerButtons = 38, // "1" moves the ledger screen's buttons closer together
    ImportTime = 39,         // "hh:mm" of the timed item import on this client; empty when none
    // The folder a data transfer of this client is copying into; empty when none is under way.
    // While it is set, lines 1 and 2 still name the folder the data come from.
    TransferTarget = 40,
};
}

// Lines of the shared settings "Ma在庫品基礎.dat" (one file per data folder).
namespace SharedLine {
enum : int {
    StopAll = 1,
    FirstListCount = 3,      // lines 3..7: entry counts of vocabulary lists 2..6 (line k + 1)
    LoginPassword = 8,
    StartMonth = 9,          // "yyyy/mm"
    ImportFolder = 10,
    StartOfUse = 11,
    CommonDocuments = 12,
    LastRebuildDate = 13,    // "yyyy/mm/dd"
    FirstCaption = 14,       // lines 14..18: captions of list columns 1..5
    UnitCaption = 19,        // caption of list column 8
    MonthlyImport = 20,
    Decimals = 21,
    ListSizeLimit = 22,
    StopSetBy = 23,          // PcName of the client that stopped all clients; empty otherwise
};
}

namespace SettingsFileName {
inline const QString Client = QStringLiteral("MbVORN在庫品基礎.dat");
inline const QString Shared = QStringLiteral("Ma在庫品基礎.dat");
}
