#pragma once
// The word lists offered when an item is edited (lists 2..6: item names, specifications,
// makers, storage places, units), their files "Mb在庫品02.dat".."Mb在庫品06.dat", and the flows
// that add a word and prepare a new data folder.
#include "storage/io_result.h"

#include <QString>
#include <array>
#include <vector>

struct AppState;

struct VocabularyEntry {
    QString id;    // optional short code given in the vocabulary editor
    QString word;  // an empty word marks the end of a list
};

// Lists 0..28, entries 1..EntryCapacity each (entry 0 is never used). Entries that were never
// set read as empty.
class VocabularyTable {
public:
    static constexpr int ListCount = 29;
    static constexpr int FirstUsedList = 2;
    static constexpr int LastUsedList = 6;
    static constexpr int EntryCapacity = 10010;

    const VocabularyEntry& entry(int list, int index) const;
    void setEntry(int list, int index, const VocabularyEntry& entry);
    void clear();
    void clearList(int list);
    // Number of entries before the first empty word.
    int wordCount(int list) const;

private:
    std::array<std::vector<VocabularyEntry>, ListCount> m_lists;
};

// The settings line that holds the entry count of list k (line k + 1).
constexpr int ListCountLine(int list) { return list + 1; }

QString VocabularyPath(const AppState& state, int list);

// Fills entries 1.. of list k from the decoded lines of its file, up to and including the first
// empty word (the end mark); lines past the table's capacity are ignored.
void ReadVocabularyList(VocabularyTable& table, int list, const QStringList& lines);

// Clears every list, then reads lists 2..6. A file that cannot be opened leaves its list and all
// later lists of the pass empty. Returns true when every file could be opened.
bool ReadVocabularyLists(AppState& state);

// Writes entries 1..count of lists 2..6 (count from the shared settings). A list whose file
// cannot be written is skipped; the result names the first failure.
IoResult WriteVocabularyLists(AppState& state);

// Stores the lists of memory and their counts (shared settings lines 3..7) together, under the
// settings lock, leaving the other settings lines as other clients left them. Refused in a folder
// whose data have moved. The result names the first failure.
IoResult StoreVocabularyLists(AppState& state);

enum class AddWordOutcome { Added, Declined, AlreadyPresent, ListFull, SaveFailed };

// Asks, then puts the word at the first empty entry of list k and saves the lists and the counts.
AddWordOutcome AddWordToList(AppState& state, int list, const QString& word);

// For a data folder that exists but lacks the vocabulary files: says so, writes the shared
// settings and the lists from memory and creates the output folder "M在庫台帳".
void PrepareDataEnvironment(AppState& state);
