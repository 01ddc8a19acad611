#include "settings/column_name_settings.h"

#include "ledger/column_captions.h"
#include "storage/settings_files.h"
#include "support/temp_client_support.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

SettingsLines sharedFile(const TempClient& client)
{
    SettingsLines lines;
    ReadSettingsFile(client.dataFolder() + SettingsFileName::Shared, lines);
    return lines;
}

} // namespace

TEST(ColumnNameSettings, GridRowsMapToTheirSettingsLines)
{
    const int nameLines[] = {14, 15, 16, 17, 18, 19};
    for (int row = 0; row < ColumnNames::Rows; ++row)
        EXPECT_EQ(ColumnNameLine(row), nameLines[row]) << row;
    // Row r carries the count of list r + 1, kept on line r + 2.
    for (int row = 1; row < ColumnNames::Rows; ++row)
        EXPECT_EQ(ListSizeLine(row), row + 2) << row;
}

TEST(ColumnNameSettings, ChoicesOfSizesAndUpperLimits)
{
    EXPECT_TRUE(ListSizeChoices(0).isEmpty());
    const QStringList fifty = ListSizeChoices(50);
    ASSERT_EQ(fifty.size(), 50);
    EXPECT_EQ(fifty.first(), QStringLiteral("1"));
    EXPECT_EQ(fifty.last(), QStringLiteral("50"));

    const QStringList limits = ListSizeLimitChoices();
    ASSERT_EQ(limits.size(), 1001);
    EXPECT_EQ(limits[0], QStringLiteral("0"));
    EXPECT_EQ(limits[1], QStringLiteral("10"));
    EXPECT_EQ(limits.last(), QStringLiteral("10000"));

    TempClient client;
    const struct {
        const char* line;
        int limit;
    } cases[] = {{"100", 100}, {" 50 ", 50}, {"", 0}, {"abc", 0}, {"-10", 0}, {"20000", 10000}};
    for (const auto& c : cases) {
        client.state.SharedSettings[SharedLine::ListSizeLimit] = QString::fromLatin1(c.line);
        EXPECT_EQ(ListSizeLimit(client.state), c.limit) << c.line;
    }
}

TEST(ColumnNameSettings, NameWithADoubleQuoteIsRefused)
{
    EXPECT_FALSE(ColumnNameProblem(QStringLiteral("型式・仕様")).has_value());
    EXPECT_FALSE(ColumnNameProblem(QString()).has_value());
    const auto problem = ColumnNameProblem(QStringLiteral("3\"ネジ"));
    ASSERT_TRUE(problem.has_value());
    EXPECT_TRUE(problem->contains(u'"'));
}

TEST(ColumnNameSettings, EditsStayInMemoryUntilTheUpperLimitWritesThem)
{
    TempClient client;
    AppState& state = client.state;
    state.SharedSettings[16] = QStringLiteral("仕様");
    ASSERT_TRUE(WriteSharedSettings(state));

    ColumnNameEdits edits;
    EXPECT_EQ(edits.setName(state, 2, QStringLiteral("  型式・寸法 ")), QStringLiteral("型式・寸法"));
    EXPECT_EQ(edits.setSize(state, 3, QStringLiteral(" 40 ")), QStringLiteral("40"));
    EXPECT_TRUE(state.EditPending);
    EXPECT_EQ(sharedFile(client)[16], QStringLiteral("仕様"));

    // A fresh read would drop them; the edits are laid over it again.
    ReadSharedSettings(state);
    EXPECT_EQ(state.SharedSettings[16], QStringLiteral("仕様"));
    edits.reapply(state);
    EXPECT_EQ(state.SharedSettings[16], QStringLiteral("型式・寸法"));

    ASSERT_TRUE(edits.setLimit(state, QStringLiteral("100 ")));
    const SettingsLines file = sharedFile(client);
    EXPECT_EQ(file[16], QStringLiteral("型式・寸法"));
    EXPECT_EQ(file[5], QStringLiteral("40"));
    EXPECT_EQ(file[22], QStringLiteral("100"));
    EXPECT_FALSE(edits.hasUnwritten());
}

TEST(ColumnNameSettings, RegistrationWritesAndRebuildsTheCaptions)
{
    TempClient client;
    AppState& state = client.state;
    ColumnNameEdits edits;
    edits.setName(state, 0, QStringLiteral("品番"));
    edits.setName(state, 5, QStringLiteral("単位名"));

    ASSERT_TRUE(edits.registerNames(state));
    EXPECT_EQ(state.ColumnCaptions[CaptionIndex::ItemNumber], QStringLiteral("品番"));
    EXPECT_EQ(state.ColumnCaptions[CaptionIndex::Unit], QStringLiteral("単位名"));
    EXPECT_EQ(sharedFile(client)[19], QStringLiteral("単位名"));
}

TEST(ColumnNameSettings, FailedWriteKeepsTheEditsForTheNextOne)
{
    TempClient client;
    AppState& state = client.state;
    const QString settingsPath = client.dataFolder() + SettingsFileName::Shared;
    ASSERT_TRUE(QDir().mkpath(settingsPath)); // a folder where the file belongs: the write fails
    ColumnNameEdits edits;
    edits.setName(state, 1, QStringLiteral("部品名"));

    EXPECT_FALSE(edits.registerNames(state));
    EXPECT_TRUE(edits.hasUnwritten());
    EXPECT_NE(state.ColumnCaptions[CaptionIndex::Name], QStringLiteral("部品名"));

    ASSERT_TRUE(QDir(settingsPath).removeRecursively());
    state.SharedSettings[15].clear(); // as a read of another client's file would leave it
    ASSERT_TRUE(edits.registerNames(state));
    EXPECT_EQ(sharedFile(client)[15], QStringLiteral("部品名"));
    EXPECT_EQ(state.ColumnCaptions[CaptionIndex::Name], QStringLiteral("部品名"));
}
