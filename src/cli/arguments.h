#pragma once
// Small helpers for the arguments of a command.
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

struct ParsedArguments {
    QHash<QString, QString> options; // "--from" -> "5"
    QStringList positional;
    QString error;                   // set when the arguments cannot be parsed
};

// Splits arguments into options that take a value ("--name VALUE" or "--name=VALUE", names
// from `valueOptions`) and positional arguments. An unknown option or a missing value is an error.
ParsedArguments ParseArguments(const QStringList& args, const QStringList& valueOptions);

// A whole decimal number made only of digits, within min..max.
std::optional<qint64> ParseWholeNumber(const QString& text, qint64 min, qint64 max);
