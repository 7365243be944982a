#pragma once

#include "app/data/RZSpellFields.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Byte-level rules of the MagicTable and SoundFileName texts. Calls no
// platform function, so it can be built and fuzzed natively.
namespace RZTableText {

// Offsets of one line in a text, end exclusive, without its line end.
struct Line {
    std::size_t start;
    std::size_t end;
};

constexpr std::size_t FIELD_COUNT = 15;
// The longest line the writer produces (its buffer holds one byte more).
constexpr std::size_t LINE_LIMIT = 1023;

// Cuts the text (which ends at length or its first NUL) into lines. CR LF, LF
// and a lone CR each end a line; the last line ends at the end of the text.
std::vector<Line> cutLines(const char* text, std::size_t length);

// The line that begins at `from`, by the same rules, and `from` moved past its
// line end: a walk over a text too long to list its lines at once. False when
// no line begins there. The text ends at length; it holds no NUL before it.
bool nextLine(const char* text, std::size_t length, std::size_t& from, Line& line);

// Splits a line into at most FIELD_COUNT fields separated by runs of spaces and
// tabs. The line's last byte never separates: a single blank at the end stays
// with the last field, and a run of blanks at the end leaves one more field
// made of that last byte. A line starting with a blank has an empty first field.
std::vector<std::string> splitFields(const char* line, std::size_t length);
inline std::vector<std::string> splitFields(const std::string& line) {
    return splitFields(line.data(), line.size());
}

// The decimal reader: digits are summed from the last byte to the first, each
// at the next power of ten, other bytes skipped; a leading "-" negates. Wraps
// in 32 bits.
std::int32_t parseNumber(const char* field, std::size_t length);
inline std::int32_t parseNumber(const std::string& field) {
    return parseNumber(field.data(), field.size());
}

// The sound names of a SoundFileName text (cut into lines like a table), one
// line per spell in order, for at most `spells` spells: lines past them, such
// as the closing "End", are not taken. An empty line is an empty name.
std::vector<std::string> soundNames(const char* text, std::size_t length, std::size_t spells);

// One MagicTable line without its line end, cut at LINE_LIMIT bytes.
// numbers[level - 1] holds cost, range, area and efficiency of levels 1..3.
std::string formatTableLine(const std::string& name, std::int32_t target,
                            const std::int32_t numbers[3][4], const std::string& description);

// The length of formatTableLine's line before the cut: a line longer than
// LINE_LIMIT loses its end when it is saved.
std::size_t tableLineLength(const std::string& name, std::int32_t target,
                            const std::int32_t numbers[3][4], const std::string& description);

// The levels of one spell that one table line holds, in table order.
constexpr std::size_t LEVELS_PER_LINE = 3;
struct SpellLine {
    const RZSpellValues* levels[LEVELS_PER_LINE] = {};
    std::size_t count = 0;
};

// The table line that begins at entry `first` of `total`: that entry and the
// entries after it of the same spell, three at most. spellAt(i) is the spell
// number of entry i, valuesAt(i) its values (kept by address). The save cuts a
// table into lines by this rule, and the text form's check measures them so.
template <typename SpellAt, typename ValuesAt>
SpellLine spellLineAt(std::size_t first, std::size_t total, SpellAt spellAt, ValuesAt valuesAt) {
    SpellLine line;
    while (line.count < LEVELS_PER_LINE && first + line.count < total &&
           (line.count == 0 || spellAt(first + line.count) == spellAt(first))) {
        line.levels[line.count] = &valuesAt(first + line.count);
        ++line.count;
    }
    return line;
}

// formatTableLine of a spell: the first level's name, target and description,
// and each level's numbers (zero for a level the spell lacks).
std::string formatSpellLine(const SpellLine& line);
// tableLineLength of the same line.
std::size_t spellLineLength(const SpellLine& line);

// A name or description as it may be stored: the table cuts fields at spaces
// and tabs, so each becomes the full-width space (0x81 0x40) and the line
// reads back as the same spell. Neither byte is ever the second byte of a
// two-byte character, so no character is split.
std::string withFullWidthBlanks(const std::string& text);

} // namespace RZTableText
