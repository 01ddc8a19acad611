#include "storage/item_number_table.h"

namespace {
const ItemNumberRow EmptyRow;
}

void ItemNumberTable::reset(int count)
{
    m_rows.assign(static_cast<size_t>(std::max(count, 0)) + 1, ItemNumberRow{});
    m_indexValid = false;
}

const ItemNumberRow& ItemNumberTable::row(int n) const
{
    if (n < 1 || n > rowCount())
        return EmptyRow;
    return m_rows[static_cast<size_t>(n)];
}

void ItemNumberTable::setRow(int n, ItemNumberRow row)
{
    if (n < 1)
        return;
    if (n > rowCount())
        m_rows.resize(static_cast<size_t>(n) + 1);
    m_rows[static_cast<size_t>(n)] = std::move(row);
    m_indexValid = false;
}

void ItemNumberTable::buildIndex() const
{
    m_index.clear();
    m_index.reserve(rowCount());
    for (int n = 1; n <= rowCount(); ++n)
        m_index[m_rows[static_cast<size_t>(n)].number].push_back(n);
    m_indexValid = true;
}

int ItemNumberTable::find(const QString& number, int limit, int skip) const
{
    if (!m_indexValid)
        buildIndex();
    const auto it = m_index.constFind(number);
    if (it == m_index.constEnd())
        return 0;
    for (int n : *it) {
        if (n > limit)
            break;
        if (n != skip)
            return n;
    }
    return 0;
}
