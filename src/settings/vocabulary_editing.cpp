#include "settings/vocabulary_editing.h"

#include "storage/app_state.h"
#include "storage/cp932_codec.h"
#include "storage/field_text.h"

#include <algorithm>

namespace {

bool validRow(const VocabularyEntries& entries, int row)
{
    return row >= 1 && row <= static_cast<int>(entries.size());
}

const VocabularyEntry BlankEntry{VocabularyEditing::BlankWord, VocabularyEditing::BlankWord};

// Empty words before the last word become blanks.
void keepWordsReachable(VocabularyEntries& entries)
{
    auto lastWord = std::find_if(entries.rbegin(), entries.rend(), [](const VocabularyEntry& e) { return !e.word.isEmpty(); });
    for (auto it = lastWord; it != entries.rend(); ++it)
        if (it->word.isEmpty())
            it->word = VocabularyEditing::BlankWord;
}

} // namespace

int EditorRowCount(const AppState& state, int list)
{
    const double count = ReadNumber(state.SharedSettings[ListCountLine(list)]);
    if (count < 1)
        return 0;
    return static_cast<int>(std::min<double>(count, VocabularyTable::EntryCapacity));
}

VocabularyEntries ListEntries(const VocabularyTable& table, int list, int count)
{
    VocabularyEntries entries;
    entries.reserve(static_cast<size_t>(std::max(count, 0)));
    for (int i = 1; i <= count; ++i)
        entries.push_back(table.entry(list, i));
    return entries;
}

void StoreListEntries(VocabularyTable& table, int list, const VocabularyEntries& entries)
{
    for (size_t i = 0; i < entries.size(); ++i)
        table.setEntry(list, static_cast<int>(i) + 1, entries[i]);
}

VocabularyEntries InsertPreview(const VocabularyEntries& entries, int row)
{
    VocabularyEntries working = entries;
    if (!validRow(entries, row))
        return working;
    std::move_backward(working.begin() + (row - 1), working.end() - 1, working.end());
    working[size_t(row - 1)] = BlankEntry;
    return working;
}

bool InsertDropsAWord(const VocabularyEntries& entries)
{
    if (entries.empty())
        return false;
    const QString last = FieldText(entries.back().word);
    return !last.isEmpty() && last != VocabularyEditing::BlankWord;
}

VocabularyEntries DeletePreview(const VocabularyEntries& entries, int row)
{
    VocabularyEntries working = entries;
    if (!validRow(entries, row))
        return working;
    std::move(working.begin() + row, working.end(), working.begin() + (row - 1));
    working.back() = VocabularyEntry{};
    return working;
}

VocabularyEntries ClearBelowPreview(const VocabularyEntries& entries, int row)
{
    VocabularyEntries working = entries;
    if (!validRow(entries, row))
        return working;
    std::fill(working.begin() + (row - 1), working.end(), BlankEntry);
    return working;
}

void SwapEntries(VocabularyEntries& entries, int first, int second)
{
    if (!validRow(entries, first) || !validRow(entries, second))
        return;
    std::swap(entries[size_t(first - 1)], entries[size_t(second - 1)]);
    keepWordsReachable(entries);
}

WordEntryCheck CheckWordEntry(const QString& typed)
{
    WordEntryCheck check;
    if (Cp932::encode(typed).size() > VocabularyEditing::MaxWordBytes) {
        check.cutText = typed.left(VocabularyEditing::CutWordCharacters);
        return check;
    }
    check.accepted = true;
    check.word = FieldText(typed);
    return check;
}

void StoreWord(VocabularyEntries& entries, int row, const QString& word)
{
    if (!validRow(entries, row))
        return;
    entries[size_t(row - 1)].word = word;
    keepWordsReachable(entries);
}
