#include "cli/import_input.h"

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/console_output.h"
#include "excel_import/import_workbook_path.h"
#include "workbook/workbook_operations.h"

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

std::unique_ptr<Workbook> OpenImportInput(const QString& command, const AppState& state,
                                          const ImportArguments& arguments, const QString& xlsName)
{
    QString path = arguments.file;
    if (path.isEmpty()) {
        const QString folder = ImportFolderPath(state);
        if (folder.isEmpty()) {
            PrintImportMessage(command, QStringLiteral("インポート元のフォルダーが設定されてません。"));
            return nullptr;
        }
        path = FindImportWorkbook(folder, xlsName);
    }
    std::unique_ptr<Workbook> book;
    const WorkbookStatus status = OpenForReading(path, book);
    if (!status) {
        PrintImportMessage(command, ImportWorkbookFailureMessage(status, path));
        return nullptr;
    }
    return book;
}

void PrintImportProblems(const QString& command, const QList<ImportProblem>& problems)
{
    for (const ImportProblem& problem : problems)
        PrintImportMessage(command, ImportProblemLine(problem));
}
