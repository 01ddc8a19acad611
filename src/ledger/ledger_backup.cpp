#include "ledger/ledger_backup.h"

#include "storage/app_state.h"
#include "storage/field_text.h"
#include "storage/ledger_file.h"
#include "storage/paths.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

bool CopyLedgerBackup(AppState& state)
{
    if (!ReadFlag(state.ClientSettings[ClientLine::Backup]))
        return false;
    state.closeAllFiles();
    QFile source(LedgerPath(state));
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QString folder = state.ClientFolder + DataFileName::TemplateFolder;
    if (!QDir().mkpath(folder))
        return false;
    QSaveFile target(folder + PathSeparator + DataFileName::Ledger);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    constexpr qint64 Chunk = 1 << 20;
    while (!source.atEnd()) {
        const QByteArray bytes = source.read(Chunk);
        if (bytes.isEmpty() && source.error() != QFileDevice::NoError) {
            target.cancelWriting();
            return false;
        }
        if (target.write(bytes) != bytes.size()) {
            target.cancelWriting();
            return false;
        }
    }
    return target.commit();
}
