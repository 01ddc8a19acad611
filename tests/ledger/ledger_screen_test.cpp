// Opening the ledger screen, the options that change it, its explanation boxes and the way
// back to the menu.
#include "ledger_screen_fixture.h"

#include "ledger/colour_label_widget.h"
#include "menu/menu_screen.h"
#include "ui/switch_label.h"

#include <QComboBox>
#include <QDate>
#include <QPushButton>
#include <QTest>

namespace {

TEST_F(LedgerScreenTest, EmptyLedgerShowsCaptionsOnly)
{
    state().EditPending = true;
    LedgerScreen* screen = openLedger();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), QStringLiteral("Form11"));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("TEV在庫管理　登録・訂正 "));
    EXPECT_FALSE(state().EditPending);

    FlexGrid* grid = list();
    ASSERT_EQ(grid->rows(), 25);
    ASSERT_EQ(grid->cols(), 29);
    EXPECT_EQ(grid->textMatrix(0, 0), QStringLiteral(" No"));
    EXPECT_EQ(grid->textMatrix(0, 1), QStringLiteral("在庫品No"));
    EXPECT_EQ(grid->textMatrix(0, 2), QStringLiteral("品　名"));
    EXPECT_EQ(grid->textMatrix(0, 8), QStringLiteral("単位"));
    EXPECT_EQ(grid->textMatrix(0, 14), QStringLiteral("2026/04月"));
    EXPECT_EQ(grid->textMatrix(0, 25), QStringLiteral("2027/03月"));
    EXPECT_EQ(grid->textMatrix(0, 27), QStringLiteral("達成率(%)"));
    for (int row = 1; row < 25; ++row)
        for (int col = 0; col < 29; ++col)
            ASSERT_TRUE(grid->textMatrix(row, col).isEmpty()) << row << "," << col;
    EXPECT_EQ(labelText("countLabel"), QStringLiteral("総数 0"));
    EXPECT_EQ(labelText("pageLabel"), QString());
    EXPECT_EQ(labelText("startMonthLabel"), QStringLiteral("2026/04"));
    EXPECT_EQ(state().CurrentRecordNo, 0);
    EXPECT_TRUE(client.dialogs.shown().isEmpty());

    for (const char* hidden : {"Picture20", "Picture21", "Picture17", "Picture27", "Picture6", "Picture8", "Picture12",
                               "Picture24", "Picture5", "Picture1", "statusBadge", "textEntryBox"})
        EXPECT_TRUE(control(hidden)->isHidden()) << hidden;
    for (const char* shown : {"Picture7", "Picture3", "Picture4", "sortButton", "deleteButton", "exitButton"})
        EXPECT_FALSE(control(shown)->isHidden()) << shown;
    EXPECT_EQ(control("Picture7")->pos(), pixels(120, 680));
    EXPECT_EQ(control("Picture20")->pos(), pixels(1200, 4200));
    EXPECT_EQ(control("Picture6")->pos(), pixels(12000, 1640));
    EXPECT_EQ(grid->pos(), pixels(120, 600));
    EXPECT_EQ(grid->size(), QSize(twipsToPixels(18200), twipsToPixels(8240)));
}

