#include "app/data/RZTableTsv.h"

#include "app/data/RZFieldScanner.h"
#include "app/data/RZTableText.h"
#include "app/data/RZTextDecoder.h"
#include "support/HShiftJis.h"

#include <limits>
#include <utility>

namespace {

using RZTableTsv::Entry;
using RZTableTsv::Error;
using RZTableTsv::Reason;
using RZTextDecoder::Encoding;
namespace Fields = RZSpellFields;

constexpr int COLUMNS = Fields::TEXT_COLUMN_COUNT;
constexpr int NUMBER_COLUMN = Fields::KEYS[Fields::KEY_NUMBER].textColumn;
constexpr int LEVEL_COLUMN = Fields::KEYS[Fields::KEY_LEVEL].textColumn;

int fieldColumn(int field) {
    return Fields::info(field).textColumn;
}

std::string trimmed(const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return std::string();
    }
    std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// A whole decimal number in 32 bits, blanks around it allowed, nothing else.
// False when the text is none; tooLarge is then set for a number out of range.
bool parseWhole(const std::string& field, std::int32_t& value, bool& tooLarge) {
    tooLarge = false;
    std::string text = trimmed(field);
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    if (at >= text.size()) {
        return false;
    }
    std::int64_t sum = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9') {
            return false;
        }
        if (sum <= std::int64_t(1) << 32) {
            sum = sum * 10 + (text[at] - '0');
        }
    }
    if (negative) {
        sum = -sum;
    }
    if (sum < std::numeric_limits<std::int32_t>::min() ||
        sum > std::numeric_limits<std::int32_t>::max()) {
        tooLarge = true;
        return false;
    }
    value = static_cast<std::int32_t>(sum);
    return true;
}

std::string quoted(const std::string& field, RZTableTsv::Separator separator) {
    const char special[] = {static_cast<char>(separator), '\r', '\n', '"', '\0'};
    if (field.find_first_of(special) == std::string::npos) {
        return field;
    }
    std::string out = "\"";
    for (char c : field) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
    return out;
}

// The values of one spell's shared fields as first read, and where.
struct Shared {
    bool has[Fields::FIELD_COUNT] = {};
    std::size_t line[Fields::FIELD_COUNT] = {};
    RZSpellValues values;
};

