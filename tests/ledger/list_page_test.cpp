#include "ledger/column_captions.h"
#include "ledger/ledger_colours.h"
#include "ledger/list_page.h"
#include "storage/item_record.h"
#include "support/temp_client_support.h"

#include <gtest/gtest.h>

namespace {

QString u(const char16_t* text)
{
    return QString::fromUtf16(text);
}

TEST(ListPageTest, CaptionsComeFromTheSharedSettingsAndFixedTexts)
{
    TempClient client;
    AppState& state = client.state;
    const char16_t* names[] = {u"在庫品No", u"品　名", u"仕　様", u"メーカー名", u"保管場所", u"単位"};
    for (int k = 0; k < 6; ++k)
        state.SharedSettings[SharedLine::FirstCaption + k] = u(names[k]);
    state.SharedSettings[SharedLine::StartMonth] = QStringLiteral("2026/04");
    state.ColumnCaptions[40] = QStringLiteral("stale");
    RebuildColumnCaptions(state);

    const auto& c = state.ColumnCaptions;
    EXPECT_EQ(c[0], QString());
    EXPECT_EQ(c[1], QStringLiteral(" No"));
    EXPECT_EQ(c[3], u(u"品　名"));
    EXPECT_EQ(c[6], u(u"保管場所"));
    EXPECT_EQ(c[7], u(u"単　価　 "));
    EXPECT_EQ(c[9], u(u"単位"));
    EXPECT_EQ(c[17], u(u"達成率（％）"));
    EXPECT_EQ(c[18], u(u"使用開始"));
    EXPECT_EQ(c[40], QString());
    EXPECT_EQ(state.DefaultColumnWidths,
              (std::array<int, 23>{8, 14, 20, 20, 20, 16, 10, 10, 8, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10}));

    for (const bool startOfUse : {false, true}) {
        const ListRow row = ListCaptionRow(state, startOfUse);
        EXPECT_EQ(row[0], QStringLiteral(" No"));
        EXPECT_EQ(row[1], u(u"在庫品No"));
        EXPECT_EQ(row[6], u(u"単　価　 "));
        EXPECT_EQ(row[12], u(u"入出庫計 "));
        EXPECT_EQ(row[13], u(u"入出庫"));
        EXPECT_EQ(row[14], u(u"2026/04月"));
        EXPECT_EQ(row[25], u(u"2027/03月"));
        EXPECT_EQ(row[26], u(u"予定数量"));
        EXPECT_EQ(row[27], u(u"達成率(%)"));
        EXPECT_EQ(row[28], startOfUse ? u(u"使用開始年") : QString());
    }
}

TEST(ListPageTest, MonthHeadingsRunFromTheStartMonth)
{
    const struct {
        const char* start;
        const char16_t* first;
        const char16_t* tenth;
        const char16_t* last;
    } cases[] = {
        {"2026/04", u"2026/04月", u"2027/01月", u"2027/03月"},
        {"2026/01", u"2026/01月", u"2026/10月", u"2026/12月"},
        {"2025/12", u"2025/12月", u"2026/09月", u"2026/11月"},
        {"", u"0/00月", u"0/09月", u"0/11月"},
        {"abcd/ef", u"0/00月", u"0/09月", u"0/11月"},
    };
    for (const auto& c : cases) {
        const auto headings = MonthHeadings(QString::fromLatin1(c.start));
        EXPECT_EQ(headings[0], u(c.first)) << c.start;
        EXPECT_EQ(headings[9], u(c.tenth)) << c.start;
        EXPECT_EQ(headings[11], u(c.last)) << c.start;
    }
}

TEST(ListPageTest, StartOfUseChoicesCoverElevenYearsBackAndOneAhead)
{
    const QStringList choices = StartOfUseChoices(2026);
    ASSERT_EQ(choices.size(), 144);
    EXPECT_EQ(choices.first(), QStringLiteral("2016/01"));
    EXPECT_EQ(choices[9], QStringLiteral("2016/10"));
    EXPECT_EQ(choices.last(), QStringLiteral("2027/12"));
}

TEST(ListPageTest, StockCellColourAgainstTheProperStock)
{
    const struct {
        const char* stock;
        const char* proper;
        quint32 colour;
    } cases[] = {
        {"", "10", LedgerColour::WindowBackground},
        {"   ", "10", LedgerColour::WindowBackground},
        {"0", "10", LedgerColour::ZeroStock},
        {" 0", "0", LedgerColour::ZeroStock},
        {"-2", "-5", LedgerColour::ZeroStock},
        {"-1", "0", LedgerColour::BelowProper},     // -1 is compared like any value
        {"-1", "-3", LedgerColour::WindowBackground},
        {"10", "10", LedgerColour::WindowBackground},
        {"9", "10", LedgerColour::BelowProper},
        {"9.5", "", LedgerColour::WindowBackground},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StockCellColour(QString::fromLatin1(c.stock), QString::fromLatin1(c.proper)), c.colour)
            << c.stock << " / " << c.proper;
}

ItemRecord sampleItem()
{
    ItemRecord record;
    record.setText(ItemField::Number, QStringLiteral("P-100"));
    record.setText(ItemField::Name, u(u"ベアリング"));
    record.setText(ItemField::UnitPrice, QStringLiteral("1200"));
    record.setText(ItemField::StockValue, QStringLiteral(" 6000"));
    record.setText(ItemField::Unit, u(u"個"));
    record.setText(ItemField::PreviousStock, QStringLiteral("3"));
    record.setText(ItemField::ProperStock, QStringLiteral("10"));
    record.setText(ItemField::Stock, QStringLiteral(" 0"));
    record.setText(ItemField::StartOfUse, QStringLiteral("2024/05"));
    record.setQty(QtyRow::Received, 1, QStringLiteral("5"));
    record.setQty(QtyRow::Received, QtyColumn::Total, QStringLiteral(" 5"));
    record.setQty(QtyRow::Issued, 12, QStringLiteral("8"));
    record.setQty(QtyRow::Issued, QtyColumn::Total, QStringLiteral(" 8"));
    record.setQty(QtyRow::Received, QtyColumn::Planned, QStringLiteral("4"));
    record.setQty(QtyRow::Received, QtyColumn::Rate, QStringLiteral("1250"));
    record.setQty(QtyRow::Issued, QtyColumn::Rate, QStringLiteral("5"));
    return record;
}

TEST(ListPageTest, ItemRowsHoldTheFieldsInTheirFormats)
{
    for (const bool decimals : {false, true}) {
        const ListItemRows rows = ItemRowsOf(sampleItem(), 17, ListOptions{decimals, false});
        const ListRow& r = rows.received;
        const ListRow& i = rows.issued;
        SCOPED_TRACE(decimals);
        EXPECT_EQ(r[0], QStringLiteral("17"));
        EXPECT_EQ(r[1], QStringLiteral("P-100"));
        EXPECT_EQ(r[2], u(u"ベアリング"));
        EXPECT_EQ(r[3], QString());
        EXPECT_EQ(r[6], QStringLiteral("1,200"));
        EXPECT_EQ(r[7], QStringLiteral("6,000"));
        EXPECT_EQ(r[8], u(u"個"));
        EXPECT_EQ(r[9], decimals ? QStringLiteral("3.0") : QStringLiteral("3"));
        EXPECT_EQ(r[11], QStringLiteral("0"));
        EXPECT_EQ(rows.stockColour, LedgerColour::ZeroStock);
        EXPECT_EQ(r[12], decimals ? QStringLiteral("5.0") : QStringLiteral("5"));
        EXPECT_EQ(r[13], u(u"入庫"));
        EXPECT_EQ(r[14], decimals ? QStringLiteral("5.0") : QStringLiteral("5"));
        EXPECT_EQ(r[15], QString());
        EXPECT_EQ(r[26], decimals ? QStringLiteral("4.0") : QStringLiteral("4"));
        EXPECT_EQ(r[27], QStringLiteral("125.0"));
        EXPECT_EQ(r[28], QString());  // the start-of-use option is off
        EXPECT_EQ(i[0], QString());
        EXPECT_EQ(i[1], QString());
        EXPECT_EQ(i[11], QString());
        EXPECT_EQ(i[12], decimals ? QStringLiteral("8.0") : QStringLiteral("8"));
        EXPECT_EQ(i[13], u(u"出庫"));
        EXPECT_EQ(i[25], decimals ? QStringLiteral("8.0") : QStringLiteral("8"));
        EXPECT_EQ(i[27], QStringLiteral(".5"));
    }
    EXPECT_EQ(ItemRowsOf(sampleItem(), 1, ListOptions{false, true}).received[28], QStringLiteral("2024/05"));
}

TEST(ListPageTest, StockTextAndColourFollowTheStoredStock)
{
    const struct {
        const char* stock;
        bool decimals;
        const char* text;
        quint32 colour;
    } cases[] = {
        {"0", true, "0", LedgerColour::ZeroStock},
        {"", false, "", LedgerColour::WindowBackground},
        {"-1", false, "-1", LedgerColour::BelowProper},
        {"-2", false, "-2", LedgerColour::ZeroStock},
        {"10", true, "10.0", LedgerColour::WindowBackground},
        {"7", false, "7", LedgerColour::BelowProper},
    };
    for (const auto& c : cases) {
        ItemRecord record = sampleItem();
        record.setText(ItemField::Stock, QString::fromLatin1(c.stock));
        const ListItemRows rows = ItemRowsOf(record, 1, ListOptions{c.decimals, false});
        EXPECT_EQ(rows.received[StockColumn], QString::fromLatin1(c.text)) << c.stock;
        EXPECT_EQ(rows.stockColour, c.colour) << c.stock;
    }
}

} // namespace
