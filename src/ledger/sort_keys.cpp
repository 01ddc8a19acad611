#include "ledger/sort_keys.h"

#include "storage/item_record.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <numeric>

namespace {

QCollator sortCollator()
{
    QCollator collator(QLocale(QLocale::Japanese, QLocale::Japan));
    // With the Japanese rules, case-insensitive comparison leaves width and kana type aside as
    // well, while voiced marks (カ / ガ) still count.
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false); // item numbers compare as text: "10" before "9"
    collator.setIgnorePunctuation(false);
    return collator;
}

} // namespace

QString SortKeyText(const ItemRecord& record)
{
    return SortKeyText(record.text(ItemField::Name), record.text(ItemField::Number));
}

QString SortKeyText(const QString& name, const QString& number)
{
    return name.isEmpty() ? QString() : name + number;
}

QString FoldSortKey(const QString& key)
{
    QString folded = key.normalized(QString::NormalizationForm_KC);
    for (QChar& c : folded) {
        const char16_t u = c.unicode();
        if (u >= 0x30A1 && u <= 0x30F6)
            c = QChar(char16_t(u - 0x60));
    }
    return folded.toCaseFolded();
}

std::vector<int> SortedKeyOrder(const QStringList& keys)
{
    const QCollator collator = sortCollator();
    std::vector<QCollatorSortKey> sortKeys;
    sortKeys.reserve(size_t(keys.size()));
    for (const QString& key : keys)
        sortKeys.push_back(collator.sortKey(FoldSortKey(key)));
    std::vector<int> order(size_t(keys.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return sortKeys[size_t(a)].compare(sortKeys[size_t(b)]) < 0; });
    return order;
}

int CompareSortKeys(const QString& a, const QString& b)
{
    const int c = sortCollator().compare(FoldSortKey(a), FoldSortKey(b));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}
