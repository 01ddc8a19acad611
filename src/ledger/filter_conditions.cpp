#include "ledger/filter_conditions.h"

#include "ledger/ledger_paging.h"
#include "storage/cp932_codec.h"
#include "storage/field_text.h"
#include "storage/item_record.h"

#include <cmath>
#include <utility>

namespace {

constexpr int EmptySlotKey = 99;

// The numeric reading of a column cell as a whole column number; anything else is no column.
int columnNumberOf(const QString& text)
{
    const double value = ReadNumber(text);
    if (value < 1 || value > 99 || value != std::floor(value))
        return 0;
    return static_cast<int>(value);
}

} // namespace

bool IsFilterableColumn(int listColumn)
{
    return (listColumn >= 1 && listColumn <= 5) || listColumn == 8;
}

bool FilterConditions::hasComplete() const
{
    for (int s = 0; s < 3; ++s)
        if (column[s] != 0 && !word[s].isEmpty())
            return true;
    return false;
}

QString FilterConditions::wordsText() const
{
    const QString gap = QStringLiteral("　");
    return word[0] + gap + word[1] + gap + word[2] + gap;
}

FilterConditions NormaliseFilterConditions(FilterConditionRows& rows)
{
    struct Slot {
        int key = EmptySlotKey;
        FilterConditionRow row;
    };
    std::array<Slot, 3> ordered;
    for (int r = 0; r < 3; ++r) {
        const int column = columnNumberOf(rows[r].columnText);
        // A column the list cannot filter never reaches a slot.
        if (column == 0 || !IsFilterableColumn(column))
            continue;
        ordered[r].key = column;
        ordered[r].row = {QString::number(column), FieldText(rows[r].caption), FieldText(rows[r].word)};
    }
    // The three-slot exchange sort of the condition table, kept exactly so that two rows of the
    // same column keep the order the table gives them.
    for (int i = 0; i < 2; ++i)
        for (int j = i + 1; j < 3; ++j)
            if (ordered[i].key > ordered[j].key)
                std::swap(ordered[i], ordered[j]);

    FilterConditions conditions;
    for (int s = 0; s < 3; ++s) {
        // Rows of empty slots are emptied as well, so that the table never shows a condition
        // twice after conditions have moved up.
        rows[s] = ordered[s].row;
        if (ordered[s].key == EmptySlotKey)
            continue;
        conditions.column[s] = ordered[s].key;
        // The fields read back from the ledger's cp932: a word typed with an input method's "〜"
        // must find the "～" of the file.
        conditions.word[s] = Cp932::storedForm(ordered[s].row.word);
    }
    return conditions;
}

bool MatchesFilter(const ItemRecord& record, const FilterConditions& conditions)
{
    const bool filled1 = !conditions.word[0].isEmpty();
    const bool filled2 = !conditions.word[1].isEmpty();
    const bool filled3 = !conditions.word[2].isEmpty();
    int filled = 0;
    if (filled1 && !filled2 && !filled3)
        filled = 1;
    else if (filled1 && filled2 && !filled3)
        filled = 2;
    else if (filled1 && filled2 && filled3)
        filled = 3;
    else
        return false;
    for (int s = 0; s < filled; ++s) {
        const int column = conditions.column[s];
        if (column == 0)
            return false;
        if (!record.text(FilterFieldOf(column)).contains(conditions.word[s], Qt::CaseSensitive))
            return false;
    }
    return true;
}

int MaxPageOf(int hitCount)
{
    return hitCount / ItemsPerPage + 1;
}
