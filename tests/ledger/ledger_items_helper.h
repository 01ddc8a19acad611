#pragma once
// Small ledgers for the filter, sort and delete tests: items built from a few texts, written as
// record files and read back as item numbers or raw records.
#include "storage/item_record.h"

#include <QFile>
#include <QList>
#include <QStringList>

// A namespace of its own: other test files of this folder define helpers of the same names.
namespace ledger_items {

struct TestItem {
    QString number;
    QString name;
    QString shiyo;
    QString maker;
    QString place;
    QString unit;
};

inline ItemRecord MakeItem(const TestItem& item)
{
    ItemRecord record;
    record.setText(ItemField::Number, item.number);
    record.setText(ItemField::Name, item.name);
    record.setText(ItemField::Shiyo, item.shiyo);
    record.setText(ItemField::Maker, item.maker);
    record.setText(ItemField::Place, item.place);
    record.setText(ItemField::Unit, item.unit);
    record.setText(ItemField::StockValue, QStringLiteral(" 100"));
    record.setText(20, QStringLiteral("reserved-") + item.number); // reserved fields must travel too
    return record;
}

inline void WriteRecordFile(const QString& path, const QList<ItemRecord>& records)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    for (const ItemRecord& record : records)
        file.write(record.data(), ItemRecord::Length);
}

inline QList<ItemRecord> WriteItems(const QString& path, const QList<TestItem>& items)
{
    QList<ItemRecord> records;
    for (const TestItem& item : items)
        records.append(MakeItem(item));
    WriteRecordFile(path, records);
    return records;
}

inline QList<ItemRecord> ReadRecordFile(const QString& path)
{
    QFile file(path);
    QList<ItemRecord> records;
    if (!file.open(QIODevice::ReadOnly))
        return records;
    const QByteArray bytes = file.readAll();
    for (qsizetype offset = 0; offset + ItemRecord::Length <= bytes.size(); offset += ItemRecord::Length) {
        ItemRecord record;
        record.assignBytes(bytes.constData() + offset);
        records.append(record);
    }
    return records;
}

// The item numbers of a record file, in order.
inline QStringList ItemNumbersIn(const QString& path)
{
    QStringList numbers;
    for (const ItemRecord& record : ReadRecordFile(path))
        numbers.append(record.text(ItemField::Number));
    return numbers;
}

} // namespace ledger_items
