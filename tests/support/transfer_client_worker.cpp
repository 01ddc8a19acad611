// A client that keeps working on its data folder while another one transfers it: in turn it
// stores a new item ("新 規" and "登　録") and enters a receipt of 1 in month 1 of its own item
// (entry pad and "登　録"), each after the stop check the ledger screens make, until its time is up.
// It started once, as a program that stays open does: it never looks for the new folder.
// Usage: tev-transfer-client-worker CLIENT_FOLDER PREFIX MOVE_ITEM SECONDS
// Prints one line per attempt: "stored NUMBER", "moved", "stopped" (the stop of all clients held
// it back) or "refused WHAT: MESSAGE" (the message the program showed, CR as " / ").
#include "ledger/edit_session.h"
#include "ledger/ledger_view_state.h"
#include "menu/startup.h"
#include "storage/app_state.h"
#include "storage/item_number_file.h"
#include "storage/item_record.h"
#include "storage/ledger_append.h"
#include "storage/scripted_dialogs.h"
#include "storage/shared_checks.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QThread>
#include <cstdio>

namespace {

void print(const QString& line)
{
    QString text = line;
    text.replace(u'\r', QStringLiteral(" / "));
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

QString lastMessage(const ScriptedDialogs& dialogs)
{
    return dialogs.shown().isEmpty() ? QString() : dialogs.shown().last().text;
}

void storeNew(AppState& state, const QString& number)
{
    state.CurrentRecord.clear();
    state.CurrentRecord.setText(ItemField::Number, number);
    state.CurrentRecord.setText(ItemField::Name, QStringLiteral("転送中試験品"));
    state.CurrentRecord.setText(ItemField::Unit, QStringLiteral("個"));
    const AppendResult result = StoreNewItem(state);
    if (result.stored())
        print(QStringLiteral("stored ") + number);
    else
        print(QStringLiteral("refused ") + number + QStringLiteral(": ") + LedgerWriteFailureMessage(result.io, result.partLeft));
}

void move(AppState& state, ScriptedDialogs& dialogs, const QString& item)
{
    RebuildItemNumberTable(state);
    if (!FindItemNumber(state, item)) {
        print(QStringLiteral("refused move: no item ") + item);
        return;
    }
    LedgerViewState view;
    EditSession session(state, view);
    session.startCorrect(state.FoundRecordNo);
    if (session.mode() != 1 || session.item().text(ItemField::Number) != item) {
        print(QStringLiteral("refused move: the item was not loaded"));
        return;
    }
    const double received = session.item().qtyNumber(QtyRow::Received, 1);
    if (!session.selectMonthCell(QtyRow::Received, 1) || !session.commitEntry(QString::number(received + 1))) {
        print(QStringLiteral("refused move: the entry was not taken"));
        return;
    }
    dialogs.clear();
    if (session.store().stored())
        print(QStringLiteral("moved"));
    else
        print(QStringLiteral("refused move: ") + lastMessage(dialogs));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return 2;
    ScriptedDialogs dialogs;
    AppState state(dialogs);
    state.ClientFolder = args[1];
    state.endProgram = [] {};
    RunStartupSequence(state);
    const QString prefix = args[2];
    const QString item = args[3];
    const qint64 millis = args[4].toLongLong() * 1000;
    QElapsedTimer clock;
    clock.start();
    for (int k = 1; clock.elapsed() < millis; ++k) {
        state.programEnded = false;
        if (!CheckStopAll(state)) {
            print(QStringLiteral("stopped"));
            QThread::msleep(20);
            continue;
        }
        if (k % 2 == 0)
            storeNew(state, prefix + QStringLiteral("-%1").arg(k, 5, 10, QChar(u'0')));
        else
            move(state, dialogs, item);
        QThread::msleep(5);
    }
    return 0;
}
