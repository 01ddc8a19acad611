#pragma once
// One record of the item ledger "Ma在庫品.dat": 926 bytes of cp932 text fields padded with
// spaces. text[0..20] are 28 bytes each (bytes 0..587); qty[r][c] (r 0..2, c 0..15) are 7 bytes
// each, stored column by column from byte 588; bytes 924..925 are CR LF.
#include <QByteArray>
#include <QString>
#include <array>

class ItemRecord {
public:
    static constexpr int Length = 926;
    static constexpr int TextCount = 21;
    static constexpr int TextWidth = 28;
    static constexpr int QtyRows = 3;
    static constexpr int QtyColumns = 16;
    static constexpr int QtyWidth = 7;
    static constexpr int QtyStart = TextCount * TextWidth; // 588
    static constexpr int EndStart = Length - 2;             // 924

    static constexpr int textOffset(int i) { return i * TextWidth; }
    static constexpr int qtyOffset(int r, int c) { return QtyStart + QtyWidth * (r + QtyRows * c); }

    // A blank record: every field spaces, CR LF at the end.
    ItemRecord();

    // FieldText of a field.
    QString text(int i) const;
    QString qty(int r, int c) const;
    // Numeric reading of a field (empty or non-numeric = 0).
    double textNumber(int i) const;
    double qtyNumber(int r, int c) const;

    // Stores a value, cut at a character boundary to the field width and padded with spaces.
    void setText(int i, const QString& value);
    void setQty(int r, int c, const QString& value);

    void clear();
    void setRecordEnd();

    const char* data() const { return m_bytes.data(); }
    char* data() { return m_bytes.data(); }
    QByteArray bytes() const { return QByteArray(m_bytes.data(), Length); }
    void assignBytes(const char* data) { std::copy(data, data + Length, m_bytes.begin()); }

    bool operator==(const ItemRecord& other) const = default;

private:
    void setField(int offset, int width, const QString& value);
    std::array<char, Length> m_bytes;
};

// Names of the text fields the program gives a meaning to.
namespace ItemField {
enum : int {
    Number = 0,        // item number, the key of an item
    Name = 1,
    Shiyo = 2,         // 仕様
    Maker = 3,
    Place = 4,
    UnitPrice = 5,
    StockValue = 6,
    Unit = 7,
    PreviousStock = 8,
    ProperStock = 9,
    Stock = 10,
    StartOfUse = 11,
};
}

// Rows and columns of the quantity fields.
namespace QtyRow {
enum : int { Received = 1, Issued = 2 };
}
namespace QtyColumn {
enum : int { FirstMonth = 1, LastMonth = 12, Total = 13, Planned = 14, Rate = 15 };
}
