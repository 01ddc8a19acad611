// The menu's buttons, login password panel, help buttons, examples panel, data-folder caption
// and alert lamps, driven by clicks on an offscreen menu.
#include "menu_screen_fixture.h"

#include "menu/login_password.h"
#include "menu/menu_alert_panel.h"
#include "menu/menu_texts.h"
#include "storage/item_record.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace {

const QString On = QStringLiteral("1");
const QString StoppedText = QStringLiteral(" 管理者権限で全クライアントサーバ使用禁止中です。");
const QString PasswordText = QStringLiteral(" パスワード認証が必要です。");
const QString ViewOnlyText = QStringLiteral("当クライアントはインポート操作は出来ません。");

void typePassword(MenuClient& m, const QString& text)
{
    auto* box = m.control<QLineEdit>("passwordBox");
    box->setText(text);
    QTest::keyClick(box, Qt::Key_Return);
    MenuClient::settle();
}

} // namespace

TEST(MenuFlows, MainButtonsOpenTheirScreenOnlyAfterTheChecks)
{
    const struct {
        const char* button;
        const QString& key;
        MenuClient::Lines client;
        MenuClient::Lines shared;
        QString refusal; // empty: the screen opens
    } cases[] = {
        {"ledgerButton", ScreenKey::Ledger, {}, {}, {}},
        {"importButton", ScreenKey::Import, {}, {}, {}},
        {"settingsButton", ScreenKey::Settings, {}, {}, {}},
        {"ledgerButton", ScreenKey::Ledger, {}, {{SharedLine::StopAll, On}}, StoppedText},
        {"settingsButton", ScreenKey::Settings, {}, {{SharedLine::StopAll, On}}, StoppedText},
        {"ledgerButton", ScreenKey::Ledger, {{ClientLine::Administrator, On}}, {{SharedLine::StopAll, On}}, {}},
        {"importButton", ScreenKey::Import, {{ClientLine::ViewOnly, On}}, {}, ViewOnlyText},
        {"ledgerButton", ScreenKey::Ledger, {{ClientLine::ViewOnly, On}}, {}, {}},
    };
    for (const auto& c : cases) {
        MenuClient m(QStringLiteral("PC-1"));
        m.writeClientSettings(c.client);
        m.writeSharedSettings({});
        m.loadMenu();
        // Another client sets the stop after this menu loaded: the button reads it again.
        m.writeSharedSettings(c.shared);
        m.click(c.button);
        if (c.refusal.isEmpty()) {
            EXPECT_EQ(m.host.currentKey(), c.key) << c.button;
            EXPECT_TRUE(m.client.state.MenuShownBefore);
            EXPECT_TRUE(m.client.dialogs.shown().isEmpty()) << qPrintable(m.lastText());
        } else {
            EXPECT_NE(m.menu(), nullptr) << c.button;
            ASSERT_EQ(m.client.dialogs.shown().size(), 1) << c.button;
            EXPECT_EQ(m.lastText(), c.refusal);
            EXPECT_FALSE(m.client.state.MenuShownBefore);
        }
    }
}

TEST(MenuFlows, UnregisteredScreenLeavesTheMenuAndCommonDocumentsUsesItsHook)
{
    MenuClient m(QStringLiteral("PC-1"));
    m.writeClientSettings({});
    m.writeSharedSettings({{SharedLine::CommonDocuments, On}, {SharedLine::StopAll, On}});
    m.loadMenu();

    // Nothing registered yet: nothing opens, nothing is said.
    m.click("commonDocumentsButton");
    EXPECT_NE(m.menu(), nullptr);
    EXPECT_TRUE(m.client.dialogs.shown().isEmpty());

    // The output runs even while all clients are stopped: only the password is checked.
    int outputs = 0;
    m.host.registerScreen(MenuHook::CommonDocumentsOutput, [&outputs](ScreenHost&) -> QWidget* {
        ++outputs;
        return nullptr;
    });
    m.click("commonDocumentsButton");
    EXPECT_EQ(outputs, 1);
    EXPECT_NE(m.menu(), nullptr);
    EXPECT_TRUE(m.client.dialogs.shown().isEmpty());

    m.client.state.PasswordRequired = true;
    m.click("commonDocumentsButton");
    EXPECT_EQ(outputs, 1);
    EXPECT_EQ(m.lastText(), PasswordText);
}

