#pragma once
// The text-file format shared by the settings, vocabulary and item number files: cp932 lines
// ending in CR LF, each a comma-separated list of double-quoted values without escaping.
#include "storage/io_result.h"

#include <QStringList>
#include <optional>

// Splits one line into its values. A quoted value runs to the next double quote (to the end of
// the line when the closing quote is missing); an unquoted value runs to the next comma, trimmed.
QStringList SplitQuotedLine(const QString& line);

// Joins values as quoted text. A double quote inside a value would break the line apart when it
// is read back, so it is written as an apostrophe.
QString JoinQuotedLine(const QStringList& values);

// The decoded lines of file content (CR LF or LF); a last line without an end counts.
QStringList SplitTextLines(const QByteArray& bytes);

// The decoded lines of a file (CR LF or LF), or nothing when the file cannot be read (a relative
// path, a link and a folder count as unreadable: they are never followed).
std::optional<QStringList> ReadTextLines(const QString& path);

// Writes the lines, each ended by CR LF, through a temporary file renamed over the old one.
IoResult WriteTextLines(const QString& path, const QStringList& lines);
