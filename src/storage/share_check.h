#pragma once
// What a data folder's file system offers of the calls that several clients rely on, tried in a
// scratch folder of its own inside the folder (removed afterwards): the lock (a folder created in
// one step, its owner file touched and seen to change, its release), writing in place, appending
// at the end, syncing, replacing a closed file by rename; and, for information, what the program
// copes with either way (an exclusive file creation, replacing or removing a file that is open).
#include <QList>
#include <QString>

struct ShareCheckStep {
    QString name;
    bool works = false;
    bool required = true; // the program needs it; the others are information
    QString detail;
};

struct ShareCheckReport {
    QList<ShareCheckStep> steps;
    QString scratchFolder;
    // Every required step works.
    bool usable() const;
};

ShareCheckReport CheckShare(const QString& folder);
