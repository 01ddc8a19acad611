#pragma once
// What a number cell of the edit frame takes from the entry pad: a plain decimal number, never
// text that the ledger would store as typed and read as 0.
#include <QString>
#include <optional>

// The typed text as the number field stores it: full-width digits, point and minus (from an
// input method) become their half-width forms, digits grouped in threes by "," lose the
// separator ("1,200" → "1200"), and an empty entry clears the cell. Anything else (letters,
// separators out of place, exponents) is no number: nothing.
std::optional<QString> NumberEntryText(const QString& typed);
