#pragma once
// Console output of the command-line tool: UTF-8 on stdout and stderr.
#include <QByteArray>
#include <QString>

// Writes the text as it is (add the newline yourself).
void PrintOut(const QString& text);
void PrintError(const QString& text);
// Writes bytes that already are UTF-8 to stdout.
void PrintOutBytes(const QByteArray& bytes);

// A number for a report line: whole numbers without decimals, others as the shortest decimal
// text (no exponent) after rounding away the noise of a long sum (15 significant digits).
QString DecimalText(double value);
