// The filter on the ledger screen: opening, the condition table, the scans, the result's pages
// and leaving it again.
#include "ledger_items_helper.h"
#include "ledger_screen_fixture.h"

#include "ledger/filter_panel.h"
#include "ledger/ledger_list_panel.h"
#include "ledger/number_format.h"
#include "ledger/panel_positions.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ledger_items;

namespace {

class FilterScreenTest : public LedgerScreenTest {
protected:
    // `bolts` items named "ボルトn" among items named "ナットn", alternating while both last.
    void writeBoltsAndNuts(int bolts, int nuts)
    {
        QList<TestItem> items;
        for (int k = 1; k <= std::max(bolts, nuts); ++k) {
            if (k <= bolts)
                items.append({u"B%1"_s.arg(k), u"ボルト%1"_s.arg(k), k % 2 ? u"M8"_s : u"M10"_s, u"丸和"_s});
            if (k <= nuts)
                items.append({u"N%1"_s.arg(k), u"ナット%1"_s.arg(k), u"M8"_s, u"三和"_s});
        }
        WriteItems(client.ledgerPath(), items);
    }
    // Selects a list cell and opens the filter from it.
    void openFilterAt(int row, int col)
    {
        list()->setCurrentCell(row, col);
        click("filterButton");
    }
    void click(const char* name) { control<QPushButton>(name)->click(); }
    void clickList(int row, int col) { emit list()->clicked(row, col); }
    FlexGrid* conditions() { return control<FlexGrid>("MSFlexGrid4"); }
    QStringList conditionRow(int row)
    {
        return {conditions()->textMatrix(row, 0), conditions()->textMatrix(row, 1), conditions()->textMatrix(row, 2)};
    }
    void setCondition(int row, int column, const QString& word)
    {
        conditions()->setTextMatrix(row, 0, column ? QString::number(column) : QString());
        conditions()->setTextMatrix(row, 1, column ? list()->textMatrix(0, column) : QString());
        conditions()->setTextMatrix(row, 2, word);
    }
    bool shown(const char* name) { return !control<QWidget>(name)->isHidden(); }
    QStringList messages() const { return client.dialogs.texts(); }
};

TEST_F(FilterScreenTest, OpeningExplainsChecksTheCellAndShowsTheFilterControls)
{
    writeBoltsAndNuts(2, 2);
    openLedger();
    openFilterAt(1, 6); // the unit price cannot be filtered
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages()[0].startsWith(u"　絞り込み　在庫品リストから対象品を抽出\r　絞り込み対象項目は1項目から3項目設定可能\r"_s));
    EXPECT_TRUE(messages()[0].endsWith(u"\r　検索項目の名称は手入力でも可能で、語句中文字検索もできます。"_s));
    EXPECT_EQ(messages()[1], u"  絞り込み枠ではありません。　"_s);
    EXPECT_FALSE(shown("Picture6"));

    client.dialogs.clear();
    openFilterAt(3, 2);
    EXPECT_EQ(messages().size(), 1);
    EXPECT_TRUE(shown("Picture6"));
    auto* badge = control<QPushButton>("statusBadge");
    EXPECT_TRUE(shown("statusBadge"));
    EXPECT_EQ(badge->text(), u"絞込中"_s);
    EXPECT_EQ(badge->palette().color(QPalette::Button), QColor(245, 222, 179));
    EXPECT_TRUE(shown("filterStartButton"));
    EXPECT_TRUE(shown("filterClearButton"));
    for (const char* hidden : {"filterButton", "sortButton", "deleteButton", "ledgerExcelButton", "Picture20", "Picture12"})
        EXPECT_FALSE(shown(hidden)) << hidden;
    EXPECT_EQ(conditionRow(0), (QStringList{u"2"_s, u"品　名"_s, u"ナット1"_s}));
    EXPECT_EQ(control<FilterPanel>("Picture6")->currentRow(), 1);
}

