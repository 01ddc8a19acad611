#pragma once
// A client whose data still live in its program folder (settings, word lists 2..6, a ledger and
// the daily in/out workbook) and an empty folder "server" beside it to move them to.
#include "menu/startup.h"
#include "storage/paths.h"
#include "storage/settings_files.h"
#include "storage/vocabulary.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <QFile>
#include <QStringList>

class DataFolderFixture {
public:
    static constexpr int LedgerRecords = 7;

    DataFolderFixture()
    {
        server = client.root() + QStringLiteral("/server/");
        QDir().mkpath(server);
        AppState& state = client.state;
        // The name a start-up reads, so that a restarted client recognises the stop it set.
        state.PcName = ReadPcName();
        state.ClientSettings[ClientLine::DataFolder] = client.clientFolder();
        state.ClientSettings[ClientLine::PreviousDataFolder] = client.clientFolder();
        state.ClientSettings[ClientLine::TransferPending] = QStringLiteral("0");
        WriteClientSettings(state);
        for (int list = 2; list <= 6; ++list) {
            state.SharedSettings[ListCountLine(list)] = QStringLiteral("3");
            state.Vocabulary.setEntry(list, 1, {QString(), QStringLiteral("語%1a").arg(list)});
            state.Vocabulary.setEntry(list, 2, {QString(), QStringLiteral("語%1b").arg(list)});
        }
        state.SharedSettings[SharedLine::StartMonth] = QStringLiteral("2026/04");
        for (int line = SharedLine::FirstCaption; line <= SharedLine::UnitCaption; ++line)
            state.SharedSettings[line] = QStringLiteral("見出し%1").arg(line);
        WriteSharedSettings(state);
        WriteVocabularyLists(state);
        WriteTestLedger(client.ledgerPath(), LedgerRecords);
        QDir().mkpath(client.clientFolder() + DataFileName::DocumentsFolder);
        TempClient::writeBytes(dailyWorkbook(client.clientFolder()), QByteArray("PK\x03\x04 daily workbook"));
    }

    static QString listFile(int list) { return QStringLiteral("Mb在庫品0%1.dat").arg(list); }
    static QString dailyWorkbook(const QString& folder)
    {
        return folder + DataFileName::DocumentsFolder + PathSeparator + QStringLiteral("Mb入出庫月報.xlsx");
    }
    // The files a transfer copies, relative to the folder.
    static QStringList copiedFiles()
    {
        QStringList names;
        for (int list = 2; list <= 6; ++list)
            names.append(listFile(list));
        names.append(QStringLiteral("Ma在庫品.dat"));
        return names;
    }
    SettingsLines clientFile() const
    {
        SettingsLines lines;
        ReadSettingsFile(client.clientFolder() + SettingsFileName::Client, lines);
        return lines;
    }
    static SettingsLines sharedFile(const QString& folder)
    {
        SettingsLines lines;
        ReadSettingsFile(folder + SettingsFileName::Shared, lines);
        return lines;
    }

    TempClient client;
    QString server;
};
