#include "bench_ledger.h"

#include "storage/ledger_append.h"
#include "storage/synthetic_items.h"

#include <cstdio>
#include <cstdlib>

BenchLedger& BenchLedger::instance()
{
    static BenchLedger ledger;
    return ledger;
}

BenchLedger::BenchLedger()
{
    m_state.ClientFolder = m_dir.path() + u'/';
    m_state.DataFolder = m_state.ClientFolder;
    m_state.ClientSettings[1] = m_state.ClientFolder;
    if (!m_dir.isValid() || !AppendSyntheticItems(m_state, Records, Seed).stored()) {
        std::fprintf(stderr, "tev_bench: the benchmark ledger cannot be written\n");
        std::exit(1);
    }
}
