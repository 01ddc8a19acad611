#pragma once
// The benchmark data: a ledger of 50 009 synthetic items (the capacity), written once per run to
// a temporary data folder, and an AppState on that folder.
#include "storage/app_state.h"
#include "storage/dialogs.h"

#include <QTemporaryDir>

// Dialogs that say nothing: a full ledger shows the capacity message at every open.
class SilentDialogs : public Dialogs {
public:
    void inform(const QString&, const QString&) override { ++shown; }
    Answer ask(const QString&, const QString&) override { return Answer::No; }
    Choice askYesNoCancel(const QString&, const QString&) override { return Choice::Cancel; }
    int shown = 0;
};

class BenchLedger {
public:
    static constexpr int Records = AppState::MaxRecords;
    static constexpr std::uint32_t Seed = 2023;

    // Built on the first call; later calls return the same ledger.
    static BenchLedger& instance();

    AppState& state() { return m_state; }
    QString folder() const { return m_state.DataFolder; }

private:
    BenchLedger();
    QTemporaryDir m_dir;
    SilentDialogs m_dialogs;
    AppState m_state{m_dialogs};
};
