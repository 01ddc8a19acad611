#include "ui/screen_host.h"

#include "storage/desktop_handover.h"
#include "support/temp_client_support.h"

#include <QCoreApplication>
#include <QPointer>
#include <gtest/gtest.h>

namespace {

class ScreenHostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.setMenuFactory([this](ScreenHost&) {
            ++menusBuilt;
            auto* menu = new QWidget;
            menu->setObjectName(QStringLiteral("menu"));
            return menu;
        });
        host.registerScreen(ScreenKey::Ledger, [](ScreenHost&) {
            auto* screen = new QWidget;
            screen->setObjectName(QStringLiteral("ledger"));
            return screen;
        });
        host.registerScreen(ScreenKey::Import, [](ScreenHost&) { return nullptr; });
    }

    static void deleteLater() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    TempClient client;
    RecordingDesktopHandover desktop;
    ScreenHost host{client.state, desktop};
    int menusBuilt = 0;
};

} // namespace

TEST_F(ScreenHostTest, OpeningDestroysTheMenuAndClosingBuildsItAgain)
{
    host.showMenu();
    QPointer<QWidget> menu = host.current();
    ASSERT_TRUE(menu);
    EXPECT_TRUE(menu->isVisible());

    ASSERT_TRUE(host.openScreen(ScreenKey::Ledger));
    QPointer<QWidget> screen = host.current();
    EXPECT_EQ(host.currentKey(), ScreenKey::Ledger);
    EXPECT_EQ(screen->objectName(), QStringLiteral("ledger"));
    EXPECT_TRUE(screen->isVisible());
    EXPECT_TRUE(menu && menu->isHidden()); // still alive while the click that opened the screen runs
    deleteLater();
    EXPECT_FALSE(menu);

    host.closeScreen();
    deleteLater();
    EXPECT_FALSE(screen);
    EXPECT_EQ(menusBuilt, 2);
    EXPECT_EQ(host.current()->objectName(), QStringLiteral("menu"));
    EXPECT_TRUE(host.currentKey().isEmpty());
}

TEST_F(ScreenHostTest, AScreenThatCannotOpenLeavesTheMenu)
{
    host.showMenu();
    QWidget* menu = host.current();
    EXPECT_FALSE(host.openScreen(ScreenKey::Import));
    EXPECT_FALSE(host.openScreen(ScreenKey::Settings));
    EXPECT_FALSE(host.hasScreen(ScreenKey::Settings));
    EXPECT_EQ(host.current(), menu);
    EXPECT_FALSE(menu->isHidden());
    host.closeScreen(); // nothing to close
    EXPECT_EQ(menusBuilt, 1);
}

TEST_F(ScreenHostTest, ClosingTheScreenWindowReturnsToTheMenu)
{
    host.showMenu();
    host.openScreen(ScreenKey::Ledger);
    host.current()->close();
    EXPECT_EQ(menusBuilt, 2);
    EXPECT_TRUE(host.currentKey().isEmpty());
    EXPECT_EQ(client.endRequests, 0);
}

TEST_F(ScreenHostTest, ClosingTheMenuWindowEndsTheProgram)
{
    client.state.ledgerFile = std::make_unique<QFile>(client.dataFolder() + QStringLiteral("Ma在庫品.dat"));
    host.showMenu();
    host.current()->close();
    EXPECT_EQ(client.endRequests, 1);
    EXPECT_EQ(client.state.ledgerFile, nullptr);
    EXPECT_EQ(menusBuilt, 1);
}
