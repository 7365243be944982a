#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The table as tab-separated text, for spreadsheets and the clipboard: one
// header line, then one line per entry. Calls no platform function, so it can
// be built and fuzzed natively; the caller hands it the entries as plain values
// and applies what it reads.
namespace RZTableTsv {

// The columns in the order they are written, which is also the order of rows
// pasted without a header.
enum Column : int {
    COLUMN_NUMBER,
    COLUMN_LEVEL,
    COLUMN_NAME,
    COLUMN_ELEMENT,
    COLUMN_RANK,
    COLUMN_TARGET,
    COLUMN_COST,
    COLUMN_RANGE,
    COLUMN_AREA,
    COLUMN_EFFICIENCY,
    COLUMN_DESCRIPTION,
    COLUMN_SOUND,
    COLUMN_COUNT,
};

// One entry of the table.
struct Entry {
    std::int32_t index = -1;
    std::int32_t level = 0;
    std::int32_t element = -1;
    std::int32_t rank = 0;
    std::int32_t target = -1;
    std::int32_t cost = 0;
    std::int32_t range = 0;
    std::int32_t area = 0;
    std::int32_t efficiency = 0;
    std::string name;
    std::string description;
    std::string sound;

    bool operator==(const Entry& other) const;
    bool operator!=(const Entry& other) const { return !(*this == other); }
};

// The texts the spell list shows for elements, ranks and targets.
struct Labels {
    std::map<std::int32_t, std::string> elements;
    std::map<std::int32_t, std::string> ranks;
    std::map<std::int32_t, std::string> targets;
};

// Where and why a text was refused; line and column count from 1.
struct Error {
    std::size_t line = 0;
    std::size_t column = 0;
    std::string reason;
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

// Header and one line per entry, tab-separated, lines ended by CR LF, in
// Shift-JIS. A field holding a tab, a line end or a quote is quoted.
std::string write(const std::vector<Entry>& entries, const Labels& labels);

// Reads a text written by write() or by a spreadsheet program (Shift-JIS, or
// UTF-8 / UTF-16LE after their byte-order marks) against the entries of the
// open table. Every check is made before any value is taken: the result holds
// either the new values of all entries or the errors. A changed name or
// description gets full-width blanks (RZTableText::withFullWidthBlanks).
Result read(const char* text, std::size_t length, const std::vector<Entry>& entries,
            const Labels& labels, Header header);

// "<line>行目 <column>列: <reason>".
std::string errorText(const Error& error);

} // namespace RZTableTsv
