#pragma once

#include "app/data/RZSpellFields.h"

#include <cstdint>
#include <vector>

class RZEditData;
class ZDMagic;

// The open table set beside another table field by field, with the game's
// stock table as the judge of which side changed a value, and the other
// table's values taken into the open one. Plain values in and out: the
// dialog, the undo step and the files are the operation's.
namespace RZTableCompare {

// One spell level of a table. The levels of a spell follow each other, as
// every table holds them.
struct Level {
    std::int32_t spell;
    std::int32_t level;
    RZSpellValues values;
};

std::vector<Level> levelsOf(const RZEditData& document);
std::vector<Level> levelsOf(const std::vector<ZDMagic>& records);

// Who changed a value that differs between the two tables.
enum class State {
    OTHER_CHANGED, // only the other table differs from the stock value
    THIS_CHANGED,  // only the open table does
    BOTH_CHANGED,  // both do
    NO_STOCK,      // no stock value to judge by
};

// One field of one spell level whose value differs between the tables.
struct Line {
    std::uint32_t position; // of the level in the open table
    std::uint32_t other;    // of the same level in the other table
    int field;              // RZSpellFields::Field
    State state;
    std::int64_t stock; // of the stock level, -1 without one
};

// Whether the user starts with the line chosen: only what the other table
// alone changed is taken without a second look.
constexpr bool chosenAtFirst(State state) {
    return state == State::OTHER_CHANGED;
}

// Every differing field of the levels both tables have (matched by spell
// number and level), in the open table's order and a level's fields in the
// order of RZSpellFields. A field the levels of a spell share is compared
// once, on the first level of the spell that both tables have. An empty stock
// table (none, or none readable) judges nothing.
std::vector<Line> compare(const std::vector<Level>& open, const std::vector<Level>& other,
                          const std::vector<Level>& stock);

// What taking lines does to the open table.
struct Taking {
    std::vector<std::uint32_t> positions; // the levels that change, in table order
    std::vector<RZSpellValues> values;    // their new values, in the same order
    // The first level of each spell whose table line the taking changes and
    // leaves longer than a save writes (RZTableText::LINE_LIMIT), so that the
    // save would cut it: nothing may change then.
    std::vector<std::uint32_t> tooLong;
    bool allowed() const { return tooLong.empty(); }
};

// The other table's values of the lines put into the open table: a shared
// field on every level of the spell. Lines that name no level of the tables
// are passed over.
Taking take(const std::vector<Level>& open, const std::vector<Level>& other,
            const std::vector<Line>& lines);

} // namespace RZTableCompare
