// A client that transfers its data folder, or starts anew, so that a test can kill it at any
// file call (through the fault-injection layer) or run it beside other clients.
// Usage:
//   tev-transfer-worker CLIENT_FOLDER transfer TARGET [replace]
//       "データ転送" towards TARGET right after TARGET was registered (client settings line 1 the
//       target, line 2 the folder the data come from), answering Yes to its questions; with
//       "replace" a target that holds a ledger of its own is replaced (No to registering it as it
//       is, Yes to the confirmation). Exit status 0 when the data were transferred.
//   tev-transfer-worker CLIENT_FOLDER start [ANSWERS]
//       the program's start-up; ANSWERS ("yes,no,…") answer its questions in turn, then each
//       question gets the answer of its default button, Yes.
//       Prints "data-folder: FOLDER" and "records: N" (-1 when the ledger cannot be opened).
// Prints every message the program shows ("message: TITLE" and the text), then "done" or "failed".
#include "menu/startup.h"
#include "settings/data_folder_transfer.h"
#include "storage/app_state.h"
#include "storage/ledger_file.h"
#include "storage/scripted_dialogs.h"
#include "storage/settings_files.h"

#include "storage/paths.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>

namespace {

void print(const QString& text)
{
    QString lines = text;
    lines.replace(u'\r', u'\n');
    std::fputs(lines.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

bool transfer(AppState& state, ScriptedDialogs& dialogs, const QString& target, bool replace)
{
    // The state the data folder panel leaves after the registration.
    state.PcName = ReadPcName();
    state.suppressRecovery = true;
    ReadClientSettings(state);
    state.DataFolder = NormaliseFolder(state.ClientSettings[ClientLine::DataFolder]);
    dialogs.setDefaultAnswer(Dialogs::Answer::Yes);
    // The replace question comes only where the target's ledger is not an earlier transfer's copy.
    if (replace && !QFile::exists(NormaliseFolder(target) + DataFileName::TransferMark)) {
        dialogs.queueAnswer(Dialogs::Answer::Yes); // the transfer
        dialogs.queueAnswer(Dialogs::Answer::No);  // not as it is
        dialogs.queueAnswer(Dialogs::Answer::Yes); // replace
    }
    return TransferDataFolder(state, target).outcome == TransferOutcome::Transferred;
}

bool start(AppState& state, ScriptedDialogs& dialogs, const QString& answers)
{
    for (const QString& answer : answers.split(u',', Qt::SkipEmptyParts))
        dialogs.queueAnswer(answer == QStringLiteral("yes") ? Dialogs::Answer::Yes : Dialogs::Answer::No);
    dialogs.setDefaultAnswer(Dialogs::Answer::Yes);
    state.endProgram = [] {};
    RunStartupSequence(state);
    print(QStringLiteral("data-folder: ") + state.DataFolder);
    LedgerCloser closer(state);
    print(QStringLiteral("records: %1").arg(OpenLedger(state) ? state.RecordCount : -1));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    ScriptedDialogs dialogs;
    AppState state(dialogs);
    state.ClientFolder = NormaliseFolder(args[1]);
    bool ok = false;
    if (args[2] == QStringLiteral("transfer") && args.size() >= 4)
        ok = transfer(state, dialogs, args[3], args.value(4) == QStringLiteral("replace"));
    else if (args[2] == QStringLiteral("start"))
        ok = start(state, dialogs, args.value(3));
    else
        return 2;
    for (const ScriptedDialogs::Shown& shown : dialogs.shown())
        print((shown.question ? QStringLiteral("question: ") : QStringLiteral("message: ")) + shown.title + u'\n'
              + shown.text);
    print(ok ? QStringLiteral("done") : QStringLiteral("failed"));
    std::fflush(stdout);
    return ok ? 0 : 1;
}
