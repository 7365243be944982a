#pragma once

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

// A name or description as it may be stored: the table cuts fields at spaces
// and tabs, so each becomes the full-width space (0x81 0x40) and the line
// reads back as the same spell. Neither byte is ever the second byte of a
// two-byte character, so no character is split.
std::string withFullWidthBlanks(const std::string& text);

} // namespace RZTableText