TEST_F(FilterScreenTest, ListClicksFillTheRowsInTurnAndTheWordEditorStoresTrimmedWords)
{
    writeBoltsAndNuts(2, 2);
    openLedger();
    openFilterAt(1, 2);
    clickList(3, 3);  // row 2
    clickList(1, 1);  // row 3
    clickList(3, 8);  // row 1 again
    EXPECT_EQ(conditionRow(0), (QStringList{u"8"_s, u"単位"_s, QString()}));
    EXPECT_EQ(conditionRow(1), (QStringList{u"3"_s, list()->textMatrix(0, 3), u"M8"_s}));
    EXPECT_EQ(conditionRow(2), (QStringList{u"1"_s, u"在庫品No"_s, u"B1"_s}));
    clickList(1, 7);
    EXPECT_EQ(messages().last(), u"絞り込み位置が枠外です。　　　　"_s);
    EXPECT_EQ(client.dialogs.shown().last().title, u"在庫品リスト"_s);

    auto* editor = control<QLineEdit>("filterWordEditor");
    click("clearConditionButton"); // current row is row 2 now
    EXPECT_EQ(conditionRow(1), (QStringList{QString(), QString(), QString()}));
    emit conditions()->clicked(1, 2);
    EXPECT_TRUE(shown("filterWordEditor"));
    editor->setText(u"ボルト"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(messages().last(), u"検索列枠が設定されていません。　"_s);
    EXPECT_TRUE(shown("filterWordEditor"));

    emit conditions()->clicked(0, 2);
    EXPECT_EQ(editor->text(), QString());
    editor->setText(u"  個 入 "_s);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(shown("filterWordEditor"));
    EXPECT_EQ(conditions()->textMatrix(0, 2), u"個 入"_s);
    EXPECT_EQ(control<FilterPanel>("Picture6")->currentRow(), 1);
    emit conditions()->clicked(0, 2);
    click("clearWordButton");
    EXPECT_EQ(conditionRow(0), (QStringList{u"8"_s, u"単位"_s, QString()}));
    EXPECT_FALSE(shown("filterWordEditor"));
}

TEST_F(FilterScreenTest, TwelveHitsOfferNoRefilterThirteenOfferItOnce)
{
    for (const int bolts : {12, 13}) {
        writeBoltsAndNuts(bolts, 3);
        openLedger();
        openFilterAt(1, 2);
        setCondition(0, 2, u"ボルト"_s);
        click("filterStartButton");
        EXPECT_EQ(labelText("countLabel"), u"総数 %1"_s.arg(bolts));
        EXPECT_EQ(labelText("pageLabel"), u" P 1"_s);
        EXPECT_EQ(list()->textMatrix(1, 1), u"B1"_s);
        EXPECT_EQ(list()->textMatrix(23, 1), u"B12"_s);
        EXPECT_EQ(shown("refilterButton"), bolts == 13) << bolts;
        EXPECT_FALSE(shown("filterStartButton"));
        EXPECT_TRUE(shown("Picture17")); // the page buttons of the result
        EXPECT_FALSE(shown("Picture4"));
    }
    // The result of 13: "再絞込" first in the bar, "絞込解除" after it; then page 2 of the hits.
    EXPECT_LT(control("refilterButton")->x(), control("filterClearButton")->x());
    EXPECT_LT(control("filterClearButton")->x(), control("filterExcelButton")->x());
    click("hitPageNextButton");
    EXPECT_EQ(list()->textMatrix(1, 1), u"B13"_s);
    EXPECT_EQ(list()->textMatrix(3, 1), QString());

    setCondition(1, 3, u"M8"_s);
    click("refilterButton");
    EXPECT_EQ(labelText("countLabel"), u"総数 7"_s);
    EXPECT_EQ(labelText("pageLabel"), u" P 1"_s);
    EXPECT_EQ(list()->textMatrix(3, 1), u"B3"_s);
    EXPECT_FALSE(shown("refilterButton"));
    EXPECT_EQ(control<QLabel>("maxPageLabel")->text(), u"Max P1"_s);
    EXPECT_TRUE(shown("maxPageLabel"));
}

TEST_F(FilterScreenTest, EmptyResultsShowTheWordsAndAFailedRefilterEmptiesTheResult)
{
    writeBoltsAndNuts(14, 1);
    openLedger();
    openFilterAt(1, 2);
    // Rows 3 and 1 set, row 2 empty: moved up in column order before the scan.
    setCondition(0, 4, u"丸和"_s);
    setCondition(1, 0, QString());
    setCondition(2, 2, u"ボルト"_s);
    click("filterStartButton");
    EXPECT_EQ(conditionRow(0), (QStringList{u"2"_s, u"品　名"_s, u"ボルト"_s}));
    EXPECT_EQ(conditionRow(1)[2], u"丸和"_s);
    EXPECT_EQ(conditionRow(2), (QStringList{QString(), QString(), QString()}));
    EXPECT_EQ(labelText("countLabel"), u"総数 14"_s);

    setCondition(0, 2, u"ボルト1"_s);
    setCondition(1, 4, u"三和"_s);
    client.dialogs.clear();
    click("refilterButton");
    EXPECT_EQ(messages(), QStringList{u"ボルト1　三和　　\r　のデータ再絞り込みで対象データが見つかりません。"_s});
    EXPECT_EQ(client.dialogs.shown().last().title, u"在庫品台帳確認"_s);
    EXPECT_TRUE(shown("Picture6"));
    EXPECT_FALSE(shown("refilterButton"));
    EXPECT_TRUE(qobject_cast<LedgerScreen*>(host.current())->view().HitList.isEmpty());
    click("hitPageNextButton");
    EXPECT_EQ(list()->textMatrix(1, 1), QString());

    // A word-less row that sorts first finds nothing.
    openLedger();
    openFilterAt(1, 2);
    setCondition(0, 3, u"M8"_s);
    setCondition(1, 2, QString());
    client.dialogs.clear();
    click("filterStartButton");
    EXPECT_EQ(messages(), QStringList{u"　M8　　\r　のデータ絞込みで対象データが見つかりません。"_s});
    EXPECT_TRUE(shown("filterStartButton"));

    // No complete condition at all.
    setCondition(0, 0, QString());
    setCondition(1, 0, QString());
    client.dialogs.clear();
    click("filterStartButton");
    EXPECT_EQ(messages(), QStringList{u"絞込の条件が設定されてません。　"_s});
}

TEST_F(FilterScreenTest, LeavingTheFilterShowsTheWholeLedgerAgain)
{
    writeBoltsAndNuts(13, 13);
    openLedger();
    for (const char* leave : {"filterClearButton", "filterPanelCloseButton"}) {
        openFilterAt(1, 2);
        setCondition(0, 2, u"ナット"_s);
        click("filterStartButton");
        ASSERT_EQ(labelText("countLabel"), u"総数 13"_s);
        click(leave);
        EXPECT_EQ(labelText("countLabel"), u"総数 26"_s) << leave;
        EXPECT_EQ(labelText("pageLabel"), u" P 1"_s);
        EXPECT_EQ(list()->textMatrix(1, 1), u"B1"_s);
        for (const char* hidden : {"Picture6", "statusBadge", "filterStartButton", "filterClearButton", "refilterButton",
                                   "Picture17", "maxPageLabel"})
            EXPECT_FALSE(shown(hidden)) << leave << " " << hidden;
        for (const char* visible : {"filterButton", "sortButton", "deleteButton", "ledgerExcelButton", "Picture4"})
            EXPECT_TRUE(shown(visible)) << leave << " " << visible;
        EXPECT_FALSE(qobject_cast<LedgerScreen*>(host.current())->view().filterMode);
        // A list click no longer fills a condition.
        clickList(1, 7);
        EXPECT_NE(messages().last(), u"絞り込み位置が枠外です。　　　　"_s);
    }
}

} // namespace

