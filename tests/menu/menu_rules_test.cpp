#include "menu/menu_rules.h"

#include "support/temp_client_support.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(MenuRules, LogoSitsAtItsOffsetFrom16000Twips)
{
    const struct {
        QString setting;
        int left;
    } cases[] = {{QStringLiteral("20"), 16020}, {QStringLiteral("1600"), 17600}, {QStringLiteral(" 400 "), 16400},
                 {QString(), 16000}, {QStringLiteral("abc"), 16000}};
    for (const auto& c : cases)
        EXPECT_EQ(LogoLeftTwips(c.setting), c.left) << qPrintable(c.setting);

    const QStringList choices = LogoOffsetChoices();
    ASSERT_EQ(choices.size(), 80);
    EXPECT_EQ(choices.first(), QStringLiteral("20"));
    EXPECT_EQ(choices.at(1), QStringLiteral("40"));
    EXPECT_EQ(choices.last(), QStringLiteral("1600"));
}

TEST(MenuRules, LogoPathAndItsMissingMessage)
{
    TempClient client;
    const QString path = LogoPicturePath(client.state);
    EXPECT_EQ(QDir::fromNativeSeparators(path), client.clientFolder() + QStringLiteral("設備画像/yuuza.jpg"));
    EXPECT_EQ(LogoMissingMessage(path), path + QStringLiteral("\r　画像が登録されてません。。"));
}

TEST(MenuRules, SwitchesReadTheirOwnLines)
{
    const struct {
        OptionSwitch id;
        bool shared;
        int line;
    } lines[] = {
        {OptionSwitch::Logo, false, 6},           {OptionSwitch::TemplatePlacement, false, 12},
        {OptionSwitch::HideExplanations, false, 14}, {OptionSwitch::ViewOnly, false, 19},
        {OptionSwitch::MonthlyImport, true, 20},  {OptionSwitch::Decimals, true, 21},
        {OptionSwitch::StartOfUse, true, 11},     {OptionSwitch::CommonDocuments, true, 12},
        {OptionSwitch::LoginPassword, true, 8},
    };
    for (const auto& l : lines) {
        TempClient client;
        EXPECT_FALSE(IsSwitchOn(client.state, l.id)) << l.line;
        (l.shared ? client.state.SharedSettings : client.state.ClientSettings)[l.line] = QStringLiteral("1");
        EXPECT_TRUE(IsSwitchOn(client.state, l.id)) << l.line;
        // The same line number in the other file does not count.
        TempClient other;
        (l.shared ? other.state.ClientSettings : other.state.SharedSettings)[l.line] = QStringLiteral("1");
        EXPECT_FALSE(IsSwitchOn(other.state, l.id)) << l.line;
    }
}

TEST(MenuRules, OnMeansTheNumberOneExceptForTheLoginPassword)
{
    const struct {
        QString value;
        bool option;
        bool loginPassword;
    } cases[] = {
        {QStringLiteral("1"), true, true},   {QStringLiteral(" 1"), true, false}, {QStringLiteral("1.0"), true, false},
        {QStringLiteral("0"), false, false}, {QStringLiteral("2"), false, false}, {QString(), false, false},
    };
    for (const auto& c : cases) {
        TempClient client;
        client.state.SharedSettings[21] = c.value;
        client.state.SharedSettings[8] = c.value;
        EXPECT_EQ(IsSwitchOn(client.state, OptionSwitch::Decimals), c.option) << qPrintable(c.value);
        EXPECT_EQ(IsSwitchOn(client.state, OptionSwitch::LoginPassword), c.loginPassword) << qPrintable(c.value);
    }
}
