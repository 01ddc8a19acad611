// check-share: what the data folder's file system (a file server's share) offers of the calls
// several clients rely on, one line per step; exit 1 when one the program needs does not work.
#include "cli/command.h"
#include "cli/console_output.h"
#include "storage/app_state.h"
#include "storage/share_check.h"

#include <QDir>
#include <QFileInfo>

int RunCheckShare(Invocation& invocation)
{
    if (invocation.args().size() > 1)
        return invocation.usageError(QStringLiteral("check-share takes at most one folder"));
    QString folder;
    if (!invocation.args().isEmpty()) {
        folder = QDir(invocation.args().first()).absolutePath();
    } else {
        AppState* state = invocation.startUp(Invocation::Access::Change);
        if (!state)
            return ExitFailed;
        folder = state->DataFolder;
    }
    if (!QFileInfo(folder).isDir()) {
        invocation.printMessage(QStringLiteral("not a folder: %1").arg(folder));
        return ExitFailed;
    }
    const ShareCheckReport report = CheckShare(folder);
    PrintOut(QStringLiteral("folder: %1\n").arg(folder));
    for (const ShareCheckStep& step : report.steps) {
        const QString mark = step.works ? QStringLiteral("ok  ") : step.required ? QStringLiteral("FAIL") : QStringLiteral("note");
        PrintOut(QStringLiteral("%1 %2: %3\n").arg(mark, step.name, step.detail));
    }
    PrintOut(report.usable() ? QStringLiteral("the folder can hold the shared data\n")
                             : QStringLiteral("the folder cannot hold the shared data safely\n"));
    return report.usable() ? ExitSuccess : ExitFailed;
}
