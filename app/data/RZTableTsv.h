#pragma once

#include "app/data/RZSpellFields.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The table as tab- or comma-separated text, for spreadsheets and the
// clipboard: one header line, then one line per entry, the columns those of
// the text form in RZSpellFields. Calls no platform function, so it can be
// built and fuzzed natively; the caller hands it the entries as plain values
// and applies what it reads.
namespace RZTableTsv {

// One entry of the table: its values, and the spell level they belong to.
struct Entry : RZSpellValues {
    std::int32_t index = -1;
    std::int32_t level = 0;
    std::int32_t element = -1;
    std::int32_t rank = 0;

    bool operator==(const Entry& other) const;
    bool operator!=(const Entry& other) const { return !(*this == other); }
};

// The texts the spell list shows for elements, ranks and targets.
struct Labels {
    std::map<std::int32_t, std::string> elements;
    std::map<std::int32_t, std::string> ranks;
    std::map<std::int32_t, std::string> targets;
};

// Why a text was refused (the operations say it in words).
enum class Reason {
    NOT_WHOLE,         // not a whole number
    OUT_OF_RANGE,      // beyond 32 bits
    UNKNOWN_ENTRY,     // a spell level the table lacks
    REPEATED_ROW,      // the same level again (otherLine: where first)
    DISAGREES,         // a shared value another level gave otherwise (otherLine)
    UNKNOWN_TARGET,    // neither a target's label nor a number
    MISSING_CHARACTER, // a character Shift-JIS lacks
    BROKEN_UTF8,
    BROKEN_UTF16,
    BROKEN_SHIFT_JIS,
    LINE_END_IN_TEXT, // a line end or NUL inside a text
    UNCLOSED_QUOTE,
    NO_NUMBER_COLUMN, // the header lacks the spell number
    NO_LEVEL_COLUMN,  // the header lacks the level
    REPEATED_COLUMN,  // a column named twice
    LINE_TOO_LONG,    // the spell's table line would be cut
    REASON_COUNT
};

// Where and why a text was refused; lines and columns count from 1.
struct Error {
    std::size_t line = 0;
    std::size_t column = 0;
    Reason reason = Reason::NOT_WHOLE;
    std::size_t otherLine = 0; // the earlier line REPEATED_ROW and DISAGREES name
};

// How many errors a result keeps (it counts them all).
constexpr std::size_t ERRORS_KEPT = 10;

struct Result {
    // Without errors: the new values of every entry, in the order given.
    std::vector<Entry> values;
    std::vector<Error> errors;
    std::size_t errorCount = 0;

    bool ok() const { return errorCount == 0; }
};

// Whether the first line must be the header (a file), or may be left out (a
// clipboard text, whose rows then hold every column in the written order).
enum class Header { NEEDED, IF_PRESENT };

// The byte between the fields of a line: tabs (the clipboard's form and the
// TSV file's), or commas (CSV).
enum class Separator : char { TAB = '\t', COMMA = ',' };

// The header line's field of a column of the text form.
std::string heading(int column);

// Header and one line per entry, fields split by the separator, lines ended by
// CR LF, in Shift-JIS. A field holding the separator, a line end or a quote is
// quoted, its quotes doubled.
std::string write(const std::vector<Entry>& entries, const Labels& labels,
                  Separator separator = Separator::TAB);

// Reads a text written by write() or by a spreadsheet program against the
// entries of the open table: Shift-JIS, UTF-8 after its byte-order mark (or
// without one, in a file) or UTF-16LE after its mark (RZTextDecoder). A
// file's fields are split by tabs when its header line (the first line
// holding more than tabs and commas) holds a tab, by commas otherwise; a
// clipboard text (Header::IF_PRESENT) is always tab-separated, as
// spreadsheets copy cells. Every check is made before any value is taken: the
// result holds either the new values of all entries or the errors. A changed
// text of a field of the table line gets full-width blanks
// (RZTableText::withFullWidthBlanks).
Result read(const char* text, std::size_t length, const std::vector<Entry>& entries,
            const Labels& labels, Header header);

} // namespace RZTableTsv
