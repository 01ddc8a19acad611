#pragma once
// The first month of the ledger year ("yyyy/mm", shared settings line 9): the choices the
// settings screen offers and the test for a change into the next ledger year.
#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// Every month from January of the year before `today` to December of the year after, oldest
// first: 36 entries "yyyy/mm".
QStringList StartMonthChoices(const QDate& today);

// Months since the start of year 0 of a "yyyy/mm" text (spaces around it ignored); nothing when
// the text is not a year and a month 1..12.
std::optional<int> MonthNumber(const QString& yearMonth);

// The "yyyy/mm" text `months` months after `yearMonth` (before it when negative); empty when
// `yearMonth` is not a year and a month.
QString MonthAfter(const QString& yearMonth, int months);

// True when `chosen` is exactly twelve months after `current`, that is the next ledger year.
bool IsNextLedgerYear(const QString& current, const QString& chosen);
