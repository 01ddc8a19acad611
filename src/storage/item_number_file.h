#pragma once
// Building, saving and searching the item number table, and the stock value totals.
#include "storage/io_result.h"

#include <QDate>
#include <QList>

struct AppState;

// Reads every ledger record into the table and sums the stock values into TotalStockValue.
void RebuildItemNumberTable(AppState& state);
// Writes the table as "Ma在庫品No.dat" (rows 1..RecordCount) through a temporary file; not in a
// folder whose data moved. The screens ignore a failure: the table is rebuilt from the ledger
// whenever it is needed.
IoResult WriteItemNumberFile(AppState& state);
// Reads the table from "Ma在庫No.dat"; when that fails (as it does whenever the file is
// missing) the table is rebuilt from the ledger and written instead.
void ReadItemNumberFile(AppState& state);
// The daily check run when the ledger screen opens: rebuilds at most once a day (the date of
// the last rebuild is shared settings line 13), otherwise reads the file.
void BringItemNumberTableUpToDate(AppState& state, const QDate& today);

// Sum of text[6] over all records.
void SumStockValue(AppState& state);
// Sum of text[6] over the records of a hit list (positions 1..hitCount; 0 entries are skipped).
void SumFilteredStockValue(AppState& state, const QList<int>& hitList);

// Searches the table after OpenLedger has refreshed RecordCount. Set FoundRecordNo; true when found.
bool FindItemNumber(AppState& state, const QString& number);
// The same, skipping the row of CurrentRecordNo.
bool FindOtherItemNumber(AppState& state, const QString& number);
