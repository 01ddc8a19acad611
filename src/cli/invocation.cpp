#include "cli/command.h"

#include "cli/console_output.h"
#include "menu/startup.h"
#include "storage/app_state.h"
#include "storage/client_folder.h"
#include "storage/field_text.h"
#include "storage/file_error.h"
#include "storage/folder_check.h"
#include "storage/ledger_check.h"
#include "storage/ledger_file.h"
#include "storage/settings_lines.h"
#include "storage/shared_checks.h"

#include <QCoreApplication>
#include <QDate>

Invocation::Invocation(QString clientFolderOption, QString commandName, QStringList args)
    : m_clientFolderOption(std::move(clientFolderOption)), m_commandName(std::move(commandName)),
      m_args(std::move(args))
{
}

Invocation::~Invocation() = default;

int Invocation::usageError(const QString& message) const
{
    PrintError(QStringLiteral("tev-cli %1: %2\n\n").arg(m_commandName, message) + UsageText());
    return ExitUsage;
}

AppState* Invocation::startUp(Access access)
{
    if (m_state)
        return m_state.get();
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString requested = m_clientFolderOption.isEmpty() ? qEnvironmentVariable("TEV_CLIENT_FOLDER")
                                                              : m_clientFolderOption;
    const QString clientFolder = ResolveClientFolder(requested, programFolder);
    // The client settings keep the folder's name in cp932: a name it cannot hold would be stored
    // as "?" and leave this client pointing nowhere.
    if (const QString problem = ClientFolderProblemMessage(clientFolder); !problem.isEmpty()
        && CheckFolder(clientFolder, false).problem != FolderCheck::Problem::Missing) {
        printMessage(problem);
        return nullptr;
    }
    const IoResult seeded = SeedClientFolder(clientFolder, FindResourcesFolder(programFolder), QDate::currentDate());
    if (!seeded) {
        PrintError(QStringLiteral("tev-cli: the client folder cannot be prepared: %1: %2\n")
                       .arg(seeded.path, DescribeFileError(ClassifyFileError(seeded.errorCode, seeded.path))));
        return nullptr;
    }
    auto state = std::make_unique<AppState>(m_dialogs);
    state->ClientFolder = clientFolder;
    state->ChangeOrigin = QStringLiteral("tev-cli ") + m_commandName;
    // A stop request (the stop-all check) ends the command; the caller sees programEnded.
    state->endProgram = [] {};
    RunStartupSequence(*state);
    if (access != Access::Inspect && !dataUsable(*state, access))
        return nullptr;
    m_state = std::move(state);
    return m_state.get();
}

bool Invocation::dataUsable(const AppState& state, Access access) const
{
    if (const QString message = DataFolderProblemMessage(state, access == Access::Change); !message.isEmpty()) {
        printMessage(message);
        // An unset or relative folder usually means the client settings could not be read: say why.
        const FolderCheck::Problem problem = CheckFolder(state.DataFolder, false).problem;
        if (problem == FolderCheck::Problem::NotSet || problem == FolderCheck::Problem::NotAbsolute) {
            for (const QString& line : CheckSettingsFile(state.ClientFolder + SettingsFileName::Client,
                                                         QStringLiteral("client settings")))
                PrintError(line + u'\n');
        }
        return false;
    }
    if (access == Access::Change && ReadFlag(state.ClientSettings[ClientLine::ViewOnly])) {
        printMessage(ViewOnlyRefusalMessage());
        return false;
    }
    return true;
}

bool Invocation::ledgerOpens(AppState& state) const
{
    LedgerCloser closer(state);
    if (const IoResult opened = OpenLedger(state); !opened) {
        printMessage(LedgerOpenFailureMessage(opened));
        return false;
    }
    return true;
}

void Invocation::printMessage(const QString& message) const
{
    QString lines;
    for (const QString& line : ConsoleDialogs::consoleText(message).split(u'\n', Qt::SkipEmptyParts))
        lines += line.trimmed() + u'\n';
    PrintError(QStringLiteral("tev-cli %1: ").arg(m_commandName) + lines);
}