TEST_F(LedgerScreenTest, GridsHaveTheirColumnsWidthsAlignmentsAndColours)
{
    openLedger();
    FlexGrid* grid = list();
    const struct {
        int col;
        int width;
        Qt::Alignment alignment;
    } listColumns[] = {{0, 800, Qt::AlignLeft}, {1, 2000, Qt::AlignLeft}, {5, 1800, Qt::AlignLeft},
                       {6, 1000, Qt::AlignRight}, {8, 800, Qt::AlignHCenter}, {13, 800, Qt::AlignHCenter},
                       {14, 1000, Qt::AlignRight}, {27, 1000, Qt::AlignRight}};
    for (const auto& c : listColumns) {
        EXPECT_EQ(grid->colWidthTwips(c.col), c.width) << c.col;
        EXPECT_TRUE(grid->colAlignment(c.col) & c.alignment) << c.col;
    }
    EXPECT_EQ(grid->rowHeightTwips(24), 320);
    EXPECT_EQ(cellColour(grid, 0, 27), LedgerColour::CaptionBlue);
    EXPECT_EQ(cellColour(grid, 2, 0), LedgerColour::CaptionBlue);
    EXPECT_EQ(cellColour(grid, 24, 14), LedgerColour::CaptionBlue);
    EXPECT_EQ(cellColour(grid, 3, 14), LedgerColour::WindowBackground);
    EXPECT_NE(cellColour(grid, 2, 28), LedgerColour::CaptionBlue);  // no start-of-use column

    auto* item = control<FlexGrid>("MSFlexGrid1");
    ASSERT_EQ(item->cols(), 11);
    EXPECT_EQ(item->textMatrix(0, 0), QStringLiteral("品　名"));
    EXPECT_EQ(item->textMatrix(0, 4), QStringLiteral("単　価　 "));
    EXPECT_EQ(item->textMatrix(0, 10), QStringLiteral("使用開始"));
    EXPECT_EQ(item->colWidthTwips(9), 900);  // the stock stays in view
    EXPECT_EQ(item->colWidthTwips(10), 0);
    EXPECT_EQ(cellColour(item, 0, 10), LedgerColour::CaptionBlue);

    auto* months = control<FlexGrid>("MSFlexGrid2");
    ASSERT_EQ(months->rows(), 3);
    ASSERT_EQ(months->cols(), 16);
    EXPECT_EQ(months->fixedCols(), 1);
    EXPECT_EQ(months->textMatrix(2, 0), QStringLiteral(" 出庫"));
    EXPECT_EQ(months->textMatrix(0, 1), QStringLiteral("2026/04月"));
    EXPECT_EQ(months->textMatrix(0, 12), QStringLiteral("2027/03月"));
    EXPECT_EQ(months->textMatrix(0, 15), QStringLiteral("達成率％"));
    EXPECT_EQ(months->colWidthTwips(13), 1050);
    EXPECT_EQ(cellColour(months, 1, 13), LedgerColour::TotalBlush);
    EXPECT_EQ(cellColour(months, 2, 0), LedgerColour::CaptionBlue);

    auto* sortList = control<FlexGrid>("MSFlexGrid3");
    EXPECT_EQ(sortList->cols(), 7);
    EXPECT_EQ(sortList->textMatrix(0, 1), QStringLiteral(" No"));
    EXPECT_EQ(sortList->textMatrix(0, 2), QStringLiteral("在庫品No"));
    auto* conditions = control<FlexGrid>("MSFlexGrid4");
    EXPECT_EQ(conditions->rows(), 3);
    EXPECT_EQ(conditions->colWidthTwips(2), 3200);

    auto* years = control<QComboBox>("Combo1");
    ASSERT_EQ(years->count(), 144);
    EXPECT_EQ(years->itemText(0), QString::number(QDate::currentDate().year() - 10) + QStringLiteral("/01"));
}

// What each option changes; every row starts from all options off.
struct OptionCase {
    const char* name;
    Lines client;
    Lines shared;
    bool startOfUseColumn = false;
    bool calculationExplain = true;
    bool sortAndDelete = true;
    bool monthlyButton = false;
    bool backupMark = false;
    bool compact = false;
};

