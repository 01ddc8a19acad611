#include "storage/shared_settings_change.h"

#include "storage/app_state.h"
#include "storage/field_text.h"
#include "storage/moved_folder.h"
#include "storage/paths.h"
#include "storage/settings_files.h"

#include <QFileInfo>

namespace {

QString folderOf(const QString& path)
{
    qsizetype end = path.size();
    while (end > 0 && !isPathSeparator(path[end - 1]))
        --end;
    return path.left(end);
}

IoResult changeLocked(AppState& state, const SharedSettingsChanges& changes, bool evenWhenMoved)
{
    const QString path = SharedSettingsPath(state);
    if (!evenWhenMoved)
        if (const IoResult moved = RefuseWhenMoved(folderOf(path)); !moved)
            return moved;
    // The file as other clients left it; lines it lacks (a new folder, a short file) keep memory's.
    SettingsLines lines = SharedSettingsInFile(state);
    for (const auto& [line, value] : changes)
        if (line >= 1 && line <= SettingsLineCount)
            lines[size_t(line)] = value;
    for (int i = 1; i <= SettingsLineCount; ++i)
        lines[size_t(i)] = FieldText(lines[size_t(i)]);
    const IoResult written = WriteSettingsFile(path, lines);
    if (written)
        state.SharedSettings = lines;
    return written;
}

IoResult change(AppState& state, const SharedSettingsChanges& changes, bool evenWhenMoved)
{
    SharedSettingsLock lock(state);
    if (const IoResult taken = lock.take(); !taken)
        return taken;
    return changeLocked(state, changes, evenWhenMoved);
}

} // namespace

SharedSettingsLock::SharedSettingsLock(AppState& state)
    : m_dialogs(state.dialogs),
      m_lock(folderOf(SharedSettingsPath(state)) + DataFileName::SharedSettingsLock, QStringLiteral("the settings lock"))
{
}

IoResult SharedSettingsLock::take()
{
    const IoResult taken = m_lock.take();
    if (taken && !m_lock.takenOverFrom().isEmpty())
        m_dialogs.notify(QStringLiteral("確認"), LockTakenOverNotice(QStringLiteral("設定"), m_lock.takenOverFrom()));
    return taken;
}

IoResult ChangeSharedSettings(AppState& state, const SharedSettingsChanges& changes)
{
    return change(state, changes, false);
}

IoResult ChangeSharedSettingsLocked(AppState& state, const SharedSettingsChanges& changes)
{
    return changeLocked(state, changes, false);
}

IoResult ChangeSharedSettingsAfterMove(AppState& state, const SharedSettingsChanges& changes)
{
    return change(state, changes, true);
}
