#include "app/data/RZTableTsv.h"

#include "app/data/RZCp932.h"
#include "app/data/RZTableText.h"
#include "support/HShiftJis.h"

#include <algorithm>
#include <limits>
#include <utility>

// Japanese texts are written as their Shift-JIS bytes, so that the native
// build (whose compiler keeps literals in UTF-8) reads and writes the same.
namespace {

using RZTableTsv::Column;
using RZTableTsv::Entry;
using RZTableTsv::Error;

const char* const columnNames[RZTableTsv::COLUMN_COUNT] = {
    "\224\324\215\206",         // 番号
    "Lv",                       // Lv
    "\226\274\217\314",         // 名称
    "\221\256\220\253",         // 属性
    "\203\211\203\223\203N",    // ランク
    "\221\316\217\333",         // 対象
    "\217\301\224\357",         // 消費
    "\216\313\222\366",         // 射程
    "\224\315\210\315",         // 範囲
    "\214\370\227\246",         // 効率
    "\220\340\226\276",         // 説明
    "\214\370\211\312\211\271", // 効果音
};

const char lineText[] = "\215s\226\332 "; // 行目
const char columnText[] = "\227\361: ";   // 列:

// Reasons.
const char notWhole[] = // 整数ではありません
    "\220\256\220\224\202\305\202\315\202\240\202\350\202\334\202\271\202\361";
const char outOfRange[] = // 32ビットの範囲を超えています
    "32\203r\203b\203g\202\314\224\315\210\315\202\360\222\264\202\246\202\304\202\242\202\334"
    "\202\267";
const char unknownEntry[] = // この表にない呪文です
    "\202\261\202\314\225\134\202\311\202\310\202\242\216\364\225\266\202\305\202\267";
const char duplicateBefore[] = // 同じ呪文の同じレベルが
    "\223\257\202\266\216\364\225\266\202\314\223\257\202\266\203\214\203x\203\213\202\252";
const char duplicateAfter[] = // 行目にもあります
    "\215s\226\332\202\311\202\340\202\240\202\350\202\334\202\267";
const char disagreeBefore[] = // 同じ呪文の
    "\223\257\202\266\216\364\225\266\202\314";
const char disagreeAfter[] = // 行目と違います
    "\215s\226\332\202\306\210\341\202\242\202\334\202\267";
const char unknownTarget[] = // 対象の選択肢にも整数にも当たりません
    "\221\316\217\333\202\314\221I\221\360\216\210\202\311\202\340\220\256\220\224\202\311\202\340"
    "\223\226\202\275\202\350\202\334\202\271\202\361";
const char missingCharacter[] = // Shift-JISにない文字です
    "Shift-JIS\202\311\202\310\202\242\225\266\216\232\202\305\202\267";
const char brokenUtf8[] = // UTF-8として正しくない文字があります
    "UTF-8\202\306\202\265\202\304\220\263\202\265\202\255\202\310\202\242\225\266\216\232\202\252"
    "\202\240\202\350\202\334\202\267";
const char brokenUtf16[] = // UTF-16として正しくない文字があります
    "UTF-16\202\306\202\265\202\304\220\263\202\265\202\255\202\310\202\242\225\266\216\232\202"
    "\252\202\240\202\350\202\334\202\267";
const char brokenShiftJis[] = // Shift-JISとして正しくない文字があります
    "Shift-JIS\202\306\202\265\202\304\220\263\202\265\202\255\202\310\202\242\225\266\216\232"
    "\202\252\202\240\202\350\202\334\202\267";
const char lineEndInText[] = // 改行やNUL文字は使えません
    "\211\374\215s\202\342NUL\225\266\216\232\202\315\216g\202\246\202\334\202\271\202\361";
const char unclosedQuote[] = // 引用符が閉じていません
    "\210\370\227p\225\204\202\252\225\302\202\266\202\304\202\242\202\334\202\271\202\361";
const char noNumberColumn[] = // 「番号」の列がありません
    "\201u\224\324\215\206\201v\202\314\227\361\202\252\202\240\202\350\202\334\202\271\202\361";
const char noLevelColumn[] = // 「Lv」の列がありません
    "\201uLv\201v\202\314\227\361\202\252\202\240\202\350\202\334\202\271\202\361";
const char duplicateColumn[] = // 列名が重複しています
    "\227\361\226\274\202\252\217d\225\241\202\265\202\304\202\242\202\334\202\267";
const char lineTooLong[] = // 長すぎます（MagicTableの1行は1023バイトまでです）
    "\222\267\202\267\202\254\202\334\202\267\201iMagicTable\202\3141\215s\202\3151023\203o\203C"
    "\203g\202\334\202\305\202\305\202\267\201j";

enum class Source { SHIFT_JIS, UTF8, UTF16 };

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

std::string quoted(const std::string& field) {
    if (field.find_first_of("\t\r\n\"") == std::string::npos) {
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

// Reads fields of records one after another, as a spreadsheet program writes
// them: tab-separated, records ended by CR LF, LF or CR or the end of the text,
// a field starting with a quote quoted (a doubled quote stands for one, and tabs
// and line ends inside belong to the field).
class Scanner {
  public:
    Scanner(const char* text, std::size_t length) : text(text), length(length) {}

    bool atEnd() const { return at >= length; }
    std::size_t line() const { return lineNumber; }

    // The next field of the record; `keep` false only measures it. `last` is
    // set when the record ends after it; `unclosed` when its quote never ends
    // (the rest of the text is then taken).
    void field(bool keep, std::string& value, std::size_t& size, bool& last, bool& unclosed) {
        value.clear();
        size = 0;
        unclosed = false;
        if (at < length && text[at] == '"') {
            ++at;
            for (;;) {
                if (at >= length) {
                    unclosed = true;
                    last = true;
                    return;
                }
                char c = text[at];
                if (c == '"') {
                    if (at + 1 < length && text[at + 1] == '"') {
                        take(keep, value, size, '"');
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                if (c == '\n' || (c == '\r' && !(at + 1 < length && text[at + 1] == '\n'))) {
                    ++lineNumber;
                }
                take(keep, value, size, c);
                ++at;
            }
        }
        // Unquoted bytes, and whatever follows a closing quote, up to the field's end.
        const std::size_t from = at;
        while (at < length && text[at] != '\t' && text[at] != '\r' && text[at] != '\n') {
            ++at;
        }
        if (keep) {
            value.append(text + from, at - from);
        }
        size += at - from;
        last = true;
        if (at >= length) {
            return;
        }
        char end = text[at++];
        if (end == '\t') {
            last = false;
        } else {
            if (end == '\r' && at < length && text[at] == '\n') {
                ++at;
            }
            ++lineNumber;
        }
    }

  private:
    static void take(bool keep, std::string& value, std::size_t& size, char c) {
        if (keep) {
            value += c;
        }
        ++size;
    }

    const char* text;
    std::size_t length;
    std::size_t at = 0;
    std::size_t lineNumber = 1;
};

// The values of one spell's shared fields as first read, and where.
struct Shared {
    bool has[RZTableTsv::COLUMN_COUNT] = {};
    std::size_t line[RZTableTsv::COLUMN_COUNT] = {};
    std::string name;
    std::string description;
    std::string sound;
    std::int32_t target = -1;
};

class Reader {
  public:
    Reader(const std::vector<Entry>& entries, const RZTableTsv::Labels& labels, Source source)
        : entries(entries), labels(labels), source(source), seen(entries.size(), 0) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            positions.emplace(std::make_pair(entries[i].index, entries[i].level), i);
        }
        result.values = entries;
    }

    RZTableTsv::Result run(const char* text, std::size_t length, RZTableTsv::Header header) {
        Scanner scanner(text, length);
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
                const int column =
                    first ? (position <= RZTableTsv::COLUMN_COUNT ? static_cast<int>(position) - 1
                                                                  : -1)
                          : columnAtPosition(position);
                std::size_t size = 0;
                bool unclosed = false;
                scanner.field(first || column >= 0, value, size, last, unclosed);
                blank = blank && size == 0;
                if (unclosed) {
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
                addError(line, unclosedColumn, unclosedQuote);
                break;
            }
            if (blank) {
                continue; // empty lines, and rows of empty cells
            }
            if (first) {
                first = false;
                if (readHeader(candidate, cells.text[RZTableTsv::COLUMN_NUMBER], line,
                               needHeader)) {
                    if (result.errorCount > 0) {
                        break; // without its columns, no row can be read
                    }
                    continue;
                }
            }
            readRow(cells, line);
        }
        if (first && needHeader) {
            addError(1, 1, noNumberColumn);
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
    // The columns of one row, by kind.
    struct Cells {
        std::string text[RZTableTsv::COLUMN_COUNT];
        bool given[RZTableTsv::COLUMN_COUNT] = {};

        void clear() {
            for (int c = 0; c < RZTableTsv::COLUMN_COUNT; ++c) {
                text[c].clear();
                given[c] = false;
            }
        }
    };

    // What the first record would be as a header: where each name stands, and
    // the names that stand twice.
    struct Candidate {
        std::size_t at[RZTableTsv::COLUMN_COUNT] = {};
        std::vector<std::size_t> repeated; // the first few
        std::size_t repeatedCount = 0;

        void note(const std::string& field, std::size_t position) {
            std::string name = trimmed(field);
            for (int c = 0; c < RZTableTsv::COLUMN_COUNT; ++c) {
                if (name != columnNames[c]) {
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

    void addError(std::size_t line, std::size_t column, std::string reason) {
        ++result.errorCount;
        if (result.errors.size() < RZTableTsv::ERRORS_KEPT) {
            result.errors.push_back(Error{line, column, std::move(reason)});
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
        const bool isHeader = candidate.at[RZTableTsv::COLUMN_NUMBER] != 0 &&
                              candidate.at[RZTableTsv::COLUMN_LEVEL] != 0 &&
                              (needHeader || !parseWhole(firstField, number, tooLarge));
        if (!isHeader && !needHeader) {
            for (int c = 0; c < RZTableTsv::COLUMN_COUNT; ++c) {
                columnAt[c] = static_cast<std::size_t>(c) + 1;
            }
            return false;
        }
        for (std::size_t position : candidate.repeated) {
            addError(line, position, duplicateColumn);
        }
        result.errorCount += candidate.repeatedCount - candidate.repeated.size();
        if (candidate.at[RZTableTsv::COLUMN_NUMBER] == 0) {
            addError(line, 1, noNumberColumn);
        }
        if (candidate.at[RZTableTsv::COLUMN_LEVEL] == 0) {
            addError(line, 1, noLevelColumn);
        }
        for (int c = 0; c < RZTableTsv::COLUMN_COUNT; ++c) {
            columnAt[c] = candidate.at[c];
        }
        return true;
    }

    // The column a row's field is read as; -1 for one not read (unknown, or
    // element and rank, which follow from the spell).
    int columnAtPosition(std::size_t position) const {
        for (int c = 0; c < RZTableTsv::COLUMN_COUNT; ++c) {
            if (columnAt[c] == position && c != RZTableTsv::COLUMN_ELEMENT &&
                c != RZTableTsv::COLUMN_RANK) {
                return c;
            }
        }
        return -1;
    }

    // The encoding's own problem in a field read from UTF-8 or UTF-16 text.
    const char* conversionProblem(const std::string& field) const {
        if (source == Source::SHIFT_JIS) {
            return nullptr;
        }
        for (char c : field) {
            if (static_cast<unsigned char>(c) == RZCp932::BROKEN) {
                return source == Source::UTF8 ? brokenUtf8 : brokenUtf16;
            }
            if (static_cast<unsigned char>(c) == RZCp932::MISSING) {
                return missingCharacter;
            }
        }
        return nullptr;
    }

    bool number(const std::string& field, std::size_t line, std::size_t column,
                std::int32_t& value) {
        bool tooLarge = false;
        if (const char* problem = conversionProblem(field)) {
            addError(line, column, problem);
        } else if (!parseWhole(field, value, tooLarge)) {
            addError(line, column, tooLarge ? outOfRange : notWhole);
        } else {
            return true;
        }
        return false;
    }

    // A text field's value as the entry would hold it: unchanged when it is
    // the entry's text, otherwise checked and, for names and descriptions, with
    // full-width spaces.
    bool text(const std::string& field, const std::string& current, bool spaces, std::size_t line,
              std::size_t column, std::string& value) {
        if (const char* problem = conversionProblem(field)) {
            addError(line, column, problem);
            return false;
        }
        if (field == current) {
            value = current;
            return true;
        }
        if (field.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
            addError(line, column, lineEndInText);
            return false;
        }
        if (!HShiftJis::isValid(field)) {
            addError(line, column, brokenShiftJis);
            return false;
        }
        value = spaces ? RZTableText::withFullWidthBlanks(field) : field;
        return true;
    }

    bool target(const std::string& field, std::size_t line, std::size_t column,
                std::int32_t& value) {
        if (const char* problem = conversionProblem(field)) {
            addError(line, column, problem);
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
        addError(line, column, tooLarge ? outOfRange : unknownTarget);
        return false;
    }

    void readRow(const Cells& cells, std::size_t line) {
        const std::size_t numberColumn = columnIndex(RZTableTsv::COLUMN_NUMBER);
        const std::size_t levelColumn = columnIndex(RZTableTsv::COLUMN_LEVEL);
        std::int32_t index = 0;
        std::int32_t level = 0;
        bool known = number(cells.text[RZTableTsv::COLUMN_NUMBER], line, numberColumn, index);
        known = number(cells.text[RZTableTsv::COLUMN_LEVEL], line, levelColumn, level) && known;
        if (!known) {
            return;
        }
        auto position = positions.find(std::make_pair(index, level));
        if (position == positions.end()) {
            addError(line, numberColumn, unknownEntry);
            return;
        }
        const std::size_t at = position->second;
        if (seen[at] != 0) {
            addError(line, numberColumn,
                     duplicateBefore + std::to_string(seen[at]) + duplicateAfter);
            return;
        }
        seen[at] = line;

        Entry& values = result.values[at];
        const Entry& current = entries[at];
        std::int32_t* levelFields[] = {&values.cost, &values.range, &values.area,
                                       &values.efficiency};
        for (int c = RZTableTsv::COLUMN_COST; c <= RZTableTsv::COLUMN_EFFICIENCY; ++c) {
            std::int32_t value = 0;
            if (cells.given[c] && number(cells.text[c], line, columnAt[c], value)) {
                *levelFields[c - RZTableTsv::COLUMN_COST] = value;
            }
        }

        Shared& shared = spells[index];
        std::string value;
        std::int32_t targetValue = 0;
        if (cells.given[RZTableTsv::COLUMN_NAME] &&
            text(cells.text[RZTableTsv::COLUMN_NAME], current.name, true, line,
                 columnAt[RZTableTsv::COLUMN_NAME], value)) {
            share(shared, RZTableTsv::COLUMN_NAME, shared.name, value, line);
        }
        if (cells.given[RZTableTsv::COLUMN_TARGET] &&
            target(cells.text[RZTableTsv::COLUMN_TARGET], line, columnAt[RZTableTsv::COLUMN_TARGET],
                   targetValue)) {
            share(shared, RZTableTsv::COLUMN_TARGET, shared.target, targetValue, line);
        }
        if (cells.given[RZTableTsv::COLUMN_DESCRIPTION] &&
            text(cells.text[RZTableTsv::COLUMN_DESCRIPTION], current.description, true, line,
                 columnAt[RZTableTsv::COLUMN_DESCRIPTION], value)) {
            share(shared, RZTableTsv::COLUMN_DESCRIPTION, shared.description, value, line);
        }
        if (cells.given[RZTableTsv::COLUMN_SOUND] &&
            text(cells.text[RZTableTsv::COLUMN_SOUND], current.sound, false, line,
                 columnAt[RZTableTsv::COLUMN_SOUND], value)) {
            share(shared, RZTableTsv::COLUMN_SOUND, shared.sound, value, line);
        }
    }

    // A spell's levels share name, target, description and sound: every line
    // of the spell must give the same value.
    template <typename T>
    void share(Shared& shared, int column, T& kept, const T& value, std::size_t line) {
        if (!shared.has[column]) {
            shared.has[column] = true;
            shared.line[column] = line;
            kept = value;
        } else if (!(kept == value)) {
            addError(line, columnAt[column],
                     disagreeBefore + std::to_string(shared.line[column]) + disagreeAfter);
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
            const Shared& shared = found->second;
            if (shared.has[RZTableTsv::COLUMN_NAME]) {
                values.name = shared.name;
            }
            if (shared.has[RZTableTsv::COLUMN_TARGET]) {
                values.target = shared.target;
            }
            if (shared.has[RZTableTsv::COLUMN_DESCRIPTION]) {
                values.description = shared.description;
            }
            if (shared.has[RZTableTsv::COLUMN_SOUND]) {
                values.sound = shared.sound;
            }
        }
    }

    // A changed name or description must leave the spell's table line whole:
    // the table writer cuts longer lines. Groups are taken as a save takes them.
    void checkLineLengths() {
        const std::vector<Entry>& values = result.values;
        std::size_t i = 0;
        while (i < values.size()) {
            std::size_t members = 1;
            while (members < 3 && i + members < values.size() &&
                   values[i + members].index == values[i].index) {
                ++members;
            }
            const Entry& first = values[i];
            auto found = spells.find(first.index);
            if (found != spells.end() &&
                (first.name != entries[i].name || first.description != entries[i].description)) {
                std::int32_t numbers[3][4] = {};
                for (std::size_t m = 0; m < members; ++m) {
                    numbers[m][0] = values[i + m].cost;
                    numbers[m][1] = values[i + m].range;
                    numbers[m][2] = values[i + m].area;
                    numbers[m][3] = values[i + m].efficiency;
                }
                // The name is padded to 18 bytes; the description comes last.
                std::size_t length =
                    RZTableText::formatTableLine("", first.target, numbers, "").size() - 18 +
                    std::max<std::size_t>(18, first.name.size()) + first.description.size();
                if (length > RZTableText::LINE_LIMIT) {
                    const Shared& shared = found->second;
                    int column = shared.has[RZTableTsv::COLUMN_DESCRIPTION]
                                     ? RZTableTsv::COLUMN_DESCRIPTION
                                     : RZTableTsv::COLUMN_NAME;
                    addError(shared.line[column], columnIndex(column), lineTooLong);
                }
            }
            i += members;
        }
    }

    const std::vector<Entry>& entries;
    const RZTableTsv::Labels& labels;
    Source source;
    RZTableTsv::Result result;
    std::map<std::pair<std::int32_t, std::int32_t>, std::size_t> positions;
    std::vector<std::size_t> seen; // the line that set each entry, 0 for none
    std::map<std::int32_t, Shared> spells;
    std::size_t columnAt[RZTableTsv::COLUMN_COUNT] = {}; // position of each column, 0 for none
};

} // namespace

bool RZTableTsv::Entry::operator==(const Entry& other) const {
    return index == other.index && level == other.level && element == other.element &&
           rank == other.rank && target == other.target && cost == other.cost &&
           range == other.range && area == other.area && efficiency == other.efficiency &&
           name == other.name && description == other.description && sound == other.sound;
}

std::string RZTableTsv::write(const std::vector<Entry>& entries, const Labels& labels) {
    auto label = [](const std::map<std::int32_t, std::string>& table, std::int32_t value,
                    bool orNumber) {
        auto found = table.find(value);
        if (found != table.end()) {
            return found->second;
        }
        return orNumber ? std::to_string(value) : std::string();
    };
    std::string out;
    for (int c = 0; c < COLUMN_COUNT; ++c) {
        out += columnNames[c];
        out += c + 1 < COLUMN_COUNT ? "\t" : "\r\n";
    }
    for (const Entry& entry : entries) {
        const std::string fields[COLUMN_COUNT] = {
            std::to_string(entry.index),
            std::to_string(entry.level),
            quoted(entry.name),
            quoted(label(labels.elements, entry.element, false)),
            quoted(label(labels.ranks, entry.rank, false)),
            quoted(label(labels.targets, entry.target, true)),
            std::to_string(entry.cost),
            std::to_string(entry.range),
            std::to_string(entry.area),
            std::to_string(entry.efficiency),
            quoted(entry.description),
            quoted(entry.sound),
        };
        for (int c = 0; c < COLUMN_COUNT; ++c) {
            out += fields[c];
            out += c + 1 < COLUMN_COUNT ? "\t" : "\r\n";
        }
    }
    return out;
}

RZTableTsv::Result RZTableTsv::read(const char* text, std::size_t length,
                                    const std::vector<Entry>& entries, const Labels& labels,
                                    Header header) {
    if (text == nullptr) {
        length = 0;
        text = "";
    }
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    std::string converted;
    Source source = Source::SHIFT_JIS;
    if (length >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        converted = RZCp932::fromUtf8(text + 3, length - 3);
        source = Source::UTF8;
    } else if (length >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        converted = RZCp932::fromUtf16(text + 2, length - 2);
        source = Source::UTF16;
    }
    if (source != Source::SHIFT_JIS) {
        text = converted.data();
        length = converted.size();
    }
    Reader reader(entries, labels, source);
    return reader.run(text, length, header);
}

std::string RZTableTsv::errorText(const Error& error) {
    return std::to_string(error.line) + lineText + std::to_string(error.column) + columnText +
           error.reason;
}