TEST_F(LedgerScreenTest, OptionsChangeTheScreen)
{
    const OptionCase cases[] = {
        {"all off", {}, {}},
        {"start of use", {}, {{SharedLine::StartOfUse, On}}, true},
        {"monthly import", {}, {{SharedLine::MonthlyImport, On}}, false, true, true, true},
        {"hide explanations (14)", {{ClientLine::HideExplanations, On}}, {}, false, false},
        {"backup (18)", {{ClientLine::Backup, On}}, {}, false, true, true, false, true},
        {"view only (19)", {{ClientLine::ViewOnly, On}}, {{SharedLine::MonthlyImport, On}}, false, true, false, false},
        {"compact buttons (38)", {{ClientLine::CompactLedgerButtons, On}}, {}, false, true, true, false, false, true},
    };
    for (const OptionCase& c : cases) {
        SCOPED_TRACE(c.name);
        writeSettings(c.client, c.shared);
        openLedger();
        FlexGrid* grid = list();
        EXPECT_EQ(grid->textMatrix(0, 28), c.startOfUseColumn ? QStringLiteral("使用開始年") : QString());
        if (c.startOfUseColumn) {
            EXPECT_EQ(grid->colWidthTwips(28), 1100);
            EXPECT_EQ(cellColour(grid, 0, 28), LedgerColour::CaptionBlue);
            EXPECT_GT(control<FlexGrid>("MSFlexGrid1")->colWidthTwips(10), 0);
        }
        EXPECT_EQ(control<FlexGrid>("MSFlexGrid1")->width(), twipsToPixels(c.startOfUseColumn ? 16540 : 16980));
        EXPECT_EQ(!control("calculationExplainButton")->isHidden(), c.calculationExplain);
        EXPECT_EQ(!control("editFrameExplainButton")->isHidden(), c.calculationExplain);
        EXPECT_FALSE(control("sortDeleteRegisterButton")->isHidden()) << "a command, not a help button";
        EXPECT_TRUE(control("filterExcelButton")->isHidden()) << "the filter shows it after a scan";
        EXPECT_EQ(!control("sortButton")->isHidden(), c.sortAndDelete);
        EXPECT_EQ(!control("deleteButton")->isHidden(), c.sortAndDelete);
        EXPECT_EQ(!control("monthlyInOutButton")->isHidden(), c.monthlyButton);
        const bool monthlyOption = c.shared.count(SharedLine::MonthlyImport) > 0;
        EXPECT_EQ(!control("monthlyEditButton")->isHidden(), monthlyOption);
        EXPECT_EQ(!control("monthlyImportButton")->isHidden(), monthlyOption);
        EXPECT_EQ(!control("backupMark")->isHidden(), c.backupMark);
        EXPECT_EQ(control("registerButton")->x(), twipsToPixels(c.compact ? 120 : 1840));
        EXPECT_EQ(control("exitButton")->x(), twipsToPixels(c.compact ? 1840 : 12160));
        EXPECT_EQ(control("Picture3")->geometry().left(), twipsToPixels(c.compact ? 4440 : 4800));
        EXPECT_EQ(control("Picture3")->width(), twipsToPixels(c.compact ? 7095 : 13880));
        EXPECT_EQ(control("Picture4")->width(), twipsToPixels(c.compact ? 4240 : 3600));
    }
}

TEST_F(LedgerScreenTest, ExplanationBoxes)
{
    openLedger();
    control<QPushButton>("calculationExplainButton")->click();
    control<QPushButton>("editFrameExplainButton")->click();
    QTest::mouseClick(control("backupCaption"), Qt::LeftButton);
    const auto& shown = client.dialogs.shown();
    ASSERT_EQ(shown.size(), 4);
    for (const auto& box : shown) {
        EXPECT_EQ(box.title, QStringLiteral("登録確認"));
        EXPECT_FALSE(box.question);
    }
    EXPECT_TRUE(shown[0].text.startsWith(QStringLiteral("【 算出方法 】  \r①前年度在庫")));
    EXPECT_TRUE(shown[1].text.endsWith(QStringLiteral("\r　在庫数ゼロ時枠が網掛けとなります。　")));
    EXPECT_EQ(shown[2].text.count(u'\r'), 3);
    EXPECT_TRUE(shown[2].text.endsWith(QStringLiteral("　　▼　▲クリックで元の位置に戻ります。")));
    EXPECT_EQ(shown[3].text, QStringLiteral("データバックアップ設定有りで□が表示され\r　　正常にデータがﾊﾞｯｸｱｯﾌﾟで赤色に変色"));
}

