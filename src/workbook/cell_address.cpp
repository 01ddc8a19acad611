#include "workbook/cell_address.h"

#include <charconv>

std::string ColumnLetters(int column)
{
    std::string letters;
    if (column < 1 || column > SheetLimits::MaxColumn)
        return letters;
    while (column > 0) {
        const int rest = (column - 1) % 26;
        letters.insert(letters.begin(), char('A' + rest));
        column = (column - 1) / 26;
    }
    return letters;
}

void AppendCellName(std::string& out, int row, int column)
{
    out += ColumnLetters(column);
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, row).ptr;
    out.append(digits, end);
}

std::string CellName(int row, int column)
{
    std::string name;
    AppendCellName(name, row, column);
    return name;
}

int ParseColumnLetters(std::string_view letters)
{
    if (letters.empty() || letters.size() > 3)
        return 0;
    int column = 0;
    for (char c : letters) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        if (c < 'A' || c > 'Z')
            return 0;
        column = column * 26 + (c - 'A' + 1);
    }
    return column <= SheetLimits::MaxColumn ? column : 0;
}

bool ParseCellName(std::string_view name, int& row, int& column)
{
    size_t i = 0;
    while (i < name.size() && ((name[i] >= 'A' && name[i] <= 'Z') || (name[i] >= 'a' && name[i] <= 'z')))
        ++i;
    column = ParseColumnLetters(name.substr(0, i));
    if (column == 0 || i == name.size() || name.size() - i > 7)
        return false;
    int value = 0;
    const auto [end, ec] = std::from_chars(name.data() + i, name.data() + name.size(), value);
    if (ec != std::errc() || end != name.data() + name.size() || value < 1 || value > SheetLimits::MaxRow)
        return false;
    row = value;
    return true;
}
