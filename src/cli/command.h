#pragma once
// The command table of tev-cli and what a command receives: its arguments, the usage error,
// and the start-up that prepares the client and data folders before it touches any file.
#include "cli/console_dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

struct AppState;

enum ExitStatus : int { ExitSuccess = 0, ExitFailed = 1, ExitUsage = 2 };

class Invocation {
public:
    // `clientFolderOption` is the --client-folder value (empty when not given).
    Invocation(QString clientFolderOption, QString commandName, QStringList args);
    ~Invocation();

    const QString& commandName() const { return m_commandName; }
    const QStringList& args() const { return m_args; }

    // Prints the message and the usage text on stderr; returns ExitUsage.
    int usageError(const QString& message) const;

    // What a command does with the data, for the checks of the start-up.
    enum class Access {
        Inspect, // looks at the files as they are, whatever state they are in (verify)
        Read,    // reads the data: the data folder must be usable and hold no links
        Change,  // changes the data: also writable, and not on a view-only client
    };

    // Resolves and seeds the client folder, runs the start-up sequence (settings, data folder)
    // and checks the folders for `access`. Null when something keeps the command from its work
    // (the reason is printed): an unusable client or data folder, a data file that is a link, a
    // change asked of a view-only client.
    AppState* startUp(Access access = Access::Read);

    // Opens the ledger and closes it again: false, with the reason printed, when it cannot be
    // opened (no permission, a folder or a link in its place).
    bool ledgerOpens(AppState& state) const;
    // Prints "tev-cli COMMAND: " and the message's lines on stderr.
    void printMessage(const QString& message) const;

private:
    bool dataUsable(const AppState& state, Access access) const;

    QString m_clientFolderOption;
    QString m_commandName;
    QStringList m_args;
    ConsoleDialogs m_dialogs;
    std::unique_ptr<AppState> m_state;
};

struct Command {
    QString name;
    QString synopsis; // the arguments, as the usage text shows them
    QString summary;
    int (*run)(Invocation&);
};

// Every command, in the order the usage text lists them.
const QList<Command>& CommandTable();
const Command* FindCommand(const QString& name);
QString UsageText();

// The commands (one file each).
int RunInfo(Invocation& invocation);
int RunVerify(Invocation& invocation);
int RunDump(Invocation& invocation);
int RunGenerate(Invocation& invocation);
int RunMove(Invocation& invocation);
int RunImportItems(Invocation& invocation);
int RunImportVocab(Invocation& invocation);
int RunImportMonthly(Invocation& invocation);
int RunRepair(Invocation& invocation);
int RunRollover(Invocation& invocation);
