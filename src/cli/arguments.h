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

// Takes every "NAME VALUE" and "NAME=VALUE" out of `args` (an option given more than once, such
// as --filter), appending the values. False when one lacks its value.
bool TakeRepeatedOption(QStringList& args, const QString& name, QStringList& values);
// Takes every "NAME" (an option without a value) out of `args`; true when there was one.
bool TakeFlag(QStringList& args, const QString& name);

// A whole decimal number made only of digits, within min..max.
std::optional<qint64> ParseWholeNumber(const QString& text, qint64 min, qint64 max);