class Reader {
  public:
    Reader(const std::vector<Entry>& entries, const RZTableTsv::Labels& labels, Encoding source)
        : entries(entries), labels(labels), source(source), seen(entries.size(), 0) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            positions.emplace(std::make_pair(entries[i].index, entries[i].level), i);
        }
        result.values = entries;
    }

    RZTableTsv::Result run(const char* text, std::size_t length, RZTableTsv::Header header) {
        RZFieldScanner scanner(text, length, static_cast<char>(separatorOf(text, length, header)));
        const bool needHeader = header == RZTableTsv::Header::NEEDED;
        bool first = true;
        Cells cells;
        std::string value;
        while (!scanner.atEnd()) {
            const std::size_t line = scanner.line();
            Candidate candidate;
            cells.clear();
            bool blank = true;
            std::size_t unclosedColumn = 0;
            bool last = false;
            // Fields are taken one at a time and only the columns read are
            // kept, so a line of a million tabs costs no more than a short one.
            for (std::size_t position = 1; !last; ++position) {
                // The first record may be rows without a header: every column in order.
                const int column = first
                                       ? (position <= COLUMNS ? static_cast<int>(position) - 1 : -1)
                                       : columnAtPosition(position);
                const RZFieldScanner::Field found = scanner.field(first || column >= 0, value);
                last = found.last;
                // Lines before a file's header that the separator's choice
                // passed over (tabs and commas only) are passed over here too.
                blank = blank &&
                        (found.size == 0 || (first && needHeader &&
                                             value.find_first_not_of("\t,") == std::string::npos));
                if (found.unclosed) {
                    unclosedColumn = position;
                }
                if (first) {
                    candidate.note(value, position);
                }
                if (column >= 0) {
                    cells.text[column].swap(value);
                    cells.given[column] = true;
                }
            }
            if (unclosedColumn != 0) {
                addError(line, unclosedColumn, Reason::UNCLOSED_QUOTE);
                break;
            }
            if (blank) {
                continue; // empty lines, and rows of empty cells
            }
            if (first) {
                first = false;
                if (readHeader(candidate, cells.text[NUMBER_COLUMN], line, needHeader)) {
                    if (result.errorCount > 0) {
                        break; // without its columns, no row can be read
                    }
                    continue;
                }
            }
            readRow(cells, line);
        }
        if (first && needHeader) {
            addError(1, 1, Reason::NO_NUMBER_COLUMN);
        }
        if (result.errorCount == 0) {
            applyShared();
            checkLineLengths();
        }
        if (result.errorCount > 0) {
            result.values.clear();
        }
        return std::move(result);
    }

  private:
    // A file's header line tells its separator: a tab in it, tabs, otherwise
    // commas. Lines before it, empty or of empty cells, are passed over. The
    // clipboard's text is always tab-separated.
    static RZTableTsv::Separator separatorOf(const char* text, std::size_t length,
                                             RZTableTsv::Header header) {
        if (header != RZTableTsv::Header::NEEDED) {
            return RZTableTsv::Separator::TAB;
        }
        bool tab = false;
        bool content = false;
        for (std::size_t at = 0; at <= length; ++at) {
            const char c = at < length ? text[at] : '\n';
            if (c == '\r' || c == '\n') {
                if (content) {
                    break;
                }
                tab = false;
            } else {
                tab = tab || c == '\t';
                content = content || (c != '\t' && c != ',');
            }
        }
        return tab ? RZTableTsv::Separator::TAB : RZTableTsv::Separator::COMMA;
    }

    // The columns of one row, by their place in the written order.
    struct Cells {
        std::string text[COLUMNS];
        bool given[COLUMNS] = {};

        void clear() {
            for (int c = 0; c < COLUMNS; ++c) {
                text[c].clear();
                given[c] = false;
            }
        }
    };

    // What the first record would be as a header: where each name stands, and
    // the names that stand twice.
    struct Candidate {
        std::size_t at[COLUMNS] = {};
        std::vector<std::size_t> repeated; // the first few
        std::size_t repeatedCount = 0;

        void note(const std::string& field, std::size_t position) {
            std::string name = trimmed(field);
            for (int c = 0; c < COLUMNS; ++c) {
                if (name != Fields::textColumn(c).heading) {
                    continue;
                }
                if (at[c] == 0) {
                    at[c] = position;
                } else {
                    ++repeatedCount;
                    if (repeated.size() < RZTableTsv::ERRORS_KEPT) {
                        repeated.push_back(position);
                    }
                }
            }
        }
    };

    void addError(std::size_t line, std::size_t column, Reason reason, std::size_t otherLine = 0) {
        ++result.errorCount;
        if (result.errors.size() < RZTableTsv::ERRORS_KEPT) {
            result.errors.push_back(Error{line, column, reason, otherLine});
        }
    }

    // Whether the first record is the header (and then takes its columns).
    // Without one, rows hold every column in the written order.
    bool readHeader(const Candidate& candidate, const std::string& firstField, std::size_t line,
                    bool needHeader) {
        // A row in the written order starts with its spell number: a first
        // line that does is a row, whatever else it holds.
        std::int32_t number = 0;
        bool tooLarge = false;
        const bool isHeader = candidate.at[NUMBER_COLUMN] != 0 && candidate.at[LEVEL_COLUMN] != 0 &&
                              (needHeader || !parseWhole(firstField, number, tooLarge));
        if (!isHeader && !needHeader) {
            for (int c = 0; c < COLUMNS; ++c) {
                columnAt[c] = static_cast<std::size_t>(c) + 1;
            }
            return false;
        }
        for (std::size_t position : candidate.repeated) {
            addError(line, position, Reason::REPEATED_COLUMN);
        }
        result.errorCount += candidate.repeatedCount - candidate.repeated.size();
        if (candidate.at[NUMBER_COLUMN] == 0) {
            addError(line, 1, Reason::NO_NUMBER_COLUMN);
        }
        if (candidate.at[LEVEL_COLUMN] == 0) {
            addError(line, 1, Reason::NO_LEVEL_COLUMN);
        }
        for (int c = 0; c < COLUMNS; ++c) {
            columnAt[c] = candidate.at[c];
        }
        return true;
    }

    // The column a row's field is read as; -1 for one not read (unknown, or
    // element and rank, which follow from the spell).
    int columnAtPosition(std::size_t position) const {
        for (int c = 0; c < COLUMNS; ++c) {
            if (columnAt[c] == position && isRead(c)) {
                return c;
            }
        }
        return -1;
    }

    static bool isRead(int column) {
        return Fields::textColumn(column).field >= 0 || column == NUMBER_COLUMN ||
               column == LEVEL_COLUMN;
    }

    // The encoding's own problem in a field read from UTF-8 or UTF-16 text.
    bool convertedWell(const std::string& field, std::size_t line, std::size_t column) {
        switch (RZTextDecoder::problemIn(field, source)) {
        case RZTextDecoder::Problem::NONE:
            return true;
        case RZTextDecoder::Problem::BROKEN:
            addError(line, column,
                     source == Encoding::UTF8 ? Reason::BROKEN_UTF8 : Reason::BROKEN_UTF16);
            return false;
        case RZTextDecoder::Problem::MISSING:
            addError(line, column, Reason::MISSING_CHARACTER);
            return false;
        }
        return false;
    }

    bool number(const std::string& field, std::size_t line, std::size_t column,
                std::int32_t& value) {
        bool tooLarge = false;
        if (!convertedWell(field, line, column)) {
            return false;
        }
        if (!parseWhole(field, value, tooLarge)) {
            addError(line, column, tooLarge ? Reason::OUT_OF_RANGE : Reason::NOT_WHOLE);
            return false;
        }
        return true;
    }

    // A text field's value as the entry would hold it: unchanged when it is
    // the entry's text, otherwise checked and, for texts of the table line,
    // with full-width spaces.
    bool text(const std::string& field, const std::string& current, bool lineText, std::size_t line,
              std::size_t column, std::string& value) {
        if (!convertedWell(field, line, column)) {
            return false;
        }
        if (field == current) {
            value = current;
            return true;
        }
        if (field.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
            addError(line, column, Reason::LINE_END_IN_TEXT);
            return false;
        }
        if (!HShiftJis::isValid(field)) {
            addError(line, column, Reason::BROKEN_SHIFT_JIS);
            return false;
        }
        value = lineText ? RZTableText::withFullWidthBlanks(field) : field;
        return true;
    }

    bool choice(const std::string& field, std::size_t line, std::size_t column,
                std::int32_t& value) {
        if (!convertedWell(field, line, column)) {
            return false;
        }
        std::string label = trimmed(field);
        for (const auto& item : labels.targets) {
            if (item.second == label) {
                value = item.first;
                return true;
            }
        }
        bool tooLarge = false;
        if (parseWhole(field, value, tooLarge)) {
            return true;
        }
        addError(line, column, tooLarge ? Reason::OUT_OF_RANGE : Reason::UNKNOWN_TARGET);
        return false;
    }

    // A field's cell read into `read` (that field only); false after an error.
    bool take(int field, const std::string& cell, const Entry& current, std::size_t line,
              RZSpellValues& read) {
        const Fields::Info& info = Fields::info(field);
        const std::size_t column = columnAt[info.textColumn];
        std::int32_t value = 0;
        std::string textValue;
        switch (info.kind) {
        case Fields::Kind::TEXT:
            if (!text(cell, Fields::text(current, field), info.lineText, line, column, textValue)) {
                return false;
            }
            Fields::setText(read, field, std::move(textValue));
            return true;
        case Fields::Kind::CHOICE:
            if (!choice(cell, line, column, value)) {
                return false;
            }
            Fields::setNumber(read, field, value);
            return true;
        case Fields::Kind::NUMBER:
            if (!number(cell, line, column, value)) {
                return false;
            }
            Fields::setNumber(read, field, value);
            return true;
        }
        return false;
    }

    void readRow(const Cells& cells, std::size_t line) {
        const std::size_t numberColumn = columnIndex(NUMBER_COLUMN);
        const std::size_t levelColumn = columnIndex(LEVEL_COLUMN);
        std::int32_t index = 0;
        std::int32_t level = 0;
        bool known = number(cells.text[NUMBER_COLUMN], line, numberColumn, index);
        known = number(cells.text[LEVEL_COLUMN], line, levelColumn, level) && known;
        if (!known) {
            return;
        }
        auto position = positions.find(std::make_pair(index, level));
        if (position == positions.end()) {
            addError(line, numberColumn, Reason::UNKNOWN_ENTRY);
            return;
        }
        const std::size_t at = position->second;
        if (seen[at] != 0) {
            addError(line, numberColumn, Reason::REPEATED_ROW, seen[at]);
            return;
        }
        seen[at] = line;

        // The level's own values first, then the values its spell shares.
        Shared& shared = spells[index];
        for (bool sharedPass : {false, true}) {
            for (int field = 0; field < Fields::FIELD_COUNT; ++field) {
                const int column = fieldColumn(field);
                RZSpellValues read;
                if (Fields::isShared(field) != sharedPass || !cells.given[column] ||
                    !take(field, cells.text[column], entries[at], line, read)) {
                    continue;
                }
                if (sharedPass) {
                    share(shared, field, read, line);
                } else {
                    Fields::copy(result.values[at], read, field);
                }
            }
        }
    }

    // A spell's levels share some fields: every line of the spell must give
    // the same value.
    void share(Shared& shared, int field, const RZSpellValues& read, std::size_t line) {
        if (!shared.has[field]) {
            shared.has[field] = true;
            shared.line[field] = line;
            Fields::copy(shared.values, read, field);
        } else if (!Fields::same(shared.values, read, field)) {
            addError(line, columnAt[fieldColumn(field)], Reason::DISAGREES, shared.line[field]);
        }
    }

    // The column number errors of a column name: where it stands, else 1.
    std::size_t columnIndex(int column) const {
        return columnAt[column] != 0 ? columnAt[column] : 1;
    }

    void applyShared() {
        for (Entry& values : result.values) {
            auto found = spells.find(values.index);
            if (found == spells.end()) {
                continue;
            }
            for (int field = 0; field < Fields::FIELD_COUNT; ++field) {
                if (found->second.has[field]) {
                    Fields::copy(values, found->second.values, field);
                }
            }
        }
    }

    // A changed text of the table line must leave the spell's line whole: the
    // save cuts longer lines. Lines are grouped and measured as a save makes
    // them.
    void checkLineLengths() {
        const std::vector<Entry>& values = result.values;
        std::size_t i = 0;
        while (i < values.size()) {
            const RZTableText::SpellLine line = RZTableText::spellLineAt(
                i, values.size(), [&values](std::size_t at) { return values[at].index; },
                [&values](std::size_t at) -> const RZSpellValues& { return values[at]; });
            auto found = spells.find(values[i].index);
            if (found != spells.end()) {
                const Shared& shared = found->second;
                bool changed = false;
                int named = -1; // the last text of the line given, else the first
                for (int field = 0; field < Fields::FIELD_COUNT; ++field) {
                    if (!Fields::info(field).lineText) {
                        continue;
                    }
                    changed = changed || !Fields::same(values[i], entries[i], field);
                    if (named < 0 || shared.has[field]) {
                        named = field;
                    }
                }
                if (changed && RZTableText::spellLineLength(line) > RZTableText::LINE_LIMIT) {
                    addError(shared.line[named], columnIndex(fieldColumn(named)),
                             Reason::LINE_TOO_LONG);
                }
            }
            i += line.count;
        }
    }

    const std::vector<Entry>& entries;
    const RZTableTsv::Labels& labels;
    Encoding source;
    RZTableTsv::Result result;
    std::map<std::pair<std::int32_t, std::int32_t>, std::size_t> positions;
    std::vector<std::size_t> seen; // the line that set each entry, 0 for none
    std::map<std::int32_t, Shared> spells;
    std::size_t columnAt[COLUMNS] = {}; // position of each column, 0 for none
};

