// The names panel on its own: the names grid, the name editor, the size and upper-limit
// choosers and the registration, and the captions that the ledger screen then shows.
#include "../ledger/ledger_screen_fixture.h"

#include "ledger/column_captions.h"
#include "settings/column_names_panel.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

class ColumnNamesPanelTest : public LedgerScreenTest {
protected:
    void SetUp() override
    {
        LedgerScreenTest::SetUp();
        writeSettings({}, {{3, QStringLiteral("101")},
                           {4, QStringLiteral("51")},
                           {5, QStringLiteral("31")},
                           {6, QStringLiteral("21")},
                           {7, QStringLiteral("11")},
                           {16, QStringLiteral("仕様")},
                           {17, QStringLiteral("メーカー")},
                           {18, QStringLiteral("保管場所")},
                           {22, QStringLiteral("200")}});
        panel = new ColumnNamesPanel(state(), &parent);
        panel->open();
    }

    template <class T = QWidget>
    T* find(const char* name)
    {
        T* found = panel->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    FlexGrid* grid() { return find<FlexGrid>("namesGrid"); }
    QLineEdit* editor() { return find<QLineEdit>("nameEditor"); }
    QComboBox* sizes() { return find<QComboBox>("sizeChooser"); }

    void rename(int row, const QString& text)
    {
        grid()->clicked(row, 0);
        editor()->setText(text);
        QTest::keyClick(editor(), Qt::Key_Return);
    }
    static void choose(QComboBox* chooser, const QString& entry)
    {
        const int index = chooser->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        chooser->setCurrentIndex(index);
        emit chooser->activated(index);
    }
    SettingsLines sharedFile()
    {
        SettingsLines lines;
        ReadSettingsFile(client.dataFolder() + SettingsFileName::Shared, lines);
        return lines;
    }
    quint32 lampColour(const char* name) { return find(name)->property("windowsColour").toUInt(); }

    QWidget parent;
    ColumnNamesPanel* panel = nullptr;
};

TEST_F(ColumnNamesPanelTest, GridShowsNamesAndSizesWithItsColours)
{
    FlexGrid* names = grid();
    ASSERT_EQ(names->rows(), 6);
    ASSERT_EQ(names->cols(), 2);
    EXPECT_EQ(names->colWidthTwips(0), 2500);
    EXPECT_EQ(names->colWidthTwips(1), 1200);
    const char* expectedNames[] = {"在庫品No", "品　名", "仕様", "メーカー", "保管場所", "単位"};
    const char* expectedSizes[] = {"", "101", "51", "31", "21", "11"};
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(names->rowHeightTwips(row), 400);
        EXPECT_EQ(names->textMatrix(row, 0), QString::fromUtf8(expectedNames[row])) << row;
        EXPECT_EQ(names->textMatrix(row, 1), QString::fromLatin1(expectedSizes[row])) << row;
        EXPECT_EQ(windowsColourValue(names->cellBackground(row, 0)), 14804223u) << row;
    }
    EXPECT_EQ(windowsColourValue(names->cellBackground(0, 1)), 15128749u);
    EXPECT_EQ(names->colAlignment(1), Qt::AlignCenter);
    EXPECT_FALSE(panel->isHidden());
    EXPECT_TRUE(editor()->isHidden());
    EXPECT_TRUE(sizes()->isHidden());
    EXPECT_EQ(find<QComboBox>("limitChooser")->currentText(), QStringLiteral("200"));
    EXPECT_EQ(sizes()->count(), 200);
    EXPECT_EQ(lampColour("namesLamp"), 12632319u);
}

TEST_F(ColumnNamesPanelTest, RenamingRowTwoThenChoosingAnUpperLimitWritesLine16)
{
    grid()->clicked(2, 0);
    ASSERT_FALSE(editor()->isHidden());
    EXPECT_EQ(editor()->text(), QStringLiteral("仕様"));
    EXPECT_EQ(editor()->cursorPosition(), 2);
    EXPECT_EQ(editor()->x(), twipsToPixels(300));
    const QRect cell = grid()->visualRect(grid()->model()->index(2, 0));
    EXPECT_EQ(editor()->y(), grid()->viewport()->mapTo(panel, cell.topLeft()).y());

    editor()->setText(QStringLiteral("  型式・寸法  "));
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_TRUE(editor()->isHidden());
    EXPECT_EQ(grid()->textMatrix(2, 0), QStringLiteral("型式・寸法"));
    EXPECT_TRUE(state().EditPending);
    EXPECT_EQ(sharedFile()[16], QStringLiteral("仕様")); // nothing written yet

    choose(find<QComboBox>("limitChooser"), QStringLiteral("100"));
    const SettingsLines file = sharedFile();
    EXPECT_EQ(file[16], QStringLiteral("型式・寸法"));
    EXPECT_EQ(file[22], QStringLiteral("100"));
    EXPECT_EQ(lampColour("limitLamp"), 255u);
    EXPECT_TRUE(client.dialogs.shown().isEmpty());
}

