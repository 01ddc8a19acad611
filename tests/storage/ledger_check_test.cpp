// The data-file checks behind `tev-cli verify`, on files damaged in known ways.
#include "storage/item_record.h"
#include "storage/ledger_check.h"
#include "storage/paths.h"
#include "storage/settings_lines.h"
#include "support/temp_client_support.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

QString ledgerOf(TempClient& client, int records, const std::function<void(QByteArray&)>& damage)
{
    const QString path = client.dataFolder() + DataFileName::Ledger;
    WriteTestLedger(path, records);
    QByteArray bytes = TempClient::readBytes(path);
    damage(bytes);
    TempClient::writeBytes(path, bytes);
    return path;
}

qsizetype at(int recordNo, int offset)
{
    return qsizetype(recordNo - 1) * ItemRecord::Length + offset;
}

TEST(LedgerCheck, SoundOrMissingLedgerHasNoProblems)
{
    TempClient client;
    const QString path = client.dataFolder() + DataFileName::Ledger;
    EXPECT_TRUE(CheckLedgerFile(path).ok()); // missing: the program creates it empty
    WriteTestLedger(path, 5);
    const LedgerCheck check = CheckLedgerFile(path);
    EXPECT_TRUE(check.ok()) << check.problems().join(u'\n').toStdString();
    EXPECT_EQ(check.wholeRecords, 5);
}

TEST(LedgerCheck, EachKindOfDamageIsNamed)
{
    struct Case {
        const char* what;
        std::function<void(QByteArray&)> damage;
        QStringList expected;
    };
    const QList<Case> cases = {
        {"short tail", [](QByteArray& b) { b.append(100, ' '); },
         {QStringLiteral("ledger: damaged tail of 100 bytes after record 3 (ignored)")}},
        {"tail of more than half a record", [](QByteArray& b) { b.append(500, ' '); },
         {QStringLiteral("ledger: damaged tail of 500 bytes after record 3 (counted as record 4)")}},
        {"record end", [](QByteArray& b) { b[at(2, ItemRecord::EndStart + 1)] = ' '; },
         {QStringLiteral("record 2: record end is not CR LF")}},
        // A double-byte character cut by the end of its field.
        {"split character in a text field",
         [](QByteArray& b) { b[at(3, ItemRecord::textOffset(1) + ItemRecord::TextWidth - 1)] = '\x82'; },
         {QStringLiteral("record 3: text[1] is not valid cp932")}},
        {"bad trail byte in a quantity",
         [](QByteArray& b) {
             b[at(1, ItemRecord::qtyOffset(2, 13))] = '\x82';
             b[at(1, ItemRecord::qtyOffset(2, 13) + 1)] = '\x20';
         },
         {QStringLiteral("record 1: qty[2][13] is not valid cp932")}},
    };
    for (const Case& c : cases) {
        TempClient client;
        const LedgerCheck check = CheckLedgerFile(ledgerOf(client, 3, c.damage));
        EXPECT_EQ(check.problems(), c.expected) << c.what;
    }
}

TEST(LedgerCheck, LongListingsStopAtTheLimitAndCountTheRest)
{
    TempClient client;
    const QString path = ledgerOf(client, 30, [](QByteArray& b) {
        for (int n = 1; n <= 25; ++n)
            b[at(n, ItemRecord::EndStart)] = 'x';
    });
    const QStringList problems = CheckLedgerFile(path, 20).problems();
    ASSERT_EQ(problems.size(), 21);
    EXPECT_EQ(problems[19], QStringLiteral("record 20: record end is not CR LF"));
    EXPECT_EQ(problems[20], QStringLiteral("... and 5 more records whose end is not CR LF"));
}

TEST(LedgerCheck, RecordsBeyondTheCapacityAreReported)
{
    TempClient client;
    const QString path = client.dataFolder() + DataFileName::Ledger;
    WriteTestLedger(path, 50009);
    EXPECT_TRUE(CheckLedgerFile(path).ok());
    WriteTestLedger(path, 50010);
    EXPECT_EQ(CheckLedgerFile(path).problems(),
              QStringList{QStringLiteral("ledger: 50010 records, more than the capacity of 50009; the rest are ignored")});
}

TEST(SettingsCheck, ProblemsOfASettingsFile)
{
    TempClient client;
    const QString path = client.root() + QStringLiteral("/settings.dat");
    const QString label = QStringLiteral("shared settings");

    TempClient::writeSettings(path, {QStringLiteral("1"), QString(), QStringLiteral("ボルト")});
    EXPECT_TRUE(CheckSettingsFile(path, label).isEmpty());

    QByteArray good = TempClient::readBytes(path);
    struct Case {
        const char* what;
        QByteArray bytes;
        QStringList expected;
    };
    QByteArray unquoted = good;
    unquoted.replace(0, 3, "1"); // line 1 was "1" in quotes
    QByteArray shortFile = good.left(good.size() - 4);
    QByteArray brokenText = good;
    brokenText.replace(0, 5, "\"\x82\"\r\n");
    const QList<Case> cases = {
        {"unquoted", unquoted, {label + QStringLiteral(": line 1 is not one double-quoted value")}},
        {"49 lines", shortFile, {label + QStringLiteral(": 49 lines, expected 50")}},
        {"broken cp932", brokenText, {label + QStringLiteral(": line 1 is not valid cp932")}},
    };
    for (const Case& c : cases) {
        TempClient::writeBytes(path, c.bytes);
        EXPECT_EQ(CheckSettingsFile(path, label), c.expected) << c.what;
    }

    // LF line ends: one problem per line, cut at the limit.
    QByteArray lf = good;
    lf.replace("\r\n", "\n");
    TempClient::writeBytes(path, lf);
    const QStringList problems = CheckSettingsFile(path, label, 20);
    ASSERT_EQ(problems.size(), 21);
    EXPECT_EQ(problems[0], label + QStringLiteral(": line 1 does not end in CR LF"));
    EXPECT_EQ(problems[20], QStringLiteral("... and 30 more line problems in the shared settings"));

    EXPECT_EQ(CheckSettingsFile(client.root() + QStringLiteral("/none.dat"), label),
              QStringList{label + QStringLiteral(": missing: ") + client.root() + QStringLiteral("/none.dat")});
}

TEST(DataFilesCheck, LooksAtTheLedgerAndBothSettingsFilesWhereTheStateFindsThem)
{
    TempClient client(true);
    AppState& state = client.state;
    TempClient::writeSettings(client.clientFolder() + SettingsFileName::Client, {client.dataFolder()});
    WriteTestLedger(client.dataFolder() + DataFileName::Ledger, 2);
    // The shared settings belong in the data folder: one left in the client folder does not count.
    TempClient::writeSettings(client.clientFolder() + SettingsFileName::Shared, {});
    EXPECT_EQ(CheckDataFiles(state),
              QStringList{QStringLiteral("shared settings: missing: ") + client.dataFolder() + SettingsFileName::Shared});
    TempClient::writeSettings(client.dataFolder() + SettingsFileName::Shared, {});
    EXPECT_TRUE(CheckDataFiles(state).isEmpty());

    state.DataFolder = client.root() + QStringLiteral("/gone/");
    EXPECT_EQ(CheckDataFiles(state).value(0), QStringLiteral("data folder: missing: ") + state.DataFolder);
}

} // namespace
