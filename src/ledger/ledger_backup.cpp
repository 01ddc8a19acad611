#include "ledger/ledger_backup.h"

#include "storage/app_state.h"
#include "storage/field_text.h"
#include "storage/ledger_file.h"
#include "storage/paths.h"
#include "storage/platform_file.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

bool CopyLedgerBackup(AppState& state)
{
    if (!ReadFlag(state.ClientSettings[ClientLine::Backup]))
        return false;
    state.closeAllFiles();
    QFile source;
    if (!OpenFileNoFollow(source, LedgerPath(state), QIODevice::ReadOnly))
        return false;
    const QString folder = state.ClientFolder + DataFileName::TemplateFolder;
    if (!QDir().mkpath(folder))
        return false;
    // QSaveFile would write through a link to its target.
    const QString copyPath = folder + PathSeparator + DataFileName::Ledger;
    if (!RefuseSymbolicLink(copyPath))
        return false;
    QSaveFile target(copyPath);
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
