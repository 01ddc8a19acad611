// One client of the randomized multi-client test (tests/stress/random_clients_test.cpp). For a
// bounded time it picks operations at random and runs each either in this process through the
// core library, as the ledger screen does, or by starting tev-cli, as a script would:
//   store     a new item (StoreNewItem), number "S<INDEX>-<k>"
//   generate  tev-cli generate K --seed S
//   move      a receipt or an issue of a move target: tev-cli move, or the edit frame in-process
//   correct   the 仕様 field of a correction target, through the edit frame; a store that
//             finds the item changed by another client asks "overwrite?", answered No
//   sort      tev-cli sort, or the sort panel: the sorted list is shown, the user looks at it for
//             a moment, then "登　録"
//   delete    the deletion panel: the list is read, 1-3 items are picked, the user looks, then
//             "登　録"; only deletable items ("D…") and items this client stored are picked
//   import    tev-cli import-items of a workbook that holds the import zone Z01..Z05 with a new
//             仕様
//
// The client has a client folder of its own (SCRATCH_FOLDER/client) whose settings name the data
// folder, as each PC has. When an operation fails because the data moved to another folder (a
// transfer), the client registers that folder, as its user would after the message, and goes on.
//
// Usage: tev-random-client-worker DATA_FOLDER INDEX SEED SECONDS TEV_CLI SCRATCH_FOLDER
//
// stdout is the journal, one line for every operation this client was told succeeded:
//   stored NUMBER
//   generated COUNT
//   moved NUMBER in|out MONTH QUANTITY START END   (START, END: steady clock in µs around the write)
//   corrected NUMBER VALUE START END     (START, END: steady clock in µs around the store)
//   imported VALUE START END             (around the tev-cli run)
//   deleted NUMBER
//   sorted
//   followed FOLDER                      (the client now works in the folder the data moved to)
// and at the end "tally KIND DONE FAILED" per kind and "why KIND COUNT TEXT" per reason of
// failure (digits in TEXT shown as #).
#include "ledger/edit_frame_cells.h"
#include "ledger/edit_session.h"
#include "ledger/item_summary.h"
#include "ledger/ledger_commit.h"
#include "ledger/ledger_sort.h"
#include "ledger/ledger_view_state.h"
#include "menu/startup.h"
#include "storage/app_state.h"
#include "storage/item_number_file.h"
#include "storage/item_record.h"
#include "storage/ledger_append.h"
#include "storage/moved_folder.h"
#include "storage/scripted_dialogs.h"
#include "storage/settings_files.h"
#include "workbook/workbook.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStringList>
#include <QThread>

#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// The calls of the ledger screen's sort and deletion panels ("Sort開始" / the list, the user's
// look at it, "登　録"), kept together in this one section.
namespace ScreenCalls {

// The deletion panel's list as it was read.
struct DeletionList {
    IoResult io;
    ItemSummaryTable rows;
};

DeletionList ReadDeletionList(AppState& state)
{
    DeletionList list;
    list.rows = ReadItemSummary(state, &list.io);
    return list;
}

// "登　録" of the deletion panel after the rows at `chosen` (indices into list.rows) were removed
// with "行削除".
CommitResult CommitChosenDeletion(AppState& state, const DeletionList& list, const std::vector<int>& chosen)
{
    QList<ListedRecord> removed;
    for (int index : chosen)
        removed.append(list.rows[size_t(index)].listed());
    CountAfterDeletion(state, int(removed.size())); // the count of the confirmation question
    return CommitDeletion(state, removed);
}

// "Sort開始", the user looks at the sorted list (`userLooks`), "登　録".
CommitResult SortLikeTheScreen(AppState& state, const std::function<void()>& userLooks)
{
    const SortPreview preview = PreviewSortedLedger(state);
    if (!preview.io) {
        CommitResult failed;
        failed.io = preview.io;
        return failed;
    }
    userLooks();
    CountAfterSort(state, 0);
    return CommitSort(state, {});
}

} // namespace ScreenCalls
// ---------------------------------------------------------------------------------------------