TEST_F(ColumnNamesPanelTest, RegistrationRebuildsCaptionsThatTheLedgerScreenShows)
{
    QSignalSpy changed(panel, &ColumnNamesPanel::settingsChanged);
    rename(2, QStringLiteral("型式"));
    rename(5, QStringLiteral("単位名"));
    QTest::mouseClick(find<QPushButton>("namesRegisterButton"), Qt::LeftButton);

    EXPECT_EQ(changed.count(), 1);
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].title, QStringLiteral("登録確認"));
    EXPECT_EQ(state().ColumnCaptions[CaptionIndex::Name + 1], QStringLiteral("型式"));
    EXPECT_EQ(sharedFile()[19], QStringLiteral("単位名"));
    EXPECT_EQ(lampColour("namesLamp"), 255u);

    // A ledger screen opened afterwards, from the file as the menu reads it, shows the new captions.
    state().SharedSettings = SettingsLines{};
    ReadSharedSettings(state());
    openLedger();
    EXPECT_EQ(list()->textMatrix(0, 3), QStringLiteral("型式"));
    EXPECT_EQ(list()->textMatrix(0, 8), QStringLiteral("単位名"));
}

TEST_F(ColumnNamesPanelTest, UpperLimitDecidesTheSizesOffered)
{
    QComboBox* limit = find<QComboBox>("limitChooser");
    ASSERT_EQ(limit->count(), 1001);
    EXPECT_EQ(limit->itemText(1000), QStringLiteral("10000"));

    const struct {
        const char* limit;
        int offered;
    } steps[] = {{"100", 100}, {"50", 50}, {"0", 0}, {"10", 10}};
    for (const auto& step : steps) {
        choose(limit, QString::fromLatin1(step.limit));
        ASSERT_EQ(sizes()->count(), step.offered) << step.limit;
        if (step.offered > 0) {
            EXPECT_EQ(sizes()->itemText(0), QStringLiteral("1"));
            EXPECT_EQ(sizes()->itemText(step.offered - 1), QString::number(step.offered));
        }
        EXPECT_EQ(sharedFile()[22], QString::fromLatin1(step.limit));
    }
}

TEST_F(ColumnNamesPanelTest, SizeCellsSetTheListCountInMemory)
{
    grid()->clicked(0, 1);
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].title, QStringLiteral("登録確認"));
    EXPECT_EQ(client.dialogs.shown()[0].text, QStringLiteral("設定枠ではありません。"));
    EXPECT_TRUE(sizes()->isHidden());

    grid()->clicked(3, 1);
    ASSERT_FALSE(sizes()->isHidden());
    EXPECT_EQ(sizes()->currentText(), QStringLiteral("31"));
    choose(sizes(), QStringLiteral("45"));
    EXPECT_EQ(grid()->textMatrix(3, 1), QStringLiteral("45"));
    EXPECT_EQ(state().SharedSettings[5], QStringLiteral("45"));
    EXPECT_EQ(grid()->currentColumn(), 1);
    EXPECT_EQ(sharedFile()[5], QStringLiteral("31"));
}

TEST_F(ColumnNamesPanelTest, NameWithADoubleQuoteIsRefused)
{
    rename(1, QStringLiteral("3\"ネジ"));
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].title, QStringLiteral("登録確認"));
    EXPECT_FALSE(editor()->isHidden());
    EXPECT_EQ(grid()->textMatrix(1, 0), QStringLiteral("品　名"));
    EXPECT_EQ(state().SharedSettings[15], QStringLiteral("品　名"));
}

TEST_F(ColumnNamesPanelTest, ReopeningKeepsNamesTypedButNotWritten)
{
    rename(3, QStringLiteral("製造元"));
    QTest::mouseClick(find<QPushButton>("namesCloseButton"), Qt::LeftButton);
    EXPECT_TRUE(panel->isHidden());

    panel->open(); // reads the shared settings again
    EXPECT_EQ(grid()->textMatrix(3, 0), QStringLiteral("製造元"));
    EXPECT_EQ(state().SharedSettings[17], QStringLiteral("製造元"));
    QTest::mouseClick(find<QPushButton>("namesRegisterButton"), Qt::LeftButton);
    EXPECT_EQ(sharedFile()[17], QStringLiteral("製造元"));
}

TEST_F(ColumnNamesPanelTest, ExplanationAndItsHidingOption)
{
    QTest::mouseClick(find<QPushButton>("namesExplainButton"), Qt::LeftButton);
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].title, QStringLiteral("登録確認"));
    EXPECT_EQ(client.dialogs.shown()[0].text,
              QStringLiteral("TEV在庫管理　\r①在庫台帳の名称変更及びリスト項目Max数量設定を行います。\r"
                             "②数量Max値数量は、下部それぞれの名称・メーカー名・保管場所、単位\r"
                             "　の設定Max値を設定します。\r"
                             "③ユーザーに合った名称変更、各枠をクリックで名称の変更を行います。\r"
                             "　ソフト内の全ての名称が変更されます。 "));

    state().ClientSettings[ClientLine::HideExplanations] = On;
    ColumnNamesPanel hidden(state(), &parent);
    EXPECT_TRUE(hidden.findChild<QPushButton*>(QStringLiteral("namesExplainButton"))->isHidden());
}

TEST_F(ColumnNamesPanelTest, FailedWriteIsReported)
{
    QFile::remove(client.dataFolder() + SettingsFileName::Shared);
    ASSERT_TRUE(QDir().mkpath(client.dataFolder() + SettingsFileName::Shared));
    rename(1, QStringLiteral("部品名"));
    QTest::mouseClick(find<QPushButton>("namesRegisterButton"), Qt::LeftButton);
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].title, QStringLiteral("異常確認"));
    EXPECT_NE(state().ColumnCaptions[CaptionIndex::Name], QStringLiteral("部品名"));
}

} // namespace
