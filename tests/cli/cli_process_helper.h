#pragma once
// Runs the real tev-cli binary and collects its exit status and output.
#include "storage/settings_lines.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
    QStringList outLines() const { return out.split(u'\n', Qt::SkipEmptyParts); }
};

// `clientFolderEnv` sets TEV_CLIENT_FOLDER for the child; otherwise it is removed, so that a
// value in the test's own environment never leaks in.
inline CliRun RunCli(const QStringList& args, const QString& clientFolderEnv = QString())
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("TEV_CLIENT_FOLDER"));
    if (!clientFolderEnv.isEmpty())
        env.insert(QStringLiteral("TEV_CLIENT_FOLDER"), clientFolderEnv);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TEV_BIN_DIR "/tev-cli"), args);
    CliRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// tev-cli --client-folder FOLDER ARGS…
inline CliRun RunCliIn(const QString& clientFolder, const QStringList& args)
{
    return RunCli(QStringList{QStringLiteral("--client-folder"), clientFolder} + args);
}

// Makes `folder` a client folder that is its own data folder, with both settings files in place
// and the ledger year starting in `startMonth`.
inline void PrepareCliClientFolder(const QString& folder, const QString& startMonth)
{
    QDir().mkpath(folder);
    QStringList client(50);
    client[ClientLine::DataFolder - 1] = folder;
    client[ClientLine::PreviousDataFolder - 1] = folder;
    client[ClientLine::TransferPending - 1] = QStringLiteral("0");
    TempClient::writeSettings(folder + SettingsFileName::Client, client);
    QStringList shared(50);
    shared[SharedLine::StartMonth - 1] = startMonth;
    TempClient::writeSettings(folder + SettingsFileName::Shared, shared);
}
