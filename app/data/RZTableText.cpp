#include "app/data/RZTableText.h"

#include "support/HShiftJis.h"

#include <cstdio>
#include <cstring>
#include <limits>

namespace RZTableText {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

bool nextLine(const char* text, std::size_t length, std::size_t& from, Line& line) {
    if (!text || from >= length) {
        return false;
    }
    std::size_t i = from;
    while (i < length && text[i] != '\r' && text[i] != '\n') {
        ++i;
    }
    line = Line{from, i};
    if (i < length) {
        // CR LF is one line end; so is a lone CR, whose next byte starts the
        // next line.
        i += (text[i] == '\r' && i + 1 < length && text[i + 1] == '\n') ? 2 : 1;
    }
    from = i;
    return true;
}

std::vector<Line> cutLines(const char* text, std::size_t length) {
    std::vector<Line> lines;
    if (!text) {
        return lines;
    }
    const void* nul = std::memchr(text, 0, length);
    if (nul) {
        length = static_cast<std::size_t>(static_cast<const char*>(nul) - text);
    }
    std::size_t at = 0;
    Line line{0, 0};
    while (nextLine(text, length, at, line)) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> splitFields(const char* line, std::size_t length) {
    std::vector<std::string> fields;
    if (!line || length == 0) {
        return fields;
    }
    // Only a blank before the last byte separates fields.
    const std::size_t last = length - 1;
    std::size_t i = 0;
    while (i < length && fields.size() < FIELD_COUNT) {
        std::size_t start = i;
        while (i < length && !(i < last && isBlank(line[i]))) {
            ++i;
        }
        fields.emplace_back(line + start, i - start);
        while (i < last && isBlank(line[i])) {
            ++i;
        }
    }
    return fields;
}

std::int32_t parseNumber(const char* field, std::size_t length) {
    if (!field) {
        return 0;
    }
    // Unsigned arithmetic: overlong numbers wrap instead of overflowing.
    std::uint32_t sum = 0;
    std::uint32_t place = 1;
    for (std::size_t i = length; i > 0; --i) {
        char c = field[i - 1];
        if (c >= '0' && c <= '9') {
            sum += static_cast<std::uint32_t>(c - '0') * place;
            place *= 10u;
        }
    }
    if (length > 0 && field[0] == '-') {
        sum = 0u - sum;
    }
    return static_cast<std::int32_t>(sum);
}

std::vector<std::string> soundNames(const char* text, std::size_t length, std::size_t spells) {
    std::vector<std::string> names;
    if (!text) {
        return names;
    }
    const void* nul = std::memchr(text, 0, length);
    if (nul) {
        length = static_cast<std::size_t>(static_cast<const char*>(nul) - text);
    }
    // Line by line: only the first lines are wanted, however long the list.
    std::size_t at = 0;
    Line line{0, 0};
    while (names.size() < spells && nextLine(text, length, at, line)) {
        names.emplace_back(text + line.start, line.end - line.start);
    }
    return names;
}

namespace {

// snprintf of one table line into a buffer of `size` bytes (none for 0); the
// line's whole length, or a negative number on failure.
int printTableLine(char* buffer, std::size_t size, const std::string& name, std::int32_t target,
                   const std::int32_t numbers[3][4], const std::string& description) {
    const char* const format = "%-18s %d %03d %d %d %03d  %03d %d %d %03d  %03d %d %d %03d  %s";
    return std::snprintf(buffer, size, format, name.c_str(), static_cast<int>(target),
                         static_cast<int>(numbers[0][0]), static_cast<int>(numbers[0][1]),
                         static_cast<int>(numbers[0][2]), static_cast<int>(numbers[0][3]),
                         static_cast<int>(numbers[1][0]), static_cast<int>(numbers[1][1]),
                         static_cast<int>(numbers[1][2]), static_cast<int>(numbers[1][3]),
                         static_cast<int>(numbers[2][0]), static_cast<int>(numbers[2][1]),
                         static_cast<int>(numbers[2][2]), static_cast<int>(numbers[2][3]),
                         description.c_str());
}

// The numbers of a spell line's levels, in the table's order.
void lineNumbers(const SpellLine& line, std::int32_t numbers[3][4]) {
    for (std::size_t m = 0; m < LEVELS_PER_LINE; ++m) {
        const RZSpellValues* level = m < line.count ? line.levels[m] : nullptr;
        numbers[m][0] = level ? level->cost : 0;
        numbers[m][1] = level ? level->range : 0;
        numbers[m][2] = level ? level->area : 0;
        numbers[m][3] = level ? level->efficiency : 0;
    }
}

const RZSpellValues& firstLevel(const SpellLine& line) {
    static const RZSpellValues none;
    return line.count > 0 && line.levels[0] ? *line.levels[0] : none;
}

} // namespace

std::string formatTableLine(const std::string& name, std::int32_t target,
                            const std::int32_t numbers[3][4], const std::string& description) {
    int written = printTableLine(nullptr, 0, name, target, numbers, description);
    if (written < 0) {
        return std::string();
    }
    std::string line(static_cast<std::size_t>(written) + 1, '\0');
    printTableLine(&line[0], line.size(), name, target, numbers, description);
    line.resize(static_cast<std::size_t>(written));
    // Cut at the limit, but never between the two bytes of a character: half
    // a character would spoil the text when the table is read back.
    return HShiftJis::cut(line, LINE_LIMIT);
}

std::size_t tableLineLength(const std::string& name, std::int32_t target,
                            const std::int32_t numbers[3][4], const std::string& description) {
    // A line too long to format at all is too long to keep.
    int written = printTableLine(nullptr, 0, name, target, numbers, description);
    return written < 0 ? std::numeric_limits<std::size_t>::max()
                       : static_cast<std::size_t>(written);
}

std::string formatSpellLine(const SpellLine& line) {
    std::int32_t numbers[3][4];
    lineNumbers(line, numbers);
    const RZSpellValues& first = firstLevel(line);
    return formatTableLine(first.name, first.target, numbers, first.description);
}

std::size_t spellLineLength(const SpellLine& line) {
    std::int32_t numbers[3][4];
    lineNumbers(line, numbers);
    const RZSpellValues& first = firstLevel(line);
    return tableLineLength(first.name, first.target, numbers, first.description);
}

std::string withFullWidthBlanks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            out += "\x81\x40";
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace RZTableText