TEST(MenuFlows, PasswordPanelRefusesEverythingUntilThePasswordIsTyped)
{
    MenuClient m(QStringLiteral("PC-1"));
    m.writeClientSettings({});
    m.writeSharedSettings({{SharedLine::LoginPassword, On}, {SharedLine::CommonDocuments, On}});
    ASSERT_TRUE(StoreLoginPassword(m.client.state, QStringLiteral("棚卸2024"), 1000));
    m.loadMenu();
    ASSERT_FALSE(m.control("passwordPanel")->isHidden());

    for (const char* button : {"ledgerButton", "importButton", "settingsButton", "commonDocumentsButton"}) {
        m.client.dialogs.clear();
        m.click(button);
        EXPECT_EQ(m.lastText(), PasswordText) << button;
        EXPECT_EQ(m.client.dialogs.shown().last().title, QStringLiteral("管理確認"));
    }

    // A wrong password: refused, the box emptied, the panel stays.
    m.client.dialogs.clear();
    typePassword(m, QStringLiteral("棚卸2023"));
    EXPECT_EQ(m.lastText(), QStringLiteral("パスワードが違います。。"));
    EXPECT_EQ(m.client.dialogs.shown().last().title, QStringLiteral("確認"));
    EXPECT_TRUE(m.control<QLineEdit>("passwordBox")->text().isEmpty());
    EXPECT_FALSE(m.control("passwordPanel")->isHidden());

    // The caption shows what is typed.
    EXPECT_EQ(m.control<QLineEdit>("passwordBox")->echoMode(), QLineEdit::Password);
    m.click("passwordCaption");
    EXPECT_EQ(m.control<QLineEdit>("passwordBox")->echoMode(), QLineEdit::Normal);

    m.client.dialogs.clear();
    typePassword(m, QStringLiteral(" 棚卸2024 "));
    EXPECT_TRUE(m.client.dialogs.shown().isEmpty());
    EXPECT_TRUE(m.control("passwordPanel")->isHidden());
    EXPECT_TRUE(m.control<QLineEdit>("passwordBox")->text().isEmpty());
    m.click("ledgerButton");
    ASSERT_EQ(m.host.currentKey(), ScreenKey::Ledger);

    // Back on the menu: no panel, and the buttons open at once.
    m.host.closeScreen();
    MenuClient::settle();
    EXPECT_TRUE(m.control("passwordPanel")->isHidden());
    m.click("settingsButton");
    EXPECT_EQ(m.host.currentKey(), ScreenKey::Settings);
    EXPECT_TRUE(m.client.dialogs.shown().isEmpty());
}

TEST(MenuFlows, HelpButtonsExamplesAndDataFolderCaption)
{
    MenuClient m(QStringLiteral("PC-1"));
    m.writeClientSettings({});
    m.writeSharedSettings({});
    m.loadMenu();

    const struct {
        const char* button;
        QString title;
        QString text;
    } helps[] = {
        {"alertHelpButton", QStringLiteral("登録確認"),
         QStringLiteral("\r  登録全品の検索を行い\r　　①在庫数ゼロ品目があれば、□枠が赤点灯\r"
                        "　　②適正数量不足品があれば、□枠が赤点灯　\r")},
        {"switchesHelpButton", QStringLiteral("保全履歴確認"),
         QStringLiteral("各種オプション設定\r※特殊設定\r①設定文字色\r"
                        "　・薄いブルー文字・・クライアントのみ機能が変化\r"
                        "　・黄色文字・・・・・サーバー接続の全てのクライアントの機能が変化\r"
                        "②管理者権限　\r　重要項目の変更等を当管理者権限でないと変更できない機能")},
    };
    for (const auto& h : helps) {
        m.client.dialogs.clear();
        m.click(h.button);
        ASSERT_EQ(m.client.dialogs.shown().size(), 1) << h.button;
        EXPECT_FALSE(m.client.dialogs.shown()[0].question);
        EXPECT_EQ(m.client.dialogs.shown()[0].title, h.title);
        EXPECT_EQ(m.lastText(), h.text);
    }

    EXPECT_TRUE(m.control("examplesPanel")->isHidden());
    m.click("examplesButton");
    EXPECT_FALSE(m.control("examplesPanel")->isHidden());
    EXPECT_TRUE(m.control<QLabel>("examplesText")->text().contains(QStringLiteral("運用事例")));
    m.click("examplesCloseButton");
    EXPECT_TRUE(m.control("examplesPanel")->isHidden());

    m.click("dataFolderSpot");
    EXPECT_FALSE(m.control("dataFolderCaption")->isHidden());
    EXPECT_FALSE(m.control("dataFolderLabel")->isHidden());
    EXPECT_EQ(m.control<QLabel>("dataFolderLabel")->text(), m.client.dataFolder());
    m.click("backgroundPicture");
    EXPECT_TRUE(m.control("dataFolderCaption")->isHidden());
    EXPECT_TRUE(m.control("dataFolderLabel")->isHidden());
}

TEST(MenuFlows, AlertLampsShowTheStockOfTheLedgerWhenTheMenuLoads)
{
    const struct {
        const char* stock;
        const char* proper;
        bool zero;
        bool below;
    } cases[] = {{" 5", " 5", false, false}, {" 0", "", true, false}, {" 3", " 5", false, true}, {" 0", " 1", true, true}};
    for (const auto& c : cases) {
        MenuClient m(QStringLiteral("PC-1"));
        m.writeClientSettings({});
        m.writeSharedSettings({});
        ItemRecord plenty;
        plenty.setText(ItemField::Number, QStringLiteral("A-01"));
        plenty.setText(ItemField::Stock, QStringLiteral(" 10"));
        ItemRecord item;
        item.setText(ItemField::Number, QStringLiteral("A-02"));
        item.setText(ItemField::Stock, QString::fromLatin1(c.stock));
        item.setText(ItemField::ProperStock, QString::fromLatin1(c.proper));
        TempClient::writeBytes(m.client.ledgerPath(), plenty.bytes() + item.bytes());
        m.loadMenu();
        const struct {
            const char* lamp;
            bool lit;
        } lamps[] = {{"zeroStockLamp", c.zero}, {"belowProperLamp", c.below}};
        for (const auto& l : lamps) {
            auto* lamp = m.control<QFrame>(l.lamp);
            EXPECT_EQ(MenuAlertPanel::lampColour(lamp) == MenuAlertPanel::LampLit, l.lit) << l.lamp << c.stock;
            EXPECT_EQ(lamp->palette().color(QPalette::WindowText) == QColor(Qt::red), l.lit) << l.lamp << c.stock;
        }
    }
}
