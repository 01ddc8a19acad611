#pragma once
// The fatal file-error stop: the kind of a file error decides between a message and the end of
// the program.
#include <QString>

struct AppState;

enum class FileErrorKind {
    OutOfMemory,
    Internal,
    BadFileName,
    FileNotFound,
    DiskFull,
    PermissionDenied,
    DiskNotReady,
    PictureCreation,
    PathNotFound,
    Printer,
    SymbolicLink, // a link stands where a data file belongs; it is never followed
    NotAFile,     // a folder or a device stands where a data file belongs
    Damaged,      // the file's content is not in the program's format
    Moved,        // the data of the folder have moved to another folder (the failure's path)
    InUse,        // another client kept the file open for longer than a replacement waits
    Other,
};

// The kind of a failed file call, from its errno. A missing file whose folder is missing too
// (when the path is given) is a missing path.
FileErrorKind ClassifyFileError(int errorCode, const QString& path = QString());
// The description shown in the message.
QString DescribeFileError(FileErrorKind kind);

enum class FileErrorAction { MessageAndEnd, MessageOnly, Nothing };
FileErrorAction ActionForFileError(FileErrorKind kind);

// Shows " " + description + suffix (titled "異常確認") where the kind asks for it and ends the
// program where it asks for that. The suffix for a missing path, once set, stays for the run.
// Returns true when the program goes on.
bool FileErrorStop(AppState& state, int errorCode, const QString& path = QString());
