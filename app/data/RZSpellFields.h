#pragma once

// The values of a spell level and the one table of its fields: where each is
// shown in the spell list and written in the text form, the values it accepts,
// and whether a spell's levels share it. Every part of the editor that goes
// through a level's values reads this table, so a new field is one more row
// (and one more box of the form, RZFormBoxes). Calls no platform function (the
// native fuzz build uses it too).

#include <cstdint>
#include <string>
#include <utility>

// The values of one spell level that the user edits and the table files keep.
struct RZSpellValues {
    std::string name;
    std::int32_t target = -1;
    std::int32_t cost = 0;
    std::int32_t range = 0;
    std::int32_t area = 0;
    std::int32_t efficiency = 0;
    std::string description;
    std::string sound;

    bool operator==(const RZSpellValues& other) const;
    bool operator!=(const RZSpellValues& other) const { return !(*this == other); }
};

namespace RZSpellFields {

enum Field : int {
    FIELD_NAME,
    FIELD_TARGET,
    FIELD_COST,
    FIELD_RANGE,
    FIELD_AREA,
    FIELD_EFFICIENCY,
    FIELD_DESCRIPTION,
    FIELD_SOUND,
    FIELD_COUNT
};

enum class Kind {
    TEXT,
    CHOICE, // a number picked from the target list, shown by its label
    NUMBER, // a number typed in
};

struct Info {
    Field field;
    Kind kind;
    bool shared; // by every level of the spell
    // A text of the MagicTable line: blanks typed become full-width spaces
    // (the line is cut at blanks), and its length counts toward the line's.
    bool lineText;
    int listColumn; // position in the spell list
    const char* listHeading;
    int listWidth;
    int textColumn; // position in the text form
    const char* textHeading;
    std::int32_t low; // the values a number accepts, low to high
    std::int32_t high;
    std::string RZSpellValues::*text;
    std::int32_t RZSpellValues::*number;
};

inline constexpr Info FIELDS[FIELD_COUNT] = {
    // field, kind, shared, line text,
    // list column, heading, width, text column, heading, range, value
    {FIELD_NAME, Kind::TEXT, true, true, 1, "名称", 96, 2, "名称", 0, 0, &RZSpellValues::name,
     nullptr},
    {FIELD_TARGET, Kind::CHOICE, true, false, 5, "対象", 36, 5, "対象", 0, 0, nullptr,
     &RZSpellValues::target},
    {FIELD_COST, Kind::NUMBER, false, false, 6, "消費", 36, 6, "消費", 0, 9999, nullptr,
     &RZSpellValues::cost},
    {FIELD_RANGE, Kind::NUMBER, false, false, 7, "射程", 36, 7, "射程", 0, 99, nullptr,
     &RZSpellValues::range},
    {FIELD_AREA, Kind::NUMBER, false, false, 8, "範囲", 36, 8, "範囲", 0, 99, nullptr,
     &RZSpellValues::area},
    {FIELD_EFFICIENCY, Kind::NUMBER, false, false, 9, "効率", 36, 9, "効率", 0, 9999, nullptr,
     &RZSpellValues::efficiency},
    {FIELD_DESCRIPTION, Kind::TEXT, true, true, 10, "説明", 132, 10, "説明", 0, 0,
     &RZSpellValues::description, nullptr},
    {FIELD_SOUND, Kind::TEXT, true, false, 11, "効果音", 96, 11, "効果音", 0, 0,
     &RZSpellValues::sound, nullptr},
};

// The columns of the list and the text form that name a spell level instead
// of holding one of its values: shown and written, never edited or read back.
enum Key : int { KEY_ROW, KEY_NUMBER, KEY_LEVEL, KEY_ELEMENT, KEY_RANK, KEY_COUNT };

struct KeyInfo {
    Key key;
    int listColumn; // -1: not in the spell list
    const char* listHeading;
    int listWidth;
    int textColumn; // -1: not in the text form
    const char* textHeading;
};

inline constexpr KeyInfo KEYS[KEY_COUNT] = {
    {KEY_ROW, 0, "行", 24, -1, ""},       {KEY_NUMBER, -1, "", 0, 0, "番号"},
    {KEY_LEVEL, 2, "Lv", 36, 1, "Lv"},    {KEY_ELEMENT, 3, "属", 24, 3, "属性"},
    {KEY_RANK, 4, "Rk", 24, 4, "ランク"},
};

constexpr const Info& info(int field) {
    return FIELDS[field];
}
constexpr bool isField(int field) {
    return field >= 0 && field < FIELD_COUNT;
}
constexpr bool isNumeric(int field) {
    return isField(field) && FIELDS[field].kind == Kind::NUMBER;
}
constexpr bool isShared(int field) {
    return isField(field) && FIELDS[field].shared;
}
constexpr bool inRange(int field, std::int32_t value) {
    return isNumeric(field) && value >= FIELDS[field].low && value <= FIELDS[field].high;
}

// One column of the spell list or the text form: a field or a key, with its
// heading (and width, in the list).
struct Column {
    int field = -1;
    int key = -1;
    const char* heading = "";
    int width = 0;
};

constexpr int keyColumns(bool list) {
    int n = 0;
    for (const KeyInfo& key : KEYS) {
        n += (list ? key.listColumn : key.textColumn) >= 0 ? 1 : 0;
    }
    return n;
}
constexpr int LIST_COLUMN_COUNT = keyColumns(true) + FIELD_COUNT;
constexpr int TEXT_COLUMN_COUNT = keyColumns(false) + FIELD_COUNT;

constexpr Column listColumn(int position) {
    for (const Info& field : FIELDS) {
        if (field.listColumn == position) {
            return Column{field.field, -1, field.listHeading, field.listWidth};
        }
    }
    for (const KeyInfo& key : KEYS) {
        if (key.listColumn == position) {
            return Column{-1, key.key, key.listHeading, key.listWidth};
        }
    }
    return Column{};
}

constexpr Column textColumn(int position) {
    for (const Info& field : FIELDS) {
        if (field.textColumn == position) {
            return Column{field.field, -1, field.textHeading, 0};
        }
    }
    for (const KeyInfo& key : KEYS) {
        if (key.textColumn == position) {
            return Column{-1, key.key, key.textHeading, 0};
        }
    }
    return Column{};
}

// The place of a field's or a key's column in the spell list.
constexpr int listColumnOf(Field field) {
    return FIELDS[field].listColumn;
}
constexpr int listColumnOf(Key key) {
    return KEYS[key].listColumn;
}

// A field's value on any value type (the choice's number for the target).
inline std::int32_t number(const RZSpellValues& values, int field) {
    return isField(field) && FIELDS[field].number ? values.*FIELDS[field].number : 0;
}
inline void setNumber(RZSpellValues& values, int field, std::int32_t value) {
    if (isField(field) && FIELDS[field].number) {
        values.*FIELDS[field].number = value;
    }
}
inline const std::string& text(const RZSpellValues& values, int field) {
    static const std::string none;
    return isField(field) && FIELDS[field].text ? values.*FIELDS[field].text : none;
}
inline void setText(RZSpellValues& values, int field, std::string value) {
    if (isField(field) && FIELDS[field].text) {
        values.*FIELDS[field].text = std::move(value);
    }
}
inline bool same(const RZSpellValues& a, const RZSpellValues& b, int field) {
    return number(a, field) == number(b, field) && text(a, field) == text(b, field);
}
inline void copy(RZSpellValues& to, const RZSpellValues& from, int field) {
    setNumber(to, field, number(from, field));
    setText(to, field, text(from, field));
}

// Each row at its own place, each column of both lists taken exactly once.
constexpr bool tableIsWhole() {
    for (int f = 0; f < FIELD_COUNT; ++f) {
        const Info& row = FIELDS[f];
        if (row.field != f || (row.text == nullptr) == (row.number == nullptr) ||
            (row.kind == Kind::TEXT) != (row.text != nullptr)) {
            return false;
        }
    }
    for (int k = 0; k < KEY_COUNT; ++k) {
        if (KEYS[k].key != k) {
            return false;
        }
    }
    for (int list = 0; list < 2; ++list) {
        const int count = list ? LIST_COLUMN_COUNT : TEXT_COLUMN_COUNT;
        for (int position = 0; position < count; ++position) {
            int holders = 0;
            for (const Info& row : FIELDS) {
                holders += (list ? row.listColumn : row.textColumn) == position ? 1 : 0;
            }
            for (const KeyInfo& key : KEYS) {
                holders += (list ? key.listColumn : key.textColumn) == position ? 1 : 0;
            }
            if (holders != 1) {
                return false;
            }
        }
    }
    return true;
}
static_assert(tableIsWhole(), "one row per field in order, one holder per column");

} // namespace RZSpellFields

inline bool RZSpellValues::operator==(const RZSpellValues& other) const {
    for (int field = 0; field < RZSpellFields::FIELD_COUNT; ++field) {
        if (!RZSpellFields::same(*this, other, field)) {
            return false;
        }
    }
    return true;
}
