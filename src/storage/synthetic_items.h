#pragma once
// Synthetic, valid ledger items for load tests, demonstrations and benchmarks. Every item has a
// unique item number, Japanese names from small word lists, a unit price, previous-year and
// proper stock, and monthly received and issued quantities that never take the stock below
// zero in any month; totals, stock, stock value and achievement rates are computed as the item
// edit table computes them. The same seed gives the same items.
#include "storage/ledger_append.h"

#include <QSet>
#include <QString>
#include <cstdint>
#include <iterator>
#include <random>

struct AppState;
class ItemRecord;

class SyntheticItems {
public:
    explicit SyntheticItems(std::uint32_t seed) : m_random(seed) {}

    // Item numbers already in use; the generated numbers avoid them.
    void reserveNumbers(const QSet<QString>& numbers) { m_taken.unite(numbers); }

    // Fills a blank record as the item that will become record `recordNo`. Its number is
    // "G" + the record number in six digits, or that with "-1", "-2", … when it is taken.
    void fill(int recordNo, ItemRecord& record);

private:
    QString uniqueNumber(int recordNo);
    int uniform(int low, int high);
    bool chance(int percent) { return uniform(1, 100) <= percent; }
    template <typename List>
    const auto& pick(const List& list)
    {
        return list[static_cast<size_t>(uniform(0, static_cast<int>(std::size(list)) - 1))];
    }

    std::mt19937 m_random;
    QSet<QString> m_taken;
};

// The item numbers (FieldText of text[0]) of every record of the ledger file, read directly
// without the capacity check of OpenLedger.
QSet<QString> LedgerItemNumbers(const QString& ledgerPath);

// Appends `count` synthetic items to the ledger in one locked, all-or-nothing append, avoiding
// the item numbers the ledger already holds.
AppendResult AppendSyntheticItems(AppState& state, int count, std::uint32_t seed);
