#pragma once

#include "app/data/RZSpellFields.h"

#include <cstdint>
#include <string>
#include <vector>

class RZEditData;
class RZMagic;

// One change of a number field over many spell levels at once: the rows it
// reaches, their new values, and whether every new value lies in the field's
// range (otherwise nothing may change). Plain arithmetic in 64 bits over the
// document's values; the dialog and the undo step are the operation's.
namespace RZBulkChange {

enum Operation : int {
    SET,     // every row gets the value
    ADD,     // the value (which may be negative) is added
    PERCENT, // round(present × value / 100), halves away from zero
    OPERATION_COUNT
};

enum Target : int {
    ALL_ROWS,
    SELECTED_SPELL, // every level of the selected row's spell
    SAME_ELEMENT,   // every row of the selected row's element
    SAME_LEVEL,     // every row of the selected row's level
    SHOWN_ROWS,     // every row the filter in force shows (all without one)
    TARGET_COUNT
};

// The highest percentage taken.
constexpr std::int64_t PERCENT_HIGH = 1000;

// What the dialog shows and remembers: the value as typed.
struct Choice {
    int field = RZSpellFields::FIELD_COST;
    Operation operation = SET;
    std::string value;
    Target target = ALL_ROWS;
};

enum class ValueError {
    NONE,
    NOT_A_NUMBER,     // empty, or other than digits (a leading "-" too, except to add)
    PERCENT_TOO_HIGH, // a percentage above PERCENT_HIGH
};

// Reads the typed value for the operation: digits only, a leading "-" only to
// add; at most 18 digits, so every result fits in 64 bits.
ValueError parseValue(const std::string& text, Operation operation, std::int64_t& value);

// The new value of one row.
std::int64_t apply(Operation operation, std::int64_t present, std::int64_t value);

// Whether the target is reckoned from a selected row.
constexpr bool needsSelection(Target target) {
    return target != ALL_ROWS && target != SHOWN_ROWS;
}

struct Change {
    std::uint32_t position; // of the entry in the document
    std::int64_t value;     // its new value
};

struct Plan {
    std::vector<Change> changes; // every row reached, in table order
    std::vector<Change> outside; // those whose new value is outside the field's range
    bool allowed() const { return outside.empty(); }
};

// The rows the change reaches and their new values. Without a selected entry
// only ALL_ROWS and SHOWN_ROWS reach any row.
Plan plan(const RZEditData& document, int field, Operation operation, std::int64_t value,
          Target target, const RZMagic* selected);

} // namespace RZBulkChange
