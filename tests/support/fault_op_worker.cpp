// Performs one operation that replaces user data, the way the screens perform it, so that a
// test can kill it or make its writes fail at any file call (through the fault-injection layer).
// Usage: tev-fault-op-worker FOLDER OPERATION [WORKBOOK_FOLDER]
// FOLDER is a client folder that is its own data folder. OPERATION is one of:
//   prepare           the starting data (settings, word lists, 40 items, item number file and the
//                     import workbooks copied from WORKBOOK_FOLDER into FOLDER/INP/)
//   settings          the start month chosen on the settings screen
//   client-settings   the backup switch of this client
//   vocabulary        "登　録" of the vocabulary editor after a word was added to list 2
//   item-numbers      the item number table rebuilt and written
//   store-new         "複 写" of record 1 and "登　録" (a new item appended)
//   store-correction  an entry in month 3 of record 5 and "登　録" (with the backup switch on)
//   sort              sort and "登　録" of the sort panel
//   delete            records 2 and 3 removed, "登　録" of the delete panel
//   import-items      the item import of the import screen
//   import-vocab      the vocabulary import of the import screen
//   rollover          the start of a new ledger year
// Prints every message the program shows ("message: TITLE" and the text), then "done" or
// "failed"; the exit status is 0 when the operation completed.
#include "excel_import/import_run.h"
#include "ledger/edit_session.h"
#include "ledger/ledger_commit.h"
#include "ledger/item_summary.h"
#include "ledger/ledger_view_state.h"
#include "ledger/stock_computation.h"
#include "menu/startup.h"
#include "settings/settings_texts.h"
#include "settings/year_rollover.h"
#include "excel_import/import_texts.h"
#include "storage/app_state.h"
#include "storage/item_number_file.h"
#include "storage/ledger_append.h"
#include "storage/ledger_file.h"
#include "storage/paths.h"
#include "storage/scripted_dialogs.h"
#include "storage/settings_files.h"
#include "storage/shared_settings_change.h"
#include "storage/settings_lines.h"
#include "storage/synthetic_items.h"
#include "storage/vocabulary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <cstdio>

