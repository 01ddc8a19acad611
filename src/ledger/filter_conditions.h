#pragma once
// The filter's conditions: the three rows of the condition table, their normalisation into the
// slots C1..C3 / T1..T3, and the test of one record against them. Words are compared code unit
// by code unit, so case, full/half width and hiragana/katakana all count; only the characters
// that the ledger's cp932 stores alike (an input method's "〜" and the file's "～") are one.
#include <QString>
#include <array>

class ItemRecord;

// The list columns a condition may name (1..5 and 8); each reads text field column - 1.
bool IsFilterableColumn(int listColumn);
inline int FilterFieldOf(int listColumn) { return listColumn - 1; }

// One row of the condition table, as its three cells show it.
struct FilterConditionRow {
    QString columnText; // the list column number as text; empty for no condition
    QString caption;
    QString word;
    bool operator==(const FilterConditionRow&) const = default;
};
using FilterConditionRows = std::array<FilterConditionRow, 3>;

struct FilterConditions {
    std::array<int, 3> column{};   // C1..C3; 0 for an empty slot
    std::array<QString, 3> word;   // T1..T3, in their cp932 stored form (Cp932::storedForm)

    // True when some slot has both a column and a word; otherwise the scan is refused.
    bool hasComplete() const;
    // T1 + "　" + T2 + "　" + T3 + "　", the opening of the messages for an empty result.
    QString wordsText() const;
};

// Rewrites the rows as normalised (column numbers cleaned, captions and words trimmed, rows with
// a column first in order of column number, the rest emptied) and returns the slots, whose words
// are the rows' words in their stored form.
FilterConditions NormaliseFilterConditions(FilterConditionRows& rows);

// The record matches when the filled words form one of the patterns T1 / T1 T2 / T1 T2 T3 and
// the field of every filled slot contains its word. Any other pattern matches nothing.
bool MatchesFilter(const ItemRecord& record, const FilterConditions& conditions);

// The page count shown after a re-filter: Int(hits / 12) + 1.
int MaxPageOf(int hitCount);
