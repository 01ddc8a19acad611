// import-monthly [FILE] [--check]: the monthly in/out totals of the daily workbook
// "M在庫資料/Mb入出庫月報" (or FILE) into the months of the ledger year. What the screen tells
// after the import (the unknown item where it stopped, items left with negative stock) goes to
// stderr, with the count of skipped pairs; --check computes the same and writes nothing.
#include "cli/command.h"
#include "cli/console_output.h"
#include "excel_import/import_workbook_path.h"
#include "excel_import/monthly_import.h"
#include "storage/app_state.h"
#include "storage/shared_checks.h"

#include <QFileInfo>

namespace {

const QString CommandName = QStringLiteral("import-monthly");

// A message of the screens, its CR-joined lines one per console line.
void printMessage(const QString& text)
{
    QString lines = text;
    lines.replace(u'\r', u'\n');
    PrintError(QStringLiteral("tev-cli %1: %2\n").arg(CommandName, lines));
}

} // namespace

int RunImportMonthly(Invocation& invocation)
{
    QStringList args = invocation.args();
    const bool check = args.removeAll(QStringLiteral("--check")) > 0;
    for (const QString& arg : args)
        if (arg.startsWith(u'-'))
            return invocation.usageError(QStringLiteral("unknown option %1").arg(arg));
    if (args.size() > 1)
        return invocation.usageError(QStringLiteral("import-monthly takes at most one workbook"));
    const QString file = args.isEmpty() ? QString() : QFileInfo(args.front()).absoluteFilePath();

    AppState* state = invocation.startUp(check ? Invocation::Access::Read : Invocation::Access::Change);
    if (!state)
        return ExitFailed;
    if (!CheckStopAll(*state))
        return ExitFailed;
    const QString path = file.isEmpty() ? DailyInOutWorkbookPath(*state) : file;
    const MonthlyImportResult result = ImportMonthlyWorkbook(
        *state, path, {}, check ? MonthlyImportWrite::CheckOnly : MonthlyImportWrite::Commit);
    if (const QString refusal = MonthlyImportRefusal(result, path); !refusal.isEmpty()) {
        printMessage(refusal);
        return ExitFailed;
    }
    if (!result.commit.ok()) {
        printMessage(CommitFailureMessage(result.commit.io));
        return ExitFailed;
    }
    if (const QString notes = MonthlyImportNotes(result); !notes.isEmpty())
        printMessage(notes);
    if (result.skipped > 0)
        PrintError(QStringLiteral("tev-cli %1: skipped: %2 (outside the ledger year or without item number)\n")
                       .arg(CommandName)
                       .arg(result.skipped));
    PrintOut(QStringLiteral("%1: %2\n").arg(check ? QStringLiteral("checked") : QStringLiteral("imported")).arg(result.applied));
    return ExitSuccess;
}
