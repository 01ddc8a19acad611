#pragma once
// Handing a file to the desktop: a workbook or a folder is opened in the program the user's
// system associates with it. The Qt implementation lives in the user-interface layer; tests
// use the recording one.
#include <QString>
#include <QStringList>

class DesktopHandover {
public:
    virtual ~DesktopHandover() = default;
    // Opens `path` with its associated program. False when the desktop refused it.
    virtual bool open(const QString& path) = 0;
};

// Records every path it is given and answers with `result`.
class RecordingDesktopHandover : public DesktopHandover {
public:
    bool open(const QString& path) override
    {
        opened.append(path);
        return result;
    }

    QStringList opened;
    bool result = true;
};
