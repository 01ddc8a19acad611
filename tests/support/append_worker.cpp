// Appends items one at a time to the ledger of a data folder, as a client storing new items.
// Usage: tev-append-worker DATA_FOLDER PREFIX COUNT
#include "storage/app_state.h"
#include "storage/item_record.h"
#include "storage/ledger_append.h"
#include "storage/scripted_dialogs.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    ScriptedDialogs dialogs;
    AppState state(dialogs);
    state.DataFolder = args[1];
    const int count = args[3].toInt();
    for (int k = 1; k <= count; ++k) {
        state.CurrentRecord.clear();
        state.CurrentRecord.setText(ItemField::Number, args[2] + QString::number(k));
        if (!StoreNewItem(state).stored())
            return 1;
    }
    return 0;
}
