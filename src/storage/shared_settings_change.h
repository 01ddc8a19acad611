#pragma once
// Every write of the shared settings "Ma在庫品基礎.dat" changes only its own lines: under the
// settings lock it reads the file as it is now, sets the lines it was given, and replaces the file
// in one rename. What other clients stored meanwhile (the stop of all clients, the login switch,
// the start month, the list sizes) stays. A folder whose data have moved is not written.
#include "storage/file_lock.h"
#include "storage/io_result.h"

#include <QList>
#include <QPair>
#include <QString>

struct AppState;
class Dialogs;

// Line number (1..50) and its new value; each value is stored as its FieldText.
using SharedSettingsChanges = QList<QPair<int, QString>>;

// The lock beside the shared settings file "Ma在庫品基礎.lck". The writers of the word lists hold
// it too, so that a list and its count in the settings are written together.
class SharedSettingsLock {
public:
    explicit SharedSettingsLock(AppState& state);
    // Tells the user (Dialogs::notify) when it took over a lock left behind.
    IoResult take();
    void release() { m_lock.release(); }
    void keepAlive() { m_lock.keepAlive(); }

private:
    Dialogs& m_dialogs;
    FileLock m_lock;
};

// Takes the lock, changes the lines and replaces the file. A missing file is written whole from
// memory with the changes. On success memory holds what the file holds now (other clients' lines
// included); on a failure memory is unchanged.
IoResult ChangeSharedSettings(AppState& state, const SharedSettingsChanges& changes);

// The same, for a caller that holds the SharedSettingsLock already.
IoResult ChangeSharedSettingsLocked(AppState& state, const SharedSettingsChanges& changes);

// As ChangeSharedSettings, in a folder whose data have moved: the transfer releasing the stop of all
// clients it set in the folder it left.
IoResult ChangeSharedSettingsAfterMove(AppState& state, const SharedSettingsChanges& changes);
