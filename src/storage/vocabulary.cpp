#include "storage/vocabulary.h"

#include "storage/app_state.h"
#include "storage/cp932_codec.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/paths.h"
#include "storage/moved_folder.h"
#include "storage/quoted_text_file.h"
#include "storage/settings_files.h"
#include "storage/shared_settings_change.h"

#include <QDir>
#include <algorithm>

namespace {

const VocabularyEntry EmptyEntry;

bool validList(int list)
{
    return list >= 0 && list < VocabularyTable::ListCount;
}

bool validIndex(int index)
{
    return index >= 1 && index <= VocabularyTable::EntryCapacity;
}

// The entry count stored for a list, limited to what the table can hold (+ the end mark).
int storedCount(const AppState& state, int list)
{
    const double count = ReadNumber(state.SharedSettings[ListCountLine(list)]);
    if (count <= 0)
        return 0;
    return static_cast<int>(std::min<double>(count, VocabularyTable::EntryCapacity));
}

} // namespace

const VocabularyEntry& VocabularyTable::entry(int list, int index) const
{
    if (!validList(list) || index < 1 || static_cast<size_t>(index) >= m_lists[list].size())
        return EmptyEntry;
    return m_lists[list][index];
}

void VocabularyTable::setEntry(int list, int index, const VocabularyEntry& entry)
{
    if (!validList(list) || !validIndex(index))
        return;
    auto& entries = m_lists[list];
    if (static_cast<size_t>(index) >= entries.size())
        entries.resize(static_cast<size_t>(index) + 1);
    entries[index] = entry;
}

void VocabularyTable::clear()
{
    for (auto& entries : m_lists)
        entries.clear();
}

void VocabularyTable::clearList(int list)
{
    if (validList(list))
        m_lists[list].clear();
}

int VocabularyTable::wordCount(int list) const
{
    int i = 1;
    while (i <= EntryCapacity && !entry(list, i).word.isEmpty())
        ++i;
    return i - 1;
}

QString VocabularyPath(const AppState& state, int list)
{
    return state.DataFolder + QStringLiteral("Mb在庫品") + QStringLiteral("%1").arg(list, 2, 10, QChar(u'0'))
        + QStringLiteral(".dat");
}

void ReadVocabularyList(VocabularyTable& table, int list, const QStringList& lines)
{
    const int last = static_cast<int>(std::min<qsizetype>(lines.size(), VocabularyTable::EntryCapacity));
    for (int i = 1; i <= last; ++i) {
        const QStringList values = SplitQuotedLine(lines.at(i - 1));
        const VocabularyEntry entry{values.value(0), values.value(1)};
        table.setEntry(list, i, entry);
        if (entry.word.isEmpty())
            break;
    }
}

bool ReadVocabularyLists(AppState& state)
{
    state.Vocabulary.clear();
    for (int list = VocabularyTable::FirstUsedList; list <= VocabularyTable::LastUsedList; ++list) {
        const auto lines = ReadTextLines(VocabularyPath(state, list));
        if (!lines)
            return false; // this list and all later ones stay empty
        if (storedCount(state, list) == 0)
            continue;
        ReadVocabularyList(state.Vocabulary, list, *lines);
    }
    return true;
}

IoResult WriteVocabularyLists(AppState& state)
{
    IoResult firstFailure;
    for (int list = VocabularyTable::FirstUsedList; list <= VocabularyTable::LastUsedList; ++list) {
        const int count = storedCount(state, list);
        QStringList lines;
        lines.reserve(count);
        for (int i = 1; i <= count; ++i) {
            const VocabularyEntry& e = state.Vocabulary.entry(list, i);
            lines.append(JoinQuotedLine({e.id, e.word}));
        }
        const IoResult result = WriteTextLines(VocabularyPath(state, list), lines);
        if (!result && firstFailure)
            firstFailure = result;
    }
    return firstFailure;
}

IoResult StoreVocabularyLists(AppState& state)
{
    SharedSettingsLock lock(state);
    if (const IoResult taken = lock.take(); !taken)
        return taken;
    if (const IoResult moved = RefuseWhenMoved(state.DataFolder); !moved)
        return moved;
    const IoResult lists = WriteVocabularyLists(state);
    SharedSettingsChanges counts;
    for (int list = VocabularyTable::FirstUsedList; list <= VocabularyTable::LastUsedList; ++list)
        counts.append({ListCountLine(list), state.SharedSettings[ListCountLine(list)]});
    const IoResult shared = ChangeSharedSettingsLocked(state, counts);
    return lists ? shared : lists;
}

AddWordOutcome AddWordToList(AppState& state, int list, const QString& word)
{
    const QString question = QStringLiteral("項目リストに ") + word + QStringLiteral(" を追加しますか？") + u'\r'
        + QStringLiteral("※リスト最下部に追加され");
    if (state.dialogs.ask(QStringLiteral("登録確認"), question) != Dialogs::Answer::Yes)
        return AddWordOutcome::Declined;

    // Compared as the list file holds them: a word typed with an input method's "〜" is the same
    // word as the "～" read from the file (or the other way round for an entry not yet read back).
    const QString stored = Cp932::storedForm(word);
    for (int i = 1; i <= VocabularyTable::EntryCapacity; ++i) {
        const VocabularyEntry& entry = state.Vocabulary.entry(list, i);
        if (Cp932::storedForm(FieldText(entry.word)) == stored) {
            state.dialogs.inform(QStringLiteral("登録確認"), QStringLiteral("項目リストに同じ語句があります。"));
            return AddWordOutcome::AlreadyPresent;
        }
        if (entry.word.isEmpty()) {
            state.Vocabulary.setEntry(list, i, VocabularyEntry{QString(), stored});
            state.SharedSettings[ListCountLine(list)] = QString::number(i + 1);
            return StoreVocabularyLists(state) ? AddWordOutcome::Added : AddWordOutcome::SaveFailed;
        }
    }
    state.dialogs.inform(QStringLiteral("登録確認"),
                         QStringLiteral("項目リストが満杯です（") + QString::number(VocabularyTable::EntryCapacity)
                             + QStringLiteral("語）。") + u'\r' + QStringLiteral("不要な語句を削除してから追加してください。"));
    return AddWordOutcome::ListFull;
}

void PrepareDataEnvironment(AppState& state)
{
    const bool complete = ReadVocabularyLists(state);
    state.DataFolder = NormaliseFolder(state.ClientSettings[ClientLine::DataFolder]);
    if (complete)
        return;
    state.dialogs.inform(QStringLiteral("登録確認"),
                         QStringLiteral("  データフォルダーは存在しますが、データ環境が未整備です・") + u'\r'
                             + QStringLiteral("　データフォルダーの環境を作成します。"));
    ChangeSharedSettings(state, {});
    WriteVocabularyLists(state);
    QDir().mkdir(state.DataFolder + DataFileName::OutputFolder);
}
