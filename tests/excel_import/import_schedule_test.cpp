// The clock of the timed import: the time as the screen compares it, a typed time, and the rule
// that the import runs once in its minute.
#include "excel_import/import_schedule.h"
#include "storage/settings_files.h"
#include "support/temp_client_support.h"

#include <gtest/gtest.h>

TEST(ImportSchedule, ClockTextHasATwoDigitHour)
{
    EXPECT_EQ(ImportClockText(QTime(9, 5, 59)), QStringLiteral("09:05"));
    EXPECT_EQ(ImportClockText(QTime(0, 0)), QStringLiteral("00:00"));
    EXPECT_EQ(ImportClockText(QTime(23, 59)), QStringLiteral("23:59"));
    EXPECT_EQ(ImportClockText(QTime()), QString());
}

TEST(ImportSchedule, TypedTimesAreNormalised)
{
    const struct {
        const char16_t* typed;
        const char16_t* expected;
    } cases[] = {
        {u"9:05", u"09:05"},   {u"09:05", u"09:05"}, {u" 9:5 ", u"09:05"}, {u"0:00", u"00:00"},
        {u"２３：５９", u"23:59"}, // full-width digits and colon from a Japanese input method
        {u"24:00", u""},        {u"12:60", u""},      {u"905", u""},        {u"9:05pm", u""},
        {u"", u""},             {u"-1:05", u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormaliseImportTime(QString::fromUtf16(c.typed)), QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.typed).toStdString();
}

TEST(ImportSchedule, DueOnceInTheImportMinuteEveryDay)
{
    TimedImportSchedule schedule(QStringLiteral("9:05"));
    EXPECT_EQ(schedule.importTime(), QStringLiteral("09:05"));
    EXPECT_FALSE(schedule.due(QTime(9, 4, 59)));
    EXPECT_TRUE(schedule.due(QTime(9, 5, 0)));
    EXPECT_FALSE(schedule.due(QTime(9, 5, 1)));
    EXPECT_FALSE(schedule.due(QTime(9, 5, 59)));
    EXPECT_FALSE(schedule.due(QTime(9, 6, 0)));
    // The next day's import minute runs again.
    EXPECT_TRUE(schedule.due(QTime(9, 5, 30)));

    TimedImportSchedule midnight(QStringLiteral("0:00"));
    EXPECT_TRUE(midnight.due(QTime(0, 0, 10)));
    EXPECT_FALSE(midnight.due(QTime(0, 0, 40)));

    TimedImportSchedule none(QString{});
    EXPECT_FALSE(none.due(QTime(0, 0)));
}

TEST(ImportSchedule, ImportTimeIsKeptInTheClientSettings)
{
    TempClient client;
    ASSERT_TRUE(StoreImportTime(client.state, QStringLiteral("07:30")));
    SettingsLines file;
    ReadSettingsFile(client.clientFolder() + SettingsFileName::Client, file);
    EXPECT_EQ(file[ClientLine::ImportTime], QStringLiteral("07:30"));
    EXPECT_EQ(file[ClientLine::DataFolder], client.dataFolder()); // the other lines are kept
    EXPECT_EQ(StoredImportTime(client.state), QStringLiteral("07:30"));
}