namespace {

constexpr int PreparedItems = 40;

void print(const QString& text)
{
    QString lines = text;
    lines.replace(u'\r', u'\n');
    std::fputs(lines.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

void showResult(AppState& state, bool ok, const QString& message = QString())
{
    if (!message.isEmpty())
        state.dialogs.inform(ok ? SettingsText::ConfirmTitle : SettingsText::ErrorTitle, message);
}

bool prepare(AppState& state, const QString& folder, const QString& workbooks)
{
    state.ClientSettings[ClientLine::DataFolder] = folder;
    state.ClientSettings[ClientLine::PreviousDataFolder] = folder;
    state.ClientSettings[ClientLine::TransferPending] = QStringLiteral("0");
    state.ClientSettings[ClientLine::Backup] = QStringLiteral("1");
    state.DataFolder = folder;
    state.SharedSettings[SharedLine::StartMonth] = QStringLiteral("2023/04");
    state.SharedSettings[SharedLine::ImportFolder] = folder + QStringLiteral("INP/");
    const QStringList words{QStringLiteral("ポンプ"), QStringLiteral("バルブ"), QStringLiteral("軸受")};
    for (int list = VocabularyTable::FirstUsedList; list <= VocabularyTable::LastUsedList; ++list) {
        for (int i = 0; i < words.size(); ++i)
            state.Vocabulary.setEntry(list, i + 1, VocabularyEntry{QString::number(i + 1), words[i] + QString::number(list)});
        state.SharedSettings[ListCountLine(list)] = QString::number(words.size() + 1);
    }
    if (!WriteClientSettings(state) || !WriteSharedSettings(state) || !WriteVocabularyLists(state))
        return false;
    if (!AppendSyntheticItems(state, PreparedItems - 2, 7).stored())
        return false;
    // The item number file lags two items behind the ledger, so that writing it changes it.
    RebuildItemNumberTable(state);
    if (!WriteItemNumberFile(state))
        return false;
    if (!AppendSyntheticItems(state, 2, 8).stored())
        return false;
    QDir().mkpath(folder + QStringLiteral("INP"));
    for (const QString& name : {QStringLiteral("Mb在庫品INP.xlsx"), QStringLiteral("Mb在庫品項目INP.xlsx")})
        if (!QFile::copy(workbooks + u'/' + name, folder + QStringLiteral("INP/") + name))
            return false;
    return true;
}

bool writeSettings(AppState& state)
{
    const IoResult written = ChangeSharedSettings(state, {{SharedLine::StartMonth, QStringLiteral("2023/10")}});
    if (!written)
        showResult(state, false, StartMonthNotSavedMessage(written));
    return bool(written);
}

bool writeClientSettings(AppState& state)
{
    state.ClientSettings[ClientLine::Backup] = QStringLiteral("0");
    const IoResult written = WriteClientSettings(state);
    if (!written)
        showResult(state, false, ClientSettingsFailureMessage(written));
    return bool(written);
}

bool registerLists(AppState& state)
{
    const int list = 2;
    const int next = state.Vocabulary.wordCount(list) + 1;
    state.Vocabulary.setEntry(list, next, VocabularyEntry{QString(), QStringLiteral("歯車")});
    state.SharedSettings[ListCountLine(list)] = QString::number(next + 1);
    const IoResult stored = StoreVocabularyLists(state);
    showResult(state, stored.ok, stored ? ListsRegisteredMessage() : ListsNotRegisteredMessage(stored));
    return stored.ok;
}

bool writeItemNumbers(AppState& state)
{
    RebuildItemNumberTable(state);
    const IoResult written = WriteItemNumberFile(state);
    if (!written)
        showResult(state, false, SaveFailureMessage(written));
    return bool(written);
}

bool storeNew(AppState& state, ScriptedDialogs& dialogs)
{
    dialogs.setDefaultAnswer(Dialogs::Answer::Yes); // "複写します" and the duplicate item number
    LedgerViewState view;
    EditSession session(state, view);
    session.startCorrect(1);
    return session.copy() && session.store().stored();
}

// A batch of new items in one append, as tev-cli generate makes it.
bool generateItems(AppState& state)
{
    const AppendResult result = AppendSyntheticItems(state, 40, 7);
    if (!result.stored())
        showResult(state, false, LedgerWriteFailureMessage(result.io, result.partLeft));
    return result.stored();
}

bool storeCorrection(AppState& state)
{
    LedgerViewState view;
    EditSession session(state, view);
    session.startCorrect(5);
    if (session.mode() != 1 || !session.selectMonthCell(QtyRow::Received, 3))
        return false;
    const double value = session.item().qtyNumber(QtyRow::Received, 3) + 7;
    return session.commitEntry(QString::number(value)) && session.store().stored();
}

bool sortAndCommit(AppState& state)
{
    const CommitResult committed = CommitSort(state, {});
    if (!committed.ok())
        showResult(state, false, CommitFailureMessage(committed.io));
    return committed.ok();
}

bool deleteAndCommit(AppState& state)
{
    const ItemSummaryTable items = ReadItemSummary(state);
    if (items.size() < 3)
        return false;
    const CommitResult committed = CommitDeletion(state, {items[1].listed(), items[2].listed()});
    if (!committed.ok())
        showResult(state, false, CommitFailureMessage(committed.io));
    return committed.ok();
}

bool importItems(AppState& state, ScriptedDialogs& dialogs)
{
    dialogs.setDefaultAnswer(Dialogs::Answer::Yes); // go on past the problems the check lists
    return RunItemImport(state, ImportRunMode::Interactive, ImportRunView{}).outcome == ImportOutcome::Done;
}

bool importVocabulary(AppState& state, ScriptedDialogs& dialogs)
{
    dialogs.setDefaultAnswer(Dialogs::Answer::Yes);
    return RunVocabularyImport(state, ImportRunView{}).outcome == ImportOutcome::Done;
}

bool rollOver(AppState& state)
{
    const QString month = QStringLiteral("2024/04");
    const RolloverResult result =
        RollOverLedgerYear(state, state.SharedSettings[SharedLine::StartMonth], month, QDateTime(QDate(2024, 4, 1), QTime(9, 0, 0)));
    showResult(state, result.ok(), RolloverMessage(result, month));
    return result.ok();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const QString folder = NormaliseFolder(args[1]);
    const QString operation = args[2];
    ScriptedDialogs dialogs;
    AppState state(dialogs);
    state.ClientFolder = folder;
    state.PcName = QStringLiteral("FAULT-TEST");

    bool ok = false;
    if (operation == QStringLiteral("prepare")) {
        ok = args.size() == 4 && prepare(state, folder, args[3]);
    } else {
        state.endProgram = [] {};
        RunStartupSequence(state);
        if (operation == QStringLiteral("settings"))
            ok = writeSettings(state);
        else if (operation == QStringLiteral("client-settings"))
            ok = writeClientSettings(state);
        else if (operation == QStringLiteral("vocabulary"))
            ok = registerLists(state);
        else if (operation == QStringLiteral("item-numbers"))
            ok = writeItemNumbers(state);
        else if (operation == QStringLiteral("store-new"))
            ok = storeNew(state, dialogs);
        else if (operation == QStringLiteral("generate"))
            ok = generateItems(state);
        else if (operation == QStringLiteral("store-correction"))
            ok = storeCorrection(state);
        else if (operation == QStringLiteral("sort"))
            ok = sortAndCommit(state);
        else if (operation == QStringLiteral("delete"))
            ok = deleteAndCommit(state);
        else if (operation == QStringLiteral("import-items"))
            ok = importItems(state, dialogs);
        else if (operation == QStringLiteral("import-vocab"))
            ok = importVocabulary(state, dialogs);
        else if (operation == QStringLiteral("rollover"))
            ok = rollOver(state);
        else
            return 2;
    }
    for (const ScriptedDialogs::Shown& shown : dialogs.shown()) {
        if (!shown.question)
            print(QStringLiteral("message: ") + shown.title + u'\n' + shown.text);
    }
    print(ok ? QStringLiteral("done") : QStringLiteral("failed"));
    std::fflush(stdout);
    return ok ? 0 : 1;
}
