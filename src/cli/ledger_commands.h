#pragma once
// The ledger maintenance commands of tev-cli: filter, sort, delete and recalc.
#include "ledger/filter_conditions.h"

#include <QStringList>
#include <optional>

class Invocation;
struct AppState;

int RunFilter(Invocation& invocation);
int RunSort(Invocation& invocation);
int RunDelete(Invocation& invocation);
int RunRecalc(Invocation& invocation);

// One to three COL=WORD arguments as condition rows 1..3, in the given order. COL is a list
// column the filter accepts (1, 2, 3, 4, 5 or 8); WORD may be empty. Nothing, with `error` set,
// when an argument is malformed.
std::optional<FilterConditionRows> ParseFilterArguments(const QStringList& args, QString* error);

// Takes every "--filter COL=WORD" out of `args` and parses them: nothing in `rows` when there was
// none. False, with `error` set, when one lacks its value or is malformed.
bool TakeFilterOptions(QStringList& args, std::optional<FilterConditionRows>& rows, QString& error);

// The records the filter rows find, in ledger order, as the ledger screen's filter finds them.
// Nothing when the conditions are incomplete (told as the screen tells it) or the ledger cannot be
// read (printed).
std::optional<QList<int>> FilterHitsOf(Invocation& invocation, AppState& state, FilterConditionRows rows);
