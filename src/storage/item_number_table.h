#pragma once
// A per-record summary of the ledger (item number, name, specification, maker, stock value),
// kept in memory so that an item is found by its number without reading the ledger.
#include <QHash>
#include <QString>
#include <vector>

struct ItemNumberRow {
    QString number;
    QString name;
    QString specification;
    QString maker;
    QString stockValue;
};

class ItemNumberTable {
public:
    // Rows 1..count, all empty.
    void reset(int count);
    int rowCount() const { return static_cast<int>(m_rows.size()) - 1; }
    const ItemNumberRow& row(int n) const;
    void setRow(int n, ItemNumberRow row);

    // The lowest row 1..limit whose number equals `number` exactly, skipping row `skip`;
    // 0 when there is none.
    int find(const QString& number, int limit, int skip = 0) const;

private:
    void buildIndex() const;

    std::vector<ItemNumberRow> m_rows{1};
    // number -> rows holding it, ascending; built on the first search after a change.
    mutable QHash<QString, std::vector<int>> m_index;
    mutable bool m_indexValid = false;
};
