// One client of the randomized shared-folder test: for a bounded time it runs a random mix of the
// operations that write the ledger, each through the same core calls as the screens and tev-cli,
// and keeps a journal on stdout of what it was told succeeded.
// Usage: tev-random-ops-worker FOLDER INDEX SEED SECONDS
//
// The data folder is prepared by the test with items whose numbers say what may happen to them:
//   Z01..Z05  the import zone: named so that they sort first, replaced by the item imports only
//   M01..M20  move targets: receipts are added to their months
//   C01..C10  correction targets: their specification is rewritten
//   D0001..   may be deleted
//   G…        generated items; the generates add more, deletions never pick them
// Items this worker stores itself ("S<INDEX>-<k>") may be deleted by it as well.
//
// Journal lines (only for what was reported as done):
//   stored NUMBER | generated COUNT | moved NUMBER MONTH QUANTITY | corrected NUMBER VALUE
//   deleted NUMBER | sorted | imported VALUE
// and at the end one "tally KIND done failed" line per kind of operation.
#include "excel_import/item_import.h"
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
#include "storage/scripted_dialogs.h"
#include "storage/synthetic_items.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMap>
#include <QStringList>
#include <QThread>
#include <cstdio>
#include <random>

namespace {

class Worker {
public:
    Worker(const QString& folder, int index, std::uint32_t seed)
        : m_state(m_dialogs), m_index(index), m_random(seed)
    {
        m_state.ClientFolder = folder;
        m_state.PcName = QStringLiteral("PC%1").arg(index);
        m_state.endProgram = [] {};
        RunStartupSequence(m_state);
        // A question of the program (overwrite another client's store?) is answered No: the
        // worker never takes a decision that would undo another client's work.
        m_dialogs.setDefaultAnswer(Dialogs::Answer::No);
    }

    void runFor(qint64 millis)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < millis) {
            m_dialogs.clear();
            const int pick = uniform(1, 100);
            if (pick <= 22)
                tally(QStringLiteral("store"), store());
            else if (pick <= 30)
                tally(QStringLiteral("generate"), generate());
            else if (pick <= 58)
                tally(QStringLiteral("move"), move());
            else if (pick <= 70)
                tally(QStringLiteral("correct"), correct());
            else if (pick <= 80)
                tally(QStringLiteral("sort"), sort());
            else if (pick <= 94)
                tally(QStringLiteral("delete"), remove());
            else
                tally(QStringLiteral("import"), import());
        }
        for (auto it = m_tally.begin(); it != m_tally.end(); ++it)
            line(QStringLiteral("tally %1 %2 %3").arg(it.key()).arg(it.value().first).arg(it.value().second));
    }