TEST_F(LedgerScreenTest, ClearingTheScreenRunsTheStopAllCheck)
{
    openLedger();
    control("Picture17")->show();
    control("Picture1")->show();
    control("Picture4")->hide();
    writeSettings({}, {{SharedLine::StopAll, On}});
    QTest::mouseClick(control("vocabularyTopPicture"), Qt::LeftButton);
    EXPECT_TRUE(control("Picture17")->isHidden());
    EXPECT_TRUE(control("Picture1")->isHidden());
    EXPECT_FALSE(control("Picture4")->isHidden());
    EXPECT_EQ(control<ColourLabel>("modeCaption")->colourValue(), LedgerColour::ModeCaption);
    EXPECT_EQ(client.endRequests, 1);
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].title, QStringLiteral("管理確認"));
}

TEST_F(LedgerScreenTest, ExitReturnsToTheMenuWhichStartsUpAgain)
{
    host.setMenuFactory([](ScreenHost& h) { return new MenuScreen(h); });
    host.showMenu();
    auto* menu = qobject_cast<MenuScreen*>(host.current());
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->openScreen(ScreenKey::Ledger));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(qobject_cast<LedgerScreen*>(host.current()), nullptr);

    // A switch changed meanwhile (by another client) shows on the menu only if its start-up reruns.
    writeSettings({}, {{SharedLine::Decimals, On}});
    state().SharedSettings[SharedLine::Decimals] = QString();
    control<QPushButton>("exitButton")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(qobject_cast<MenuScreen*>(host.current()), nullptr);
    EXPECT_TRUE(host.currentKey().isEmpty());
    EXPECT_EQ(control<SwitchLabel>("decimalsSwitch")->colourValue(), WindowsColour::SwitchOn);
    EXPECT_EQ(host.current()->findChild<QWidget*>(QStringLiteral("Form11")), nullptr);
}

TEST_F(LedgerScreenTest, OpeningTellsADamagedLedgerOnceAndRepairsItOnYes)
{
    WriteTestLedger(client.ledgerPath(), 3);
    QByteArray damaged = TempClient::readBytes(client.ledgerPath());
    damaged.append(500, ' '); // a record cut short by a write that stopped
    TempClient::writeBytes(client.ledgerPath(), damaged);
    client.dialogs.queueAnswer(Dialogs::Answer::Yes);
    openLedger();
    const auto& shown = client.dialogs.shown();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].question);
    EXPECT_TRUE(shown[0].text.contains(QStringLiteral("3 件目の後に 500 バイト"))) << shown[0].text.toStdString();
    EXPECT_TRUE(shown[0].text.contains(QStringLiteral("台帳を修復しますか？")));
    EXPECT_TRUE(shown[0].defaultNo);
    EXPECT_TRUE(shown[1].text.contains(QStringLiteral("台帳を修復しました。")));
    EXPECT_EQ(TempClient::readBytes(client.ledgerPath()).size(), 3 * ItemRecord::Length);
    EXPECT_EQ(labelText("countLabel"), QStringLiteral("総数 3"));
}

TEST_F(LedgerScreenTest, ALedgerAtItsCapacityIsToldOnceWhenTheScreenOpens)
{
    WriteTestLedger(client.ledgerPath(), AppState::MaxRecords);
    openLedger();
    int told = 0;
    for (const auto& shown : client.dialogs.shown())
        told += shown.title == QStringLiteral("データ容量確認") ? 1 : 0;
    EXPECT_EQ(told, 1);
    client.dialogs.clear();
    control<QPushButton>("pageNextButton")->click();
    EXPECT_TRUE(client.dialogs.shown().isEmpty());
}

} // namespace
