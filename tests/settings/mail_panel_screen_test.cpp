// The mail panel on its own: the two address grids, the editing box and the registration into
// the mail address file that the next start-up reads.
#include "settings/mail_address_file.h"
#include "settings/mail_panel.h"

#include "menu/startup.h"
#include "storage/settings_files.h"
#include "support/temp_client_support.h"
#include "ui/colours.h"
#include "ui/flex_grid.h"
#include "ui/twips.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class MailPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 1; i <= 11; ++i)
            client.state.MailAddressTable[size_t(i)] = QStringLiteral("a%1@example.jp").arg(i);
        panel = new MailPanel(client.state, &parent);
        panel->open();
    }

    template <class T = QWidget>
    T* find(const char* name)
    {
        T* found = panel->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    FlexGrid* information() { return find<FlexGrid>("informationGrid"); }
    FlexGrid* ordering() { return find<FlexGrid>("orderingGrid"); }
    QLineEdit* box() { return find<QLineEdit>("mailAddressEditor"); }
    void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    void enter(const QString& text)
    {
        box()->setText(text);
        QTest::keyClick(box(), Qt::Key_Return);
    }

    TempClient client;
    QWidget parent;
    MailPanel* panel = nullptr;
};

TEST_F(MailPanelTest, GridsShowTheTableWithTheirHeadings)
{
    const struct {
        FlexGrid* grid;
        int rows;
        int height;
        const char* heading;
        int firstEntry;
    } grids[] = {{information(), 4, 1500, " 保全日報配信メールアドレス", 1},
                 {ordering(), 9, 3240, " 重要保全作業配信メールアドレス", 4}};
    for (const auto& g : grids) {
        ASSERT_EQ(g.grid->rows(), g.rows);
        EXPECT_EQ(g.grid->height(), twipsToPixels(g.height));
        EXPECT_EQ(g.grid->textMatrix(0, 0), QStringLiteral("No"));
        EXPECT_EQ(g.grid->textMatrix(0, 1), QString::fromUtf8(g.heading));
        EXPECT_EQ(windowsColourValue(g.grid->cellBackground(0, 1)), 15128749u);
        for (int row = 1; row < g.rows; ++row) {
            EXPECT_EQ(g.grid->textMatrix(row, 0), QString::number(row) + QStringLiteral("  "));
            EXPECT_EQ(g.grid->textMatrix(row, 1), QStringLiteral("a%1@example.jp").arg(g.firstEntry + row - 1));
        }
    }
    EXPECT_FALSE(panel->isHidden());
}

TEST_F(MailPanelTest, EnterStoresAndMovesOnWrappingAtTheLastRow)
{
    const struct {
        const char* grid;
        int lastRow;
    } cases[] = {{"informationGrid", 3}, {"orderingGrid", 8}};
    for (const auto& c : cases) {
        FlexGrid* grid = find<FlexGrid>(c.grid);
        grid->clicked(c.lastRow, 1);
        EXPECT_EQ(box()->text(), grid->textMatrix(c.lastRow, 1));
        EXPECT_EQ(windowsColourValue(box()->palette().color(QPalette::Base)), 16118015u);
        enter(QStringLiteral("  new@example.jp "));
        EXPECT_EQ(grid->textMatrix(c.lastRow, 1), QStringLiteral("new@example.jp")) << c.grid;
        EXPECT_EQ(grid->currentRow(), 1) << c.grid;
        EXPECT_EQ(grid->currentColumn(), 1);
        EXPECT_EQ(box()->text(), grid->textMatrix(1, 1)) << c.grid;
        enter(QStringLiteral("first@example.jp"));
        EXPECT_EQ(grid->textMatrix(1, 1), QStringLiteral("first@example.jp"));
        EXPECT_EQ(grid->currentRow(), 2);
    }
    EXPECT_TRUE(client.state.EditPending);
    // Nothing is taken into the table before the registration.
    EXPECT_EQ(client.state.MailAddressTable[3], QStringLiteral("a3@example.jp"));
}

TEST_F(MailPanelTest, RegistrationWritesTheFileThatTheNextStartUpReads)
{
    information()->clicked(2, 1);
    enter(QStringLiteral("hozen@example.jp"));
    ordering()->clicked(8, 1);
    click("mailCancelButton");
    EXPECT_TRUE(ordering()->textMatrix(8, 1).isEmpty());
    click("mailRegisterButton");

    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].title, QStringLiteral("登録確認"));
    std::array<QString, 16> expected;
    for (int i = 1; i <= 10; ++i)
        expected[size_t(i)] = QStringLiteral("a%1@example.jp").arg(i);
    expected[2] = QStringLiteral("hozen@example.jp");
    EXPECT_EQ(client.state.MailAddressTable, expected);

    // A fresh state on the same folders, started as the program starts.
    TempClient::writeSettings(client.clientFolder() + SettingsFileName::Client,
                              {client.clientFolder(), client.clientFolder(), QStringLiteral("0")});
    ScriptedDialogs dialogs;
    AppState fresh(dialogs);
    fresh.ClientFolder = client.clientFolder();
    RunStartupSequence(fresh);
    EXPECT_EQ(fresh.MailAddressTable, expected);
}

TEST_F(MailPanelTest, AddressWithADoubleQuoteIsRefused)
{
    information()->clicked(1, 1);
    enter(QStringLiteral("\"Ito\" <ito@example.jp>"));
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].title, QStringLiteral("登録確認"));
    EXPECT_EQ(information()->textMatrix(1, 1), QStringLiteral("a1@example.jp"));
    EXPECT_EQ(information()->currentRow(), 1);
}

TEST_F(MailPanelTest, FailedRegistrationIsReportedAndKeepsTheTable)
{
    ASSERT_TRUE(QDir().mkpath(MailAddressPath(client.state)));
    information()->clicked(1, 1);
    enter(QStringLiteral("x@example.jp"));
    click("mailRegisterButton");
    ASSERT_EQ(client.dialogs.shown().size(), 1);
    EXPECT_EQ(client.dialogs.shown()[0].title, QStringLiteral("異常確認"));
    EXPECT_EQ(client.state.MailAddressTable[1], QStringLiteral("a1@example.jp"));
}

TEST_F(MailPanelTest, ExplanationShowsNothingAndCloseHides)
{
    click("mailExplainButton");
    EXPECT_TRUE(client.dialogs.shown().isEmpty());
    click("mailCloseButton");
    EXPECT_TRUE(panel->isHidden());
}

} // namespace