namespace {

TEST_F(FilterScreenTest, RecalculatingBeforeTheFirstHitsShowsNoItemsNotTheLastFilter)
{
    writeBoltsAndNuts(2, 3);  // each item is worth 100
    openLedger();
    openFilterAt(1, 2);
    setCondition(0, 2, u"ナット"_s);
    click("filterStartButton");
    click("recalculateButton");
    EXPECT_EQ(labelText("stockValueLabel"), u"300"_s);
    click("filterClearButton");

    openFilterAt(1, 2);  // a new filter, not started yet
    click("recalculateButton");
    EXPECT_EQ(labelText("stockValueLabel"), FormatNumber(0.0, NumberPattern::TotalValue));
}

// Switching the help buttons off leaves the result's "Excel出力" where it was.
TEST_F(FilterScreenTest, TheResultsWorkbookStaysWithTheHelpButtonsSwitchedOff)
{
    writeSettings({{ClientLine::HideExplanations, On}}, {});
    writeBoltsAndNuts(2, 3);
    openLedger();
    openFilterAt(1, 2);
    setCondition(0, 2, u"ナット"_s);
    click("filterStartButton");
    EXPECT_TRUE(shown("filterExcelButton"));
    EXPECT_FALSE(shown("calculationExplainButton"));
}

} // namespace
