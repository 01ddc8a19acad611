#pragma once
// The names the change log gives the fields of an item: the ledger's own captions (the renamed
// list columns of the shared settings included) and the month headings of the ledger year.
#include "storage/change_log.h"

struct AppState;

ChangeFieldNames ItemChangeFieldNames(const AppState& state);

// A change log for `operation` that names fields as above.
ChangeLog ItemChangeLog(const AppState& state, const QString& operation);
