#pragma once
// One run of the item or vocabulary import as the import screen starts it: find and read the
// workbook, ask about the problems the check found, write, and say how it ended. An unattended
// run (the timed import) asks nothing and shows no message; it goes on past problems and
// returns what a message would have said.
#include "ledger/ledger_commit.h"

#include <QString>
#include <functional>

struct AppState;

// What the screen shows while a run goes on.
struct ImportRunView {
    std::function<void(const QString& path)> showPath; // the workbook being read
    std::function<void(int count)> showCount;          // items or entries written so far
    CommitProgress progress;                           // the ledger commit of the item import
    // On while the run works without waiting for the user (reading, writing); off before
    // every question and message.
    std::function<void(bool busy)> busy;
};

enum class ImportRunMode { Interactive, Unattended };

enum class ImportOutcome {
    Done,        // written (for the item import, up to the capacity)
    Unreadable,  // no import folder, or the workbook is missing or cannot be read; nothing written
    Declined,    // the user chose not to go on after the problem summary; nothing written
    WriteFailed, // the files could not be written; the ledger or the lists are as before
};

struct ImportRunResult {
    ImportOutcome outcome = ImportOutcome::Done;
    QString path;            // the workbook read
    int written = 0;         // items or entries written
    bool overCapacity = false;
    int problems = 0;        // problems the check found
    // Unattended: the messages an interactive run would have shown, its own and those of the
    // layers below (lines joined by CR, one message after the other).
    QString note;
};

ImportRunResult RunItemImport(AppState& state, ImportRunMode mode, const ImportRunView& view);
ImportRunResult RunVocabularyImport(AppState& state, const ImportRunView& view);
