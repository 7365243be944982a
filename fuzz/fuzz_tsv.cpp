// The table's text form read against a small table, tab- or comma-separated,
// as the bytes come or as UTF-8 without a byte-order mark: a refused text
// gives no values and at most the kept number of errors, each with a place
// and a reason (and the earlier line the reason names, where it names one); an
// accepted one gives a value for every entry, keeps what the text cannot
// change, and writes back, with tabs and with commas, to a text that reads to
// the same values. The harness runs with
// a memory limit, which a text of any shape must stay under.
#include "app/data/RZTableText.h"
#include "app/data/RZTableTsv.h"
#include "fuzz/FuzzCheck.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

using RZTableTsv::Entry;

Entry entry(std::int32_t index, std::int32_t level, std::int32_t target, const char* name,
            const char* description, const std::string& sound) {
    Entry e;
    e.index = index;
    e.level = level;
    e.element = index / 8;
    e.rank = level;
    e.target = target;
    e.cost = 10 * index + level;
    e.range = -level;
    e.area = level;
    e.efficiency = 100 + level;
    e.name = name;
    e.description = description;
    e.sound = sound;
    return e;
}

// The texts are Shift-JIS bytes: ファイア, 炎の魔法, the element, rank and
// target labels.
const std::vector<Entry>& table() {
    static const std::vector<Entry> entries = {
        entry(0, 1, 2, "\203t\203@\203C\203A", "\211\212\202\314\226\202\226@", "fire01.wav"),
        entry(0, 2, 2, "\203t\203@\203C\203A", "\211\212\202\314\226\202\226@", "fire01.wav"),
        entry(0, 3, 2, "\203t\203@\203C\203A", "\211\212\202\314\226\202\226@", "fire01.wav"),
        entry(9, 1, 1, "Heal", "", ""),
        entry(20, 1, -1, "", " ", "a\tb \"c\""),
        entry(20, 2, -1, "", " ", "a\tb \"c\""),
        entry(47, 1, 7, "X", "d", "s.wav"),
    };
    return entries;
}

const RZTableTsv::Labels& labels() {
    static const RZTableTsv::Labels made = [] {
        RZTableTsv::Labels l;
        l.elements = {{-1, ""},     {0, "\211\316"}, {1, "\220\205"}, {2, "\225\227"},
                      {3, "\223y"}, {4, "\214\365"}, {5, "\210\305"}};
        l.ranks = {{0, ""}, {1, "D"}, {2, "C"}, {3, "B"}, {4, "A"}, {5, "S"}};
        l.targets = {{-1, ""}, {0, "\222n\214`"}, {1, "\226\241\225\373"}, {2, "\223G"}};
        return l;
    }();
    return made;
}

void checkRefused(const RZTableTsv::Result& result) {
    FUZZ_CHECK(result.values.empty());
    FUZZ_CHECK(result.errors.size() == std::min(result.errorCount, RZTableTsv::ERRORS_KEPT));
    for (const RZTableTsv::Error& error : result.errors) {
        FUZZ_CHECK(error.line >= 1 && error.column >= 1);
        FUZZ_CHECK(error.reason < RZTableTsv::Reason::REASON_COUNT);
        if (error.reason == RZTableTsv::Reason::REPEATED_ROW ||
            error.reason == RZTableTsv::Reason::DISAGREES) {
            FUZZ_CHECK(error.otherLine >= 1 && error.otherLine < error.line);
        } else {
            FUZZ_CHECK(error.otherLine == 0);
        }
    }
}

bool sameResult(const RZTableTsv::Result& a, const RZTableTsv::Result& b) {
    if (a.values != b.values || a.errorCount != b.errorCount ||
        a.errors.size() != b.errors.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.errors.size(); ++i) {
        const RZTableTsv::Error& x = a.errors[i];
        const RZTableTsv::Error& y = b.errors[i];
        if (x.line != y.line || x.column != y.column || x.reason != y.reason ||
            x.otherLine != y.otherLine) {
            return false;
        }
    }
    return true;
}

// In this native build the headings are UTF-8 bytes, so a text of headings
// and ASCII rows would be read as UTF-8 and lose them in the conversion to
// Shift-JIS; a heading no column has, in Shift-JIS (ぁ), keeps such a text
// Shift-JIS, as the program's own Shift-JIS headings do. Put at the header
// line's end.
void keepShiftJis(std::string& text, char separator) {
    std::size_t end = text.find_first_of("\r\n");
    text.insert(end == std::string::npos ? text.size() : end,
                std::string(1, separator) + "\x82\x9F");
}

// A header line made of the text form's own headings (UTF-8 in this build, so
// seeds of Shift-JIS files rarely hit them), split by the separator:
// each byte up to the first 0xFF picks a column by its low bits, or a name no
// column has; bit 4 puts blanks around it, bit 5 quotes it. Returns the bytes
// used.
std::size_t headerFrom(const std::uint8_t* data, std::size_t size, char separator,
                       std::string& header) {
    std::size_t used = 0;
    while (used < size && data[used] != 0xFF) {
        const std::uint8_t pick = data[used++];
        const int column = pick & 0x0F;
        std::string name = column < RZSpellFields::TEXT_COLUMN_COUNT ? RZTableTsv::heading(column)
                                                                     : std::string("?");
        if (pick & 0x10) {
            name = " " + name + " ";
        }
        if (pick & 0x20) {
            name = "\"" + name + "\"";
        }
        header += (header.empty() ? "" : std::string(1, separator)) + name;
    }
    header += "\r\n";
    return used < size ? used + 1 : used;
}

