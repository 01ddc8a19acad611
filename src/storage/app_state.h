#pragma once
// The state every screen reaches: folders, both settings files, the record buffers and counts,
// the vocabulary lists and the item number table. One instance, created in main() (or by a
// test on a temporary folder) and passed by reference.
#include "storage/item_number_table.h"
#include "storage/item_record.h"
#include "storage/routed_dialogs.h"
#include "storage/settings_lines.h"
#include "storage/vocabulary.h"

#include <QFile>
#include <QString>
#include <array>
#include <functional>
#include <memory>

struct AppState {
    explicit AppState(Dialogs& dialogs) : dialogs(dialogs) {}
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    // Every message box of the program goes through here (see RoutedDialogs).
    RoutedDialogs dialogs;
    // Ends the program at once (the stop-all check, fatal file errors). The application sets it
    // to quit; tests record the call.
    std::function<void()> endProgram;

    // Folders and settings.
    QString ClientFolder;   // ends in the separator
    QString DataFolder;     // ends in the separator
    SettingsLines ClientSettings;
    SettingsLines SharedSettings;
    QString PcName;
    QString VersionText = QStringLiteral("Ver20231023");
    // The name in every window title.
    static inline const QString ProductName = QStringLiteral("TEV在庫管理");
    bool EditPending = false;
    // Set while the daily in/out workbook is being edited from the ledger screen: a failing read
    // of the shared settings then does not offer the data folder recovery.
    bool suppressRecovery = false;
    // Written after the operation in every line of the change log ("tev-cli move"); empty for
    // the screens. A failed write of the change log has been reported since the last good one.
    QString ChangeOrigin;
    bool ChangeLogFailureShown = false;

    // Item ledger.
    static constexpr int LedgerCapacity = 50010; // the ledger holds at most LedgerCapacity - 1
    static constexpr int MaxRecords = LedgerCapacity - 1;
    ItemRecord CurrentRecord;
    int RecordCount = 0;
    int CurrentRecordNo = 0;
    // Open only between OpenLedger and the matching close.
    std::unique_ptr<QFile> ledgerFile;

    // Vocabulary lists 0..28 (lists 2..6 are used).
    VocabularyTable Vocabulary;

    // Item number table and totals.
    ItemNumberTable ItemNumbers;
    bool ItemTableLoaded = false;
    double TotalStockValue = 0;
    double FilteredStockValue = 0;
    int FoundRecordNo = 0;

    // Ledger column captions (entries 0..60), rebuilt from the shared settings whenever the
    // ledger or the settings screen opens, and the default column widths (in characters) of
    // the workbook outputs, first entry first.
    std::array<QString, 61> ColumnCaptions;
    std::array<int, 23> DefaultColumnWidths{};

    // Mail addresses (entries 0..15): 1..3 information addresses and purchase-mail recipients,
    // 4..11 ordering addresses; read from the data folder at start-up.
    std::array<QString, 16> MailAddressTable;

    // Start-up and menu.
    int MonthsPerYear = 12;
    int EntryPadMode = 0;
    bool MenuShownBefore = false;
    bool PasswordRequired = false;
    bool programEnded = false; // set by requestEnd()
    // Added to every fatal file-error message once a missing path has been reported.
    QString fileErrorSuffix;

    // Closes the ledger.
    void closeAllFiles() { ledgerFile.reset(); }

    // Runs endProgram once.
    void requestEnd()
    {
        if (programEnded)
            return;
        programEnded = true;
        if (endProgram)
            endProgram();
    }
};
