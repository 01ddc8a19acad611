#pragma once
// Outcome of a file operation: the core reports, the screens decide what to show.
#include <QString>

struct IoResult {
    bool ok = true;
    int errorCode = 0;   // errno of the failing call, 0 when unknown
    QString path;
    QString detail;      // short description of the failing step

    static IoResult success() { return {}; }
    static IoResult failure(const QString& path, int errorCode, const QString& detail)
    {
        return IoResult{false, errorCode, path, detail};
    }
    explicit operator bool() const { return ok; }
};
