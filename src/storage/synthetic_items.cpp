#include "storage/synthetic_items.h"

#include "storage/app_state.h"
#include "storage/field_text.h"
#include "storage/item_record.h"
#include "storage/ledger_file.h"

#include <QFile>
#include <cmath>

namespace {

// Word lists; every entry fits its 28-byte field in cp932.
const char16_t* const Names[] = {
    u"六角ボルト", u"ナット", u"平ワッシャー", u"ベアリング", u"Ｖベルト", u"オイルシール",
    u"Ｏリング", u"ギヤードモーター", u"電磁弁", u"リレー", u"ヒューズ", u"配線用遮断器",
    u"近接スイッチ", u"エアフィルター", u"潤滑油", u"グリス", u"チェーン", u"スプロケット",
    u"カップリング", u"パッキン", u"ホース", u"継手", u"ボールバルブ", u"圧力計",
};
const char16_t* const Specifications[] = {
    u"M8×30", u"M10×50", u"M12", u"6204ZZ", u"6305DDU", u"A-42", u"B-60", u"φ25×40×7",
    u"P-20", u"0.4kW 1/30", u"AC100V", u"24V 10A", u"3P 50A", u"NPN 検出距離8mm",
    u"ISO VG68", u"#2 400g", u"RS50 100L", u"50B18", u"内径19mm", u"Rc1/2", u"0～1MPa",
};
const char16_t* const Makers[] = {
    u"東洋精機", u"日本ベアリング", u"三和電機", u"大和工業", u"北斗産業", u"中央製作所",
    u"関西油化", u"富士バルブ", u"山本商会", u"光陽電子",
};
const char16_t* const Places[] = {
    u"第一倉庫", u"第二倉庫", u"部品棚", u"電気室", u"油庫", u"工具室", u"保全事務所",
};
const char16_t* const Units[] = {u"個", u"本", u"台", u"箱", u"枚", u"缶", u"セット", u"m", u"kg"};

QString stored(double value)
{
    return StoredNumberText(value);
}

} // namespace

int SyntheticItems::uniform(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(m_random);
}

QString SyntheticItems::uniqueNumber(int recordNo)
{
    const QString base = QStringLiteral("G%1").arg(recordNo, 6, 10, QChar(u'0'));
    QString number = base;
    for (int k = 1; m_taken.contains(number); ++k)
        number = base + u'-' + QString::number(k);
    m_taken.insert(number);
    return number;
}

void SyntheticItems::fill(int recordNo, ItemRecord& record)
{
    record.setText(ItemField::Number, uniqueNumber(recordNo));
    record.setText(ItemField::Name, QString::fromUtf16(pick(Names)));
    record.setText(ItemField::Shiyo, QString::fromUtf16(pick(Specifications)));
    record.setText(ItemField::Maker, QString::fromUtf16(pick(Makers)));
    record.setText(ItemField::Place,
                   QString::fromUtf16(pick(Places)) + QStringLiteral(" %1-%2").arg(uniform(1, 20)).arg(uniform(1, 5)));
    record.setText(ItemField::Unit, QString::fromUtf16(pick(Units)));

    // Prices spread over several orders of magnitude; some end in a half yen.
    const int magnitude = uniform(1, 4);
    double price = uniform(1, 9) * std::pow(10.0, magnitude) + uniform(0, 9) * std::pow(10.0, magnitude - 1);
    if (chance(10))
        price += 0.5;
    record.setText(ItemField::UnitPrice, stored(price));

    const int previous = chance(15) ? 0 : uniform(0, 300);
    record.setText(ItemField::PreviousStock, stored(previous));
    record.setText(ItemField::ProperStock, stored(5 * uniform(0, 20)));

    // Month by month the stock stays at zero or above: an issue never exceeds what is there.
    int stock = previous;
    int received = 0;
    int issued = 0;
    for (int month = QtyColumn::FirstMonth; month <= QtyColumn::LastMonth; ++month) {
        const int in = chance(60) ? uniform(1, 40) : 0;
        stock += in;
        const int out = (stock > 0 && chance(70)) ? uniform(0, stock) : 0;
        stock -= out;
        received += in;
        issued += out;
        // A month without movement stays empty, as the entry pad leaves it.
        if (in != 0)
            record.setQty(QtyRow::Received, month, stored(in));
        if (out != 0)
            record.setQty(QtyRow::Issued, month, stored(out));
    }
    record.setQty(QtyRow::Received, QtyColumn::Total, stored(received));
    record.setQty(QtyRow::Issued, QtyColumn::Total, stored(issued));
    record.setText(ItemField::Stock, stored(stock));
    const double value = price * stock;
    record.setText(ItemField::StockValue, stored(value < 1 ? 0 : value));

    // Planned quantities near the totals; the rate is total ÷ planned in tenths of a percent.
    const int totals[] = {0, received, issued};
    for (int row : {int(QtyRow::Received), int(QtyRow::Issued)}) {
        const int total = totals[row];
        if (total == 0 || !chance(70))
            continue;
        const int planned = std::max(1, total * uniform(80, 150) / 100);
        record.setQty(row, QtyColumn::Planned, stored(planned));
        record.setQty(row, QtyColumn::Rate, stored(std::floor(total * 1000.0 / planned)));
    }

    if (chance(50))
        record.setText(ItemField::StartOfUse,
                       QStringLiteral("%1/%2").arg(uniform(2010, 2023)).arg(uniform(1, 12), 2, 10, QChar(u'0')));
}

QSet<QString> LedgerItemNumbers(const QString& ledgerPath)
{
    QSet<QString> numbers;
    QFile file(ledgerPath);
    if (!file.open(QIODevice::ReadOnly))
        return numbers;
    constexpr qint64 BlockBytes = qint64(4096) * ItemRecord::Length;
    while (true) {
        const QByteArray block = file.read(BlockBytes);
        for (qint64 offset = 0; offset + ItemRecord::TextWidth <= block.size(); offset += ItemRecord::Length)
            numbers.insert(FieldText(block.constData() + offset + ItemRecord::textOffset(ItemField::Number),
                                     ItemRecord::TextWidth));
        if (block.size() < BlockBytes)
            break;
    }
    return numbers;
}

AppendResult AppendSyntheticItems(AppState& state, int count, std::uint32_t seed)
{
    SyntheticItems items(seed);
    bool numbersRead = false;
    return AppendRecords(state, count, [&](int recordNo, ItemRecord& record) {
        // Read under the append lock, so that no other client adds a number in between.
        if (!numbersRead) {
            items.reserveNumbers(LedgerItemNumbers(LedgerPath(state)));
            numbersRead = true;
        }
        items.fill(recordNo, record);
    });
}