// The reason a failed commit gives (its third line; the first two say the ledger is unchanged).
QString commitReason(const IoResult& io)
{
    const QStringList lines = CommitFailureMessage(io).split(u'\r');
    return lines.size() > 2 ? lines[2] : lines.join(u' ');
}

qint64 steadyMicros()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class Worker {
public:
    Worker(const QString& folder, int index, std::uint32_t seed, const QString& cli, const QString& scratch)
        : m_state(m_dialogs), m_clientFolder(scratch + QStringLiteral("/client/")), m_index(index), m_random(seed),
          m_cli(cli), m_scratch(scratch)
    {
        QDir().mkpath(m_clientFolder);
        placeClientIn(folder);
        m_state.ClientFolder = m_clientFolder;
        m_state.endProgram = [] {};
        RunStartupSequence(m_state);
        m_state.PcName = QStringLiteral("PC%1").arg(index);
        // Questions ("overwrite the other client's change?") are answered No: this client never
        // decides to undo another client's work.
        m_dialogs.setDefaultAnswer(Dialogs::Answer::No);
    }

    void runFor(qint64 millis)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < millis) {
            m_dialogs.clear();
            m_why.clear();
            const int pick = uniform(1, 100);
            if (pick <= 16)
                count(QStringLiteral("store"), store());
            else if (pick <= 22)
                count(QStringLiteral("generate"), generate());
            else if (pick <= 50)
                count(QStringLiteral("move"), move());
            else if (pick <= 62)
                count(QStringLiteral("correct"), correct());
            else if (pick <= 70)
                count(QStringLiteral("sort"), sort());
            else if (pick <= 92)
                count(QStringLiteral("delete"), remove());
            else
                count(QStringLiteral("import"), import());
        }
        for (auto it = m_tally.begin(); it != m_tally.end(); ++it)
            line(QStringLiteral("tally %1 %2 %3").arg(it.key()).arg(it.value().first).arg(it.value().second));
        for (auto it = m_reasons.begin(); it != m_reasons.end(); ++it)
            line(QStringLiteral("why %1 %2 %3").arg(it.key().first).arg(it.value()).arg(it.key().second));
    }

