#include "cli/command.h"

#include "cli/console_output.h"
#include "menu/startup.h"
#include "storage/app_state.h"
#include "storage/client_folder.h"
#include "storage/file_error.h"

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

AppState* Invocation::startUp()
{
    if (m_state)
        return m_state.get();
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString requested = m_clientFolderOption.isEmpty() ? qEnvironmentVariable("TEV_CLIENT_FOLDER")
                                                              : m_clientFolderOption;
    const QString clientFolder = ResolveClientFolder(requested, programFolder);
    const IoResult seeded = SeedClientFolder(clientFolder, FindResourcesFolder(programFolder), QDate::currentDate());
    if (!seeded) {
        PrintError(QStringLiteral("tev-cli: the client folder cannot be prepared: %1: %2\n")
                       .arg(seeded.path, DescribeFileError(ClassifyFileError(seeded.errorCode, seeded.path))));
        return nullptr;
    }
    m_state = std::make_unique<AppState>(m_dialogs);
    m_state->ClientFolder = clientFolder;
    m_state->ChangeOrigin = QStringLiteral("tev-cli ") + m_commandName;
    // A stop request (the stop-all check) ends the command; the caller sees programEnded.
    m_state->endProgram = [] {};
    RunStartupSequence(*m_state);
    return m_state.get();
}
