#pragma once
// Digit patterns for showing stored numbers ("###,###,###", "#,###,###.0", "###.0", …) and the
// four list formats built on them. Pure functions: no locale, always "," and ".".
#include <QString>

// Formats `value` by a digit pattern. '#' is an optional digit and '0' a required one; a ','
// in the integer part groups all integer digits by three; the digits after '.' give the number
// of decimals (one for every pattern the program uses). Rounds halves away from zero. A value
// that rounds to 0 prints without sign, so an integer pattern gives empty text for 0 and
// "###.0" gives ".0"; a value below 1 prints without a leading zero (".5").
QString FormatNumber(double value, const QString& pattern);

namespace NumberPattern {
inline const QString Integer = QStringLiteral("###,###,###");
inline const QString ShortInteger = QStringLiteral("#,###,###");
inline const QString TotalValue = QStringLiteral("#,###,###,###");
inline const QString Decimal = QStringLiteral("###,###,###.0");
inline const QString ShortDecimal = QStringLiteral("###,###.0");
inline const QString Rate = QStringLiteral("###.0");
}

// The formats of the ledger list. Each takes a field's text (empty or non-numeric reads as 0)
// and gives the cell text; `decimals` is the decimal option (shared settings line 21).

// Whole numbers with thousands separators, empty for 0 (unit price, stock value).
QString IntegerFormat(const QString& field);
// Previous-year, proper and current stock: whole numbers, or one decimal with the option on.
QString QuantityFormatA(const QString& field, bool decimals);
// Monthly quantities, totals and planned quantities: the shorter patterns of the same rule.
QString QuantityFormatB(const QString& field, bool decimals);
// Achievement rates are stored in tenths of a percent: value ÷ 10 with one decimal, empty for
// an empty field or 0.
QString RateFormat(const QString& field);