std::string label(const std::map<std::int32_t, std::string>& table, std::int32_t value,
                  bool orNumber) {
    auto found = table.find(value);
    if (found != table.end()) {
        return found->second;
    }
    return orNumber ? std::to_string(value) : std::string();
}

// One cell of an entry's line, as the spell list shows it.
std::string cell(const Entry& entry, int column, const RZTableTsv::Labels& labels,
                 RZTableTsv::Separator separator) {
    const Fields::Column what = Fields::textColumn(column);
    if (what.field >= 0) {
        switch (Fields::info(what.field).kind) {
        case Fields::Kind::TEXT:
            return quoted(Fields::text(entry, what.field), separator);
        case Fields::Kind::CHOICE:
            return quoted(label(labels.targets, Fields::number(entry, what.field), true),
                          separator);
        case Fields::Kind::NUMBER:
            return std::to_string(Fields::number(entry, what.field));
        }
    }
    switch (what.key) {
    case Fields::KEY_NUMBER:
        return std::to_string(entry.index);
    case Fields::KEY_LEVEL:
        return std::to_string(entry.level);
    case Fields::KEY_ELEMENT:
        return quoted(label(labels.elements, entry.element, false), separator);
    case Fields::KEY_RANK:
        return quoted(label(labels.ranks, entry.rank, false), separator);
    default:
        return std::string();
    }
}

} // namespace

