#pragma once
// The few file calls the platform does differently, in one place.
#include "storage/io_result.h"

#include <QByteArray>
#include <QFile>
#include <QString>

// Forces the file's written data to the disk (fsync / FlushFileBuffers). Returns false on failure.
bool SyncFileToDisk(QFile& file);

// errno of the last failed call (the Windows error translated where it is known).
int LastSystemError();

// Appends a block of bytes to a shared file so that blocks of several processes never mix: the file
// is opened for appending (O_APPEND / FILE_APPEND_DATA) and the block goes out in one write call,
// which the system places whole at the end of the file. Creates the file when it is missing. A
// write that stops part-way (a full disk) is taken back where no other block has followed it, so
// that no half line stays at the end.
IoResult AppendBlockToFile(const QString& path, const QByteArray& block);
