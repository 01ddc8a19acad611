#pragma once
// The order of the sort: the key of an item is its trimmed name followed by its trimmed item
// number, compared in Japanese order with case, full/half width and hiragana/katakana ignored.
// Equal keys keep the ledger's order.
#include <QStringList>
#include <vector>

class ItemRecord;

// FieldText of text[1] followed by FieldText of text[0]; empty when the item has no name.
QString SortKeyText(const ItemRecord& record);
// The same from the two texts already read.
QString SortKeyText(const QString& name, const QString& number);

// The key as compared: NFKC (half-width forms to full width, full-width letters and digits to
// ASCII), katakana to hiragana and case folding. The collator ignores these differences by
// itself; folding first keeps the order the same where the platform's collator does not.
QString FoldSortKey(const QString& key);

// The positions 0..keys.size()-1 in ascending key order, stable, O(n log n).
std::vector<int> SortedKeyOrder(const QStringList& keys);

// -1, 0 or 1 as the sort compares two keys (for tests and single comparisons).
int CompareSortKeys(const QString& a, const QString& b);
