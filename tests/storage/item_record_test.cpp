#include "storage/item_record.h"

#include "storage/cp932_codec.h"

#include <gtest/gtest.h>

namespace {

// A record built by hand from the file layout: 21 text fields of 28 bytes, then the quantity
// fields column by column (qty[0][c], qty[1][c], qty[2][c]) of 7 bytes, then CR LF.
QByteArray handBuiltRecord()
{
    QByteArray bytes(926, ' ');
    auto put = [&](int offset, const QByteArray& value) { bytes.replace(offset, value.size(), value); };
    put(0, "A-01");                                  // text[0]
    put(28, Cp932::encode(QStringLiteral("ボルト")));   // text[1]
    put(5 * 28, "120");                              // text[5]
    put(20 * 28, "Z");                               // text[20] at 560..587
    put(588 + 7 * (1 + 3 * 1), "5");                 // qty[1][1] at 595
    put(588 + 7 * (2 + 3 * 13), "-12.5");            // qty[2][13] at 875..881
    put(588 + 7 * (2 + 3 * 15), "999");              // qty[2][15] at 917..923, the last field
    bytes[924] = '\r';
    bytes[925] = '\n';
    return bytes;
}

} // namespace

TEST(ItemRecord, LayoutMatchesTheFileFormatByteForByte)
{
    EXPECT_EQ(ItemRecord::qtyOffset(2, 13), 875);
    EXPECT_EQ(ItemRecord::qtyOffset(0, 0), 588);
    EXPECT_EQ(ItemRecord::qtyOffset(2, 15), 917);
    EXPECT_EQ(ItemRecord::textOffset(20), 560);

    ItemRecord record;
    record.setText(0, QStringLiteral("A-01"));
    record.setText(1, QStringLiteral("ボルト"));
    record.setText(5, QStringLiteral("120"));
    record.setText(20, QStringLiteral("Z"));
    record.setQty(1, 1, QStringLiteral("5"));
    record.setQty(2, 13, QStringLiteral("-12.5"));
    record.setQty(2, 15, QStringLiteral("999"));
    EXPECT_EQ(record.bytes(), handBuiltRecord());
}

TEST(ItemRecord, ReadsFieldsFromHandBuiltBytes)
{
    ItemRecord record;
    record.assignBytes(handBuiltRecord().constData());
    EXPECT_EQ(record.text(0), QStringLiteral("A-01"));
    EXPECT_EQ(record.text(1), QStringLiteral("ボルト"));
    EXPECT_EQ(record.textNumber(5), 120);
    EXPECT_EQ(record.qtyNumber(2, 13), -12.5);
    EXPECT_EQ(record.qtyNumber(1, 1), 5);
    EXPECT_EQ(record.text(2), QString());
    EXPECT_EQ(record.textNumber(2), 0);
}

TEST(ItemRecord, OverlongValuesNeverSpillIntoTheNextField)
{
    ItemRecord record;
    record.setText(2, QStringLiteral("next"));
    record.setText(1, QString(15, QChar(u'品')));           // 30 bytes into a 28-byte field
    EXPECT_EQ(record.text(1), QString(14, QChar(u'品')));
    EXPECT_EQ(record.text(2), QStringLiteral("next"));

    record.setText(1, QStringLiteral("a") + QString(14, QChar(u'品'))); // 29 bytes: the last character goes
    EXPECT_EQ(record.text(1), QStringLiteral("a") + QString(13, QChar(u'品')));
    EXPECT_EQ(record.data()[ItemRecord::textOffset(1) + 27], ' ');

    record.setQty(1, 1, QStringLiteral("12345678"));
    EXPECT_EQ(record.qty(1, 1), QStringLiteral("1234567"));
    EXPECT_EQ(record.qty(2, 1), QString());
}
