#pragma once
// The vocabulary editor's operations on one word list, as pure functions on a copy of its
// entries: the previews of insert, delete and clear-below, the swap, and the rule for a word
// typed into the editing box. Any list size up to the table's capacity is handled.
#include "storage/vocabulary.h"

#include <QString>
#include <vector>

struct AppState;

// Entries 1..count of one list; element i - 1 holds entry i.
using VocabularyEntries = std::vector<VocabularyEntry>;

namespace VocabularyEditing {
// The blank that insert and clear-below put in: not an end mark, unlike an empty word.
inline const QString BlankWord = QStringLiteral("　");
inline constexpr int MaxWordBytes = 28;      // a text field of the ledger
inline constexpr int CutWordCharacters = 20; // what the editing box keeps of a refused word
}

// The count of list k as the editor shows it: SharedSettings[k + 1] read as a number, 0 when it
// is not a positive number, at most the table's capacity.
int EditorRowCount(const AppState& state, int list);

// Entries 1..count of list k.
VocabularyEntries ListEntries(const VocabularyTable& table, int list, int count);
// Entries 1..size of list k become `entries`.
void StoreListEntries(VocabularyTable& table, int list, const VocabularyEntries& entries);

// Entries from `row` on move one down, entry `row` becomes a blank (id and word), the former
// last entry drops out; the count stays. A row outside 1..count changes nothing.
VocabularyEntries InsertPreview(const VocabularyEntries& entries, int row);
// True when an insert would push a word (not an end mark or a blank) out of the list's last entry.
bool InsertDropsAWord(const VocabularyEntries& entries);
// Entries after `row` move one up; the last entry becomes empty (the end mark).
VocabularyEntries DeletePreview(const VocabularyEntries& entries, int row);
// Entries `row`..count become blanks.
VocabularyEntries ClearBelowPreview(const VocabularyEntries& entries, int row);

// Exchanges entries `first` and `second` (id and word). An end mark that would land before a
// word becomes a blank, so that no word falls behind it.
void SwapEntries(VocabularyEntries& entries, int first, int second);

// The editing box's text checked for the word column.
struct WordEntryCheck {
    bool accepted = false;
    QString word;    // accepted: the word to store (FieldText of the text)
    QString cutText; // refused: what the editing box keeps
};
// Accepted when its cp932 form is at most 28 bytes; a refused text is cut to 20 characters.
WordEntryCheck CheckWordEntry(const QString& typed);

// Entry `row` gets `word` (its id stays). An empty word before another word is stored as a
// blank, because an empty word ends the list when it is read again.
void StoreWord(VocabularyEntries& entries, int row, const QString& word);
