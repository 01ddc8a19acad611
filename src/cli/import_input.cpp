#include "cli/import_input.h"

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/console_output.h"
#include "excel_import/import_workbook_path.h"
#include "workbook/workbook_errors.h"

#include <QFileInfo>

void PrintImportMessage(const QString& command, const QString& text)
{
    PrintError(QStringLiteral("tev-cli %1: %2\n").arg(command, QString(text).replace(u'\r', u'\n')));
}

std::optional<ImportArguments> ParseImportArguments(const Invocation& invocation, int& exitStatus)
{
    QStringList args = invocation.args();
    ImportArguments parsed;
    parsed.check = args.removeAll(QStringLiteral("--check")) > 0;
    const ParsedArguments split = ParseArguments(args, {});
    QString error = split.error;
    if (error.isEmpty() && split.positional.size() > 1)
        error = invocation.commandName() + QStringLiteral(" takes at most one workbook");
    if (!error.isEmpty()) {
        exitStatus = invocation.usageError(error);
        return std::nullopt;
    }
    if (!split.positional.isEmpty())
        parsed.file = QFileInfo(split.positional.front()).absoluteFilePath();
    return parsed;
}

QString ImportInputPath(const QString& command, const AppState& state, const ImportArguments& arguments,
                        const QString& xlsName)
{
    if (!arguments.file.isEmpty())
        return arguments.file;
    const QString folder = ImportFolderPath(state);
    if (folder.isEmpty()) {
        PrintImportMessage(command, QStringLiteral("インポート元のフォルダーが設定されてません。"));
        return QString();
    }
    return FindImportWorkbook(folder, xlsName);
}

bool ImportInputReadable(const QString& command, const WorkbookStatus& status, const QString& path,
                         const QList<ImportProblem>& problems)
{
    if (!status) {
        PrintImportMessage(command, ImportWorkbookFailureMessage(status, path));
        return false;
    }
    PrintImportProblems(command, problems);
    if (ImportIsRefused(problems)) {
        PrintImportMessage(command, ImportRefusalMessage(problems));
        return false;
    }
    return true;
}

void PrintImportProblems(const QString& command, const QList<ImportProblem>& problems)
{
    for (const ImportProblem& problem : problems)
        PrintImportMessage(command, ImportProblemLine(problem));
}
