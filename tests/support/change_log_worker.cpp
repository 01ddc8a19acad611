// Appends batches of change-log lines to the log of a data folder, as a client that commits
// many changes. Each batch is one ChangeLog write of long lines; the lines of batch b carry the
// item number TAG-b and the record numbers 1..LINES, so a reader can tell whether a batch
// arrived whole. Each write holds the ledger lock, as every writer of the log does: the log is
// appended at its end offset (file-server clients may not offer O_APPEND), so the lock is what
// keeps the batches apart.
// A worker says it is ready with the file "ready-TAG" and starts writing when the file "go"
// appears in the data folder, so that the workers of a test write at the same time.
// Usage: tev-change-log-worker DATA_FOLDER TAG BATCHES LINES
#include "storage/app_state.h"
#include "storage/change_log.h"
#include "storage/ledger_lock.h"
#include "storage/scripted_dialogs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QThread>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return 2;
    ScriptedDialogs dialogs;
    AppState state(dialogs);
    state.DataFolder = args[1];
    state.PcName = args[2];
    const int batches = args[3].toInt();
    const int lines = args[4].toInt();
    const QString filler = QString(200, QChar(u'棚'));
    QFile ready(state.DataFolder + QStringLiteral("ready-") + args[2]);
    if (!ready.open(QIODevice::WriteOnly))
        return 3;
    ready.close();
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(state.DataFolder + QStringLiteral("go"))) {
        if (waited.elapsed() > 30000)
            return 3;
        QThread::usleep(200);
    }
    for (int b = 1; b <= batches; ++b) {
        ChangeLog log(state, ChangeOperation::MonthlyImport);
        for (int k = 1; k <= lines; ++k)
            log.addLine(k, args[2] + u'-' + QString::number(b), {filler + QString::number(k)});
        LedgerLock lock(state);
        if (!lock.take())
            return 4;
        if (!log.write())
            return 1;
    }
    return 0;
}
