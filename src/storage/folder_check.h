#pragma once
// Whether a folder may be used for the data or as the client folder, checked before any file in it
// is touched: an absolute path (a relative one would land in whatever the working folder is), of a
// folder that exists and can be read (and written, where a write is about to happen), whose name
// the Japanese code page can hold (the settings files store it in cp932; a name it cannot hold
// would come back as "?" and point nowhere). And whether a data file has been replaced by a link,
// which the program never follows.
#include <QString>
#include <QStringList>

struct AppState;

struct FolderCheck {
    enum class Problem { None, NotSet, NotAbsolute, Missing, NotAFolder, NotReadable, NotWritable, NotCp932 };
    Problem problem = Problem::None;
    QString folder;
    QString character; // NotCp932: the first character the code page lacks
    bool ok() const { return problem == Problem::None; }
    // What is wrong, in words for the user.
    QString reason() const;
};

FolderCheck CheckFolder(const QString& folder, bool forWriting);

// The data files of the state's data folder that a symbolic link stands in for.
QStringList LinkedDataFiles(const AppState& state);

// The message when the data folder cannot be used (title "異常確認"), or empty when it can: the
// folder's problem, or the data files that are links. `forWriting` also asks for write access.
QString DataFolderProblemMessage(const AppState& state, bool forWriting);

// The message when the client folder cannot be used, or empty when it can.
QString ClientFolderProblemMessage(const QString& clientFolder);