bool RZTableTsv::Entry::operator==(const Entry& other) const {
    return index == other.index && level == other.level && element == other.element &&
           rank == other.rank && RZSpellValues::operator==(other);
}

std::string RZTableTsv::heading(int column) {
    return Fields::textColumn(column).heading;
}

std::string RZTableTsv::write(const std::vector<Entry>& entries, const Labels& labels,
                              Separator separator) {
    const std::string between(1, static_cast<char>(separator));
    std::string out;
    for (int c = 0; c < COLUMNS; ++c) {
        out += heading(c);
        out += c + 1 < COLUMNS ? between : "\r\n";
    }
    for (const Entry& entry : entries) {
        for (int c = 0; c < COLUMNS; ++c) {
            out += cell(entry, c, labels, separator);
            out += c + 1 < COLUMNS ? between : "\r\n";
        }
    }
    return out;
}

RZTableTsv::Result RZTableTsv::read(const char* text, std::size_t length,
                                    const std::vector<Entry>& entries, const Labels& labels,
                                    Header header) {
    RZTextDecoder::Decoded decoded;
    RZTextDecoder::decode(text, length,
                          header == Header::NEEDED ? RZTextDecoder::Unmarked::SHIFT_JIS_OR_UTF8
                                                   : RZTextDecoder::Unmarked::SHIFT_JIS,
                          decoded);
    Reader reader(entries, labels, decoded.encoding);
    return reader.run(decoded.text, decoded.length, header);
}
