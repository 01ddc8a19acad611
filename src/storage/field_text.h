#pragma once
// Reading and writing the values of fixed-width fields and settings lines.
#include <QByteArray>
#include <QString>
#include <optional>

// The text of a field up to its first NUL, without leading and trailing spaces.
QString FieldText(const char* data, qsizetype width);
QString FieldText(const QString& text);

// A number written as plain decimal text: optional spaces, optional sign, digits with at most
// one decimal point. Anything else (empty, letters, exponents, separators) is not a number.
std::optional<double> ParseNumber(const QString& text);

// The numeric reading of a field or setting: empty and non-numeric text count as 0.
double ReadNumber(const QString& text);
// The same for a fixed-width cp932 field read up to its first NUL, without making a QString.
double ReadFieldNumber(const char* data, qsizetype width);

// A flag is on only when its value reads as the number 1.
inline bool ReadFlag(const QString& text) { return ReadNumber(text) == 1.0; }

// A computed number as it is stored: one leading space when not negative, no leading zero
// before the decimal point (" 12", "-3", " 1.5", " .5").
QString StoredNumberText(double value);