// The bytes as UTF-8 without a byte-order mark: ASCII as it is, every other
// byte a character of three bytes (hiragana, and a few code page 932 lacks),
// 0xFF one of four (which it lacks too).
std::string asUtf8(const std::uint8_t* data, std::size_t size) {
    std::string out;
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t b = data[i];
        if (b < 0x80) {
            out += static_cast<char>(b);
        } else if (b == 0xFF) {
            out += "\xF0\x9F\x98\x80";
        } else {
            const unsigned codePoint = 0x3040u + (b - 0x80u);
            out += static_cast<char>(0xE0 | (codePoint >> 12));
            out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (codePoint & 0x3F));
        }
    }
    return out;
}

// Reads the text from a buffer of its own length, where the sanitizer sees a
// read past the end (a std::string's closing zero would hide it).
RZTableTsv::Result readExactly(const std::string& text, RZTableTsv::Header header) {
    const std::vector<char> bytes(text.begin(), text.end());
    return RZTableTsv::read(bytes.data(), bytes.size(), table(), labels(), header);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte chooses a file (header required) or a clipboard text;
    // whether the next bytes pick a header of the form's own headings, split
    // by tabs or by commas; and whether the rest is taken as it is or as UTF-8
    // without a byte-order mark.
    const RZTableTsv::Header header =
        data[0] & 1 ? RZTableTsv::Header::IF_PRESENT : RZTableTsv::Header::NEEDED;
    const char separator = data[0] & 4 ? ',' : '\t';
    const bool utf8 = (data[0] & 8) != 0;
    std::string input;
    std::size_t from = 1;
    if (data[0] & 2) {
        from += headerFrom(data + 1, size - 1, separator, input);
        if (!utf8) {
            keepShiftJis(input, separator);
        }
    }
    if (utf8) {
        input += asUtf8(data + from, size - from);
    } else {
        input.append(reinterpret_cast<const char*>(data + from), size - from);
    }
    const std::vector<Entry>& entries = table();

    RZTableTsv::Result result = readExactly(input, header);
    if (utf8 && header == RZTableTsv::Header::NEEDED) {
        // Valid UTF-8 in a file reads as it does after a byte-order mark.
        const RZTableTsv::Result withMark = readExactly("\xEF\xBB\xBF" + input, header);
        FUZZ_CHECK(sameResult(result, withMark));
    }
    if (!result.ok()) {
        checkRefused(result);
        return 0;
    }
    FUZZ_CHECK(result.errors.empty());
    FUZZ_CHECK(result.values.size() == entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& before = entries[i];
        const Entry& after = result.values[i];
        FUZZ_CHECK(after.index == before.index && after.level == before.level);
        FUZZ_CHECK(after.element == before.element && after.rank == before.rank);
        // A changed name or description is one the table can hold on one line.
        for (const std::string* text : {&after.name, &after.description}) {
            const std::string& old = text == &after.name ? before.name : before.description;
            if (*text != old) {
                FUZZ_CHECK(text->find_first_of(std::string(" \t\r\n\0", 5)) == std::string::npos);
            }
        }
        // Shared fields agree on every level of a spell.
        if (i > 0 && entries[i - 1].index == before.index) {
            const Entry& previous = result.values[i - 1];
            FUZZ_CHECK(previous.name == after.name && previous.target == after.target &&
                       previous.description == after.description && previous.sound == after.sound);
        }
    }

    // ... and whole: the spell's table line is not cut when it is saved.
    const std::vector<Entry>& values = result.values;
    for (std::size_t i = 0; i < values.size();) {
        const RZTableText::SpellLine line = RZTableText::spellLineAt(
            i, values.size(), [&values](std::size_t at) { return values[at].index; },
            [&values](std::size_t at) -> const RZSpellValues& { return values[at]; });
        FUZZ_CHECK(line.count >= 1);
        if (values[i].name != entries[i].name || values[i].description != entries[i].description) {
            FUZZ_CHECK(RZTableText::spellLineLength(line) <= RZTableText::LINE_LIMIT);
        }
        i += line.count;
    }

    // Written back, the values read again as they are: tab-separated with and
    // without the header, comma-separated with it.
    std::string written = RZTableTsv::write(result.values, labels());
    const std::size_t rows = written.find("\r\n") + 2;
    RZTableTsv::Result again = RZTableTsv::read(written.data() + rows, written.size() - rows,
                                                entries, labels(), RZTableTsv::Header::IF_PRESENT);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.values == result.values);
    for (RZTableTsv::Separator form : {RZTableTsv::Separator::TAB, RZTableTsv::Separator::COMMA}) {
        written = RZTableTsv::write(result.values, labels(), form);
        keepShiftJis(written, static_cast<char>(form));
        again = RZTableTsv::read(written.data(), written.size(), result.values, labels(),
                                 RZTableTsv::Header::NEEDED);
        FUZZ_CHECK(again.ok());
        FUZZ_CHECK(again.values == result.values);
    }
    return 0;
}
