#pragma once
// The data folder of the side-by-side comparison: the 50 009-item benchmark ledger, the output
// template and the output folder, and an AppState on that folder.
#include "storage/app_state.h"
#include "storage/dialogs.h"

#include <QString>

// Dialogs that say nothing: a full ledger shows the capacity message at every open.
class QuietDialogs : public Dialogs {
public:
    void inform(const QString&, const QString&) override {}
    Answer ask(const QString&, const QString&) override { return Answer::No; }
    Choice askYesNoCancel(const QString&, const QString&) override { return Choice::Cancel; }
};

// Points `state` at `folder` (created when missing) and prepares what the workbook output
// needs: the output folder, the column captions and a template (a blank workbook when none
// was put in "原本Excel").
bool PrepareCompareFolder(AppState& state, const QString& folder);

// Writes `count` synthetic items (the seed of the benchmarks) into the empty ledger of `state`.
bool GenerateCompareLedger(AppState& state, int count);
