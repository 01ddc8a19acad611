#pragma once
// Helpers shared by the fuzz targets: a scratch file per process, a full read of a worksheet and
// a check that stops the run with a message when a property does not hold.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

class Worksheet;

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            FuzzCheckFailed(#condition, __FILE__, __LINE__);                                       \
    } while (false)

[[noreturn]] void FuzzCheckFailed(const char* condition, const char* file, int line);

inline QByteArray FuzzBytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// A file name of this process in a memory-backed folder where there is one; `suffix` gives the
// extension ("xlsx").
QString ScratchPath(const char* suffix);

// Reads every cell the way the program does (text, kind, number, format) and returns a digest,
// so the compiler keeps the reads.
size_t ReadWholeSheet(const Worksheet& sheet);
