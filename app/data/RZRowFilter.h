#pragma once

#include <cstdint>
#include <string>
#include <vector>

class RZEditData;
class RZMagic;

// Which rows of the table the spell list shows: the conditions of the filter
// and the rule a row must meet, on plain values. A row is shown when it meets
// every condition that is set.
namespace RZRowFilter {

// A choice that sets no condition.
constexpr int ANY = -1;

struct Conditions {
    int element = ANY;
    int rank = ANY;
    int target = ANY;
    // A position among the game's characters: the rows that character may use.
    int character = ANY;
    // Held by the name, the description or the sound, as find matches; empty: any.
    std::string text;
    bool changedOnly = false;      // rows that differ from what was loaded or saved
    bool stockDiffersOnly = false; // rows that differ from the game's stock table

    // No condition is set: every row would be shown.
    bool isEmpty() const;
};

// What the rule reads of one spell level.
struct Row {
    int element = 0;
    int rank = 0;
    int target = 0;
    std::string name;
    std::string description;
    std::string sound;
    bool changed = false;          // differs from what was loaded or saved
    bool differsFromStock = false; // differs from the stock table
    bool usable = false;           // the chosen character may use it
};

bool matches(const Conditions& conditions, const Row& row);

// Whether the name, the description or the sound holds the text (find's rule:
// whole Shift-JIS characters, ASCII letters in any case).
bool holdsText(const RZMagic& entry, const std::string& text);

// The facts of an entry the conditions ask about, by the document's own
// rules: the changed rows' colour, the stock comparison and the
// usable-character list; the others are left at their defaults.
Row rowOf(const RZEditData& document, const RZMagic& entry, const Conditions& conditions);

// The positions of the entries that meet the conditions, in table order.
std::vector<std::uint32_t> select(const RZEditData& document, const Conditions& conditions);

} // namespace RZRowFilter
