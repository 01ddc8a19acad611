// tev-cli: the inventory ledger from the command line, for scripts, scheduled jobs and checks.
// It works on the same client and data folders as the desktop program, through the same core.
#include "cli/command.h"
#include "cli/console_output.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>

namespace {

// True when the command drawn (labels: fonts and a PDF) is asked for: it needs a GUI application,
// which runs on the offscreen platform unless another is set, so that no display is needed.
bool drawsPictures(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--client-folder") {
            ++i;
            continue;
        }
        if (!arg.startsWith("--"))
            return arg == "labels";
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    std::unique_ptr<QCoreApplication> application;
    if (drawsPictures(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("tev-inventory"));

    QStringList args = QCoreApplication::arguments().mid(1);
    QString clientFolder;
    while (!args.isEmpty() && args.front().startsWith(QStringLiteral("--"))) {
        const QString option = args.takeFirst();
        if (option == QStringLiteral("--help")) {
            PrintOut(UsageText());
            return ExitSuccess;
        }
        if (option == QStringLiteral("--client-folder") && !args.isEmpty()) {
            clientFolder = args.takeFirst();
        } else if (option.startsWith(QStringLiteral("--client-folder="))) {
            clientFolder = option.mid(option.indexOf(u'=') + 1);
        } else {
            const QString why = option == QStringLiteral("--client-folder")
                ? QStringLiteral("--client-folder needs a folder")
                : QStringLiteral("unknown option %1").arg(option);
            PrintError(QStringLiteral("tev-cli: %1\n\n").arg(why) + UsageText());
            return ExitUsage;
        }
        if (clientFolder.isEmpty()) {
            PrintError(QStringLiteral("tev-cli: --client-folder needs a folder\n\n") + UsageText());
            return ExitUsage;
        }
    }
    if (args.isEmpty()) {
        PrintError(QStringLiteral("tev-cli: no command given\n\n") + UsageText());
        return ExitUsage;
    }
    const QString name = args.takeFirst();
    if (name == QStringLiteral("help")) {
        PrintOut(UsageText());
        return ExitSuccess;
    }
    const Command* command = FindCommand(name);
    if (!command) {
        PrintError(QStringLiteral("tev-cli: unknown command %1\n\n").arg(name) + UsageText());
        return ExitUsage;
    }
    Invocation invocation(clientFolder, name, args);
    return command->run(invocation);
}