private:
    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    void pause(int lowMs, int highMs) { QThread::msleep(ulong(uniform(lowMs, highMs))); }
    static void line(const QString& text)
    {
        std::printf("%s\n", text.toUtf8().constData());
        std::fflush(stdout);
    }

    // Client settings lines 1..3: this client works in `dataFolder` (both its programs read them).
    void placeClientIn(const QString& dataFolder)
    {
        ReadSettingsFile(m_clientFolder + SettingsFileName::Client, m_state.ClientSettings);
        m_state.ClientSettings[ClientLine::DataFolder] = dataFolder;
        m_state.ClientSettings[ClientLine::PreviousDataFolder] = dataFolder;
        m_state.ClientSettings[ClientLine::TransferPending] = QStringLiteral("1");
        WriteSettingsFile(m_clientFolder + SettingsFileName::Client, m_state.ClientSettings);
    }

    // After a failure: where the data folder says its data moved, the user registers the new one.
    void followMovedData()
    {
        const std::optional<QString> movedTo = MovedDataFolder(m_state.DataFolder);
        if (!movedTo || movedTo->isEmpty())
            return;
        placeClientIn(*movedTo);
        m_state.DataFolder = NormaliseFolder(*movedTo);
        m_state.ItemTableLoaded = false;
        ReadSharedSettings(m_state);
        line(QStringLiteral("followed ") + *movedTo);
    }

    void count(const QString& kind, bool done)
    {
        auto& counts = m_tally[kind];
        (done ? counts.first : counts.second) += 1;
        if (done)
            return;
        followMovedData();
        // The reason of the failure: what the program said (the first line), digits masked so
        // that refusals of the same kind count together.
        QString why = m_why;
        if (why.isEmpty() && !m_dialogs.shown().isEmpty())
            why = m_dialogs.shown().back().text;
        why = why.section(QRegularExpression(QStringLiteral("[\r\n]")), 0, 0, QString::SectionSkipEmpty).simplified();
        why.replace(QRegularExpression(QStringLiteral("[0-9]+")), QStringLiteral("#"));
        m_reasons[{kind, why.isEmpty() ? QStringLiteral("(no message)") : why.left(120)}] += 1;
    }

    // tev-cli --client-folder FOLDER ARGS; true on exit status 0. stderr becomes the reason.
    bool runCli(const QStringList& args)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("TEV_CLIENT_FOLDER"));
        process.setProcessEnvironment(env);
        process.start(m_cli, QStringList{QStringLiteral("--client-folder"), m_clientFolder} + args);
        if (!process.waitForFinished(120000)) {
            process.kill();
            process.waitForFinished();
            m_why = QStringLiteral("tev-cli %1 did not finish").arg(args.value(0));
            return false;
        }
        const bool ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
        if (!ok)
            m_why = QString::fromUtf8(process.readAllStandardError()).trimmed();
        return ok;
    }

    bool store()
    {
        const QString number = QStringLiteral("S%1-%2").arg(m_index).arg(++m_stores);
        m_state.CurrentRecord.clear();
        m_state.CurrentRecord.setText(ItemField::Number, number);
        m_state.CurrentRecord.setText(ItemField::Name, QStringLiteral("試験品%1").arg(m_index));
        m_state.CurrentRecord.setText(ItemField::Unit, QStringLiteral("個"));
        const AppendResult appended = StoreNewItem(m_state);
        if (!appended.stored()) {
            m_why = appended.io.detail;
            return false;
        }
        m_mine.append(number);
        line(QStringLiteral("stored ") + number);
        return true;
    }

    bool generate()
    {
        const int items = uniform(1, 8);
        if (!runCli({QStringLiteral("generate"), QString::number(items), QStringLiteral("--seed"),
                     QString::number(uniform(1, 1 << 30))}))
            return false;
        line(QStringLiteral("generated %1").arg(items));
        return true;
    }

    // Opens the item in the edit frame as "訂 正" does after the list was shown.
    bool load(EditSession& session, const QString& number)
    {
        RebuildItemNumberTable(m_state);
        if (!FindItemNumber(m_state, number)) {
            m_why = QStringLiteral("item not found");
            return false;
        }
        session.startCorrect(m_state.FoundRecordNo);
        if (session.mode() != 1 || session.item().text(ItemField::Number) != number) {
            m_why = QStringLiteral("the record read is not the item looked up");
            return false;
        }
        return true;
    }

    bool move()
    {
        const QString number = QStringLiteral("M%1").arg(uniform(1, 20), 2, 10, QChar(u'0'));
        const int month = uniform(1, 12);
        const bool receipt = uniform(1, 100) <= 75;
        const int quantity = receipt ? uniform(1, 5) : uniform(1, 2);
        qint64 start = steadyMicros();
        if (uniform(1, 3) <= 2) { // two of three through tev-cli, as a script enters them
            if (!runCli({QStringLiteral("move"), number, QStringLiteral("--month"), QString::number(month),
                         receipt ? QStringLiteral("--in") : QStringLiteral("--out"), QString::number(quantity)}))
                return false;
        } else {
            LedgerViewState view;
            EditSession session(m_state, view);
            if (!load(session, number))
                return false;
            pause(0, 100); // the clerk types the quantity
            const int row = receipt ? QtyRow::Received : QtyRow::Issued;
            const double value = session.item().qtyNumber(row, month) + quantity;
            if (!session.selectMonthCell(row, month) || !session.commitEntry(QString::number(value)))
                return false;
            start = steadyMicros();
            if (!session.store().stored())
                return false;
        }
        const qint64 end = steadyMicros();
        line(QStringLiteral("moved %1 %2 %3 %4 %5 %6").arg(number, receipt ? QStringLiteral("in") : QStringLiteral("out"))
                 .arg(month)
                 .arg(quantity)
                 .arg(start)
                 .arg(end));
        return true;
    }

    bool correct()
    {
        const QString number = QStringLiteral("C%1").arg(uniform(1, 10), 2, 10, QChar(u'0'));
        const QString value = QStringLiteral("W%1-%2").arg(m_index).arg(++m_corrections);
        LedgerViewState view;
        EditSession session(m_state, view);
        if (!load(session, number))
            return false;
        pause(0, 100);
        session.selectItemCell(ItemColumn::Shiyo);
        session.enterText(value);
        const qint64 start = steadyMicros();
        if (!session.store().stored())
            return false;
        const qint64 end = steadyMicros();
        line(QStringLiteral("corrected %1 %2 %3 %4").arg(number, value).arg(start).arg(end));
        return true;
    }

    bool sort()
    {
        if (uniform(0, 1) == 0) {
            if (!runCli({QStringLiteral("sort")}))
                return false;
        } else {
            const CommitResult committed = ScreenCalls::SortLikeTheScreen(m_state, [this] { pause(50, 500); });
            if (!committed.ok()) {
                m_why = commitReason(committed.io);
                return false;
            }
        }
        line(QStringLiteral("sorted"));
        return true;
    }

    bool remove()
    {
        const ScreenCalls::DeletionList list = ScreenCalls::ReadDeletionList(m_state);
        if (!list.io) {
            m_why = list.io.detail;
            return false;
        }
        std::vector<int> candidates;
        for (int k = 0; k < int(list.rows.size()); ++k) {
            const QString& number = list.rows[size_t(k)].number;
            if (number.startsWith(u'D') || m_mine.contains(number))
                candidates.push_back(k);
        }
        std::vector<int> chosen;
        QStringList numbers;
        for (int k = uniform(1, 3); k > 0 && !candidates.empty(); --k) {
            const auto at = candidates.begin() + uniform(0, int(candidates.size()) - 1);
            chosen.push_back(*at);
            numbers.append(list.rows[size_t(*at)].number);
            candidates.erase(at);
        }
        if (chosen.empty()) {
            m_why = QStringLiteral("nothing left to delete");
            return false;
        }
        pause(50, 500); // the user picks the rows
        const CommitResult committed = ScreenCalls::CommitChosenDeletion(m_state, list, chosen);
        if (!committed.ok()) {
            m_why = commitReason(committed.io);
            return false;
        }
        for (const QString& number : std::as_const(numbers)) {
            m_mine.removeAll(number);
            line(QStringLiteral("deleted ") + number);
        }
        return true;
    }

    // The import workbook: the zone items in the ledger workbook's layout (two rows per item
    // from row 5; C item number, D name, E 仕様).
    bool import()
    {
        const QString value = QStringLiteral("V%1-%2").arg(m_index).arg(++m_imports);
        const QString path = m_scratch + QStringLiteral("/zone-%1-%2.xlsx").arg(m_index).arg(m_imports);
        auto book = Workbook::createBlank(path);
        for (int k = 1; k <= 5; ++k) {
            const int row = 5 + 2 * (k - 1);
            book->sheet().setText(row, 3, QStringLiteral("Z%1").arg(k, 2, 10, QChar(u'0')));
            book->sheet().setText(row, 4, QStringLiteral("AAAA"));
            book->sheet().setText(row, 5, value);
        }
        if (!book->save().ok()) {
            m_why = QStringLiteral("the import workbook could not be written");
            return false;
        }
        const qint64 start = steadyMicros();
        if (!runCli({QStringLiteral("import-items"), path}))
            return false;
        const qint64 end = steadyMicros();
        line(QStringLiteral("imported %1 %2 %3").arg(value).arg(start).arg(end));
        return true;
    }

    ScriptedDialogs m_dialogs;
    AppState m_state;
    QString m_clientFolder;
    int m_index;
    std::mt19937 m_random;
    QString m_cli;
    QString m_scratch;
    int m_stores = 0;
    int m_corrections = 0;
    int m_imports = 0;
    QStringList m_mine; // items this client stored and has not deleted
    QString m_why;      // the reason of the current operation's failure, when known
    QMap<QString, std::pair<int, int>> m_tally;
    QMap<std::pair<QString, QString>, int> m_reasons;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 7) {
        std::fprintf(stderr, "usage: tev-random-client-worker DATA_FOLDER INDEX SEED SECONDS TEV_CLI SCRATCH_FOLDER\n");
        return 2;
    }
    Worker worker(args[1], args[2].toInt(), std::uint32_t(args[3].toULong()), args[5], args[6]);
    worker.runFor(args[4].toLongLong() * 1000);
    return 0;
}
