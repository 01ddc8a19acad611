#pragma once
// A client folder and a data folder in a temporary directory, with an AppState on them.
#include "storage/app_state.h"
#include "storage/scripted_dialogs.h"

#include <QProcess>
#include <QTemporaryDir>

#include <memory>

class TempClient {
public:
    // The data folder is the client folder itself unless `separateDataFolder` is set.
    explicit TempClient(bool separateDataFolder = false);

    QString root() const { return m_dir.path(); }
    QString clientFolder() const { return m_clientFolder; }
    QString dataFolder() const { return m_dataFolder; }
    QString ledgerPath() const { return m_dataFolder + QStringLiteral("Ma在庫品.dat"); }

    ScriptedDialogs dialogs;
    AppState state{dialogs};
    int endRequests = 0;

    // Writes a settings file of the given values (1-based; missing lines empty).
    static void writeSettings(const QString& path, const QStringList& values);
    // Writes raw bytes to a file below the root.
    static void writeBytes(const QString& path, const QByteArray& bytes);
    static QByteArray readBytes(const QString& path);

private:
    QTemporaryDir m_dir;
    QString m_clientFolder;
    QString m_dataFolder;
};

// Another PC on the same client and data folders as `like`, with the shared settings as the file
// holds them now, for tests of what happens when another client changes the data in between.
struct OtherPc {
    explicit OtherPc(const AppState& like, const QString& pcName = QStringLiteral("PC-B"));
    ScriptedDialogs dialogs;
    AppState state{dialogs};
};

// Starts `program` as another client would run, without the test's TEV_CLIENT_FOLDER, its output
// and errors in one channel.
std::unique_ptr<QProcess> StartClientProcess(const QString& program, const QStringList& args);

// A ledger file of `count` records whose item numbers are "A" + record number.
void WriteTestLedger(const QString& path, int count);
