// A client that keeps storing new items, as "新 規" and "登　録" do, until its time is up.
// Usage: tev-stress-store-worker DATA_FOLDER PREFIX SECONDS
// Prints "stored NUMBER" for every item the ledger took; exits 1 when a store failed.
#include "storage/app_state.h"
#include "storage/item_record.h"
#include "storage/ledger_append.h"
#include "storage/scripted_dialogs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    ScriptedDialogs dialogs;
    AppState state(dialogs);
    state.ClientFolder = args[1];
    state.DataFolder = args[1];
    const QString prefix = args[2];
    const qint64 millis = args[3].toLongLong() * 1000;
    QElapsedTimer clock;
    clock.start();
    for (int k = 1; clock.elapsed() < millis; ++k) {
        const QString number = prefix + QStringLiteral("-%1").arg(k, 5, 10, QChar(u'0'));
        state.CurrentRecord.clear();
        state.CurrentRecord.setText(ItemField::Number, number);
        state.CurrentRecord.setText(ItemField::Name, QStringLiteral("試験品") + prefix);
        state.CurrentRecord.setText(ItemField::Unit, QStringLiteral("個"));
        const AppendResult result = StoreNewItem(state);
        if (!result.stored()) {
            std::printf("failed %s: %s\n", qPrintable(number), qPrintable(result.io.detail));
            return 1;
        }
        std::printf("stored %s\n", number.toUtf8().constData());
        std::fflush(stdout);
    }
    return 0;
}