private:
    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    void pause(int lowMs, int highMs) { QThread::msleep(ulong(uniform(lowMs, highMs))); }
    void line(const QString& text)
    {
        std::printf("%s\n", text.toUtf8().constData());
        std::fflush(stdout);
    }
    void tally(const QString& kind, bool done)
    {
        auto& counts = m_tally[kind];
        (done ? counts.first : counts.second) += 1;
    }

    bool store()
    {
        const QString number = QStringLiteral("S%1-%2").arg(m_index).arg(++m_stored);
        m_state.CurrentRecord.clear();
        m_state.CurrentRecord.setText(ItemField::Number, number);
        m_state.CurrentRecord.setText(ItemField::Name, QStringLiteral("試験品%1").arg(m_index));
        m_state.CurrentRecord.setText(ItemField::Unit, QStringLiteral("個"));
        if (!StoreNewItem(m_state).stored())
            return false;
        m_mine.append(number);
        line(QStringLiteral("stored ") + number);
        return true;
    }

    bool generate()
    {
        const int count = uniform(1, 8);
        if (!AppendSyntheticItems(m_state, count, std::uint32_t(uniform(1, 1 << 30))).stored())
            return false;
        line(QStringLiteral("generated %1").arg(count));
        return true;
    }

    // Loads the item as "訂 正" does after the list was shown; false when it is not there.
    bool load(EditSession& session, const QString& number)
    {
        RebuildItemNumberTable(m_state);
        if (!FindItemNumber(m_state, number))
            return false;
        session.startCorrect(m_state.FoundRecordNo);
        return session.mode() == 1 && session.item().text(ItemField::Number) == number;
    }

    bool move()
    {
        const QString number = QStringLiteral("M%1").arg(uniform(1, 20), 2, 10, QChar(u'0'));
        const int month = uniform(1, 12);
        const int quantity = uniform(1, 5);
        LedgerViewState view;
        EditSession session(m_state, view);
        if (!load(session, number))
            return false;
        pause(0, 30); // the clerk types
        const double value = session.item().qtyNumber(QtyRow::Received, month) + quantity;
        if (!session.selectMonthCell(QtyRow::Received, month) || !session.commitEntry(QString::number(value)))
            return false;
        if (!session.store().stored())
            return false;
        line(QStringLiteral("moved %1 %2 %3").arg(number).arg(month).arg(quantity));
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
        pause(0, 30);
        session.selectItemCell(ItemColumn::Specification);
        session.enterText(value);
        if (!session.store().stored())
            return false;
        line(QStringLiteral("corrected %1 %2").arg(number, value));
        return true;
    }

    // --- The sort and deletion as the sort/delete panel makes them: the list is read, the user
    // --- looks at it for a moment, then "登　録" commits.
    bool sort()
    {
        const SortPreview preview = PreviewSortedLedger(m_state);
        if (!preview.io)
            return false;
        pause(20, 300);
        if (!CommitSort(m_state, {}).ok())
            return false;
        line(QStringLiteral("sorted"));
        return true;
    }

    bool remove()
    {
        const ItemSummaryTable table = ReadItemSummary(m_state);
        QList<const ItemSummaryRow*> candidates;
        for (const ItemSummaryRow& row : table)
            if (row.number.startsWith(u'D') || m_mine.contains(row.number))
                candidates.append(&row);
        if (candidates.isEmpty())
            return false;
        QList<ListedRecord> removed;
        QStringList numbers;
        for (int k = uniform(1, 2); k > 0 && !candidates.isEmpty(); --k) {
            const ItemSummaryRow* row = candidates.takeAt(uniform(0, int(candidates.size()) - 1));
            removed.append(row->listed());
            numbers.append(row->number);
        }
        pause(20, 300);
        if (!CommitDeletion(m_state, removed).ok())
            return false;
        for (const QString& number : std::as_const(numbers)) {
            m_mine.removeAll(number);
            line(QStringLiteral("deleted ") + number);
        }
        return true;
    }
    // --- End of the panel's calls.

    bool import()
    {
        const QString value = QStringLiteral("V%1-%2").arg(m_index).arg(++m_imports);
        ItemImportPlan plan;
        for (int k = 1; k <= 5; ++k) {
            ItemRecord item;
            item.setText(ItemField::Number, QStringLiteral("Z%1").arg(k, 2, 10, QChar(u'0')));
            item.setText(ItemField::Name, QStringLiteral("AAAA"));
            item.setText(ItemField::Specification, value);
            item.setRecordEnd();
            plan.items.push_back(item);
        }
        plan.itemsInWorkbook = 5;
        if (!ApplyItemImport(m_state, plan).commit.ok())
            return false;
        line(QStringLiteral("imported ") + value);
        return true;
    }

    ScriptedDialogs m_dialogs;
    AppState m_state;
    int m_index;
    std::mt19937 m_random;
    int m_stored = 0;
    int m_corrections = 0;
    int m_imports = 0;
    QStringList m_mine; // items this worker stored and has not deleted
    QMap<QString, std::pair<int, int>> m_tally;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return 2;
    Worker worker(args[1], args[2].toInt(), std::uint32_t(args[3].toULong()));
    worker.runFor(args[4].toLongLong() * 1000);
    return 0;
}
