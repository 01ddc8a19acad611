#pragma once
// The few file calls the platform does differently, in one place.
#include <QFile>

// Forces the file's written data to the disk (fsync / FlushFileBuffers). Returns false on failure.
bool SyncFileToDisk(QFile& file);

// errno of the last failed call (the Windows error translated where it is known).
int LastSystemError();
