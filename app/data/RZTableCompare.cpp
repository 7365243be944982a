#include "app/data/RZTableCompare.h"

#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/data/RZTableText.h"
#include "app/data/ZDMagic.h"

#include <unordered_map>

namespace RZTableCompare {

namespace {

// Spell number and level as one key.
std::uint64_t keyOf(const Level& level) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(level.spell)) << 32) |
           static_cast<std::uint32_t>(level.level);
}

std::unordered_map<std::uint64_t, std::uint32_t> placesOf(const std::vector<Level>& levels) {
    std::unordered_map<std::uint64_t, std::uint32_t> places;
    places.reserve(levels.size());
    for (std::uint32_t i = 0; i < levels.size(); ++i) {
        places.emplace(keyOf(levels[i]), i);
    }
    return places;
}

State stateOf(const RZSpellValues& open, const RZSpellValues& other, const RZSpellValues* stock,
              int field) {
    if (stock == nullptr) {
        return State::NO_STOCK;
    }
    const bool openChanged = !RZSpellFields::same(open, *stock, field);
    const bool otherChanged = !RZSpellFields::same(other, *stock, field);
    if (openChanged && otherChanged) {
        return State::BOTH_CHANGED;
    }
    return openChanged ? State::THIS_CHANGED : State::OTHER_CHANGED;
}

} // namespace

std::vector<Level> levelsOf(const RZEditData& document) {
    std::vector<Level> levels;
    levels.reserve(document.count());
    for (std::uint32_t i = 0; i < document.count(); ++i) {
        const RZMagic* entry = document.entryAt(i);
        levels.push_back({entry->getIndex(), entry->getLevel(), entry->values()});
    }
    return levels;
}

std::vector<Level> levelsOf(const std::vector<ZDMagic>& records) {
    std::vector<Level> levels;
    levels.reserve(records.size());
    for (const ZDMagic& record : records) {
        levels.push_back({record.getIndex(), record.getLevel(), record.values()});
    }
    return levels;
}

std::vector<Line> compare(const std::vector<Level>& open, const std::vector<Level>& other,
                          const std::vector<Level>& stock) {
    const auto otherPlaces = placesOf(other);
    const auto stockPlaces = placesOf(stock);
    std::vector<Line> lines;
    bool anySpell = false;
    std::int32_t sharedSpell = 0; // the spell whose shared fields were compared last
    for (std::uint32_t i = 0; i < open.size(); ++i) {
        const auto matched = otherPlaces.find(keyOf(open[i]));
        if (matched == otherPlaces.end()) {
            continue;
        }
        const bool first = !anySpell || sharedSpell != open[i].spell;
        anySpell = true;
        sharedSpell = open[i].spell;
        const auto inStock = stockPlaces.find(keyOf(open[i]));
        const std::int64_t stockAt =
            inStock != stockPlaces.end() ? static_cast<std::int64_t>(inStock->second) : -1;
        const RZSpellValues* stockValues =
            stockAt >= 0 ? &stock[static_cast<std::size_t>(stockAt)].values : nullptr;
        const RZSpellValues& mine = open[i].values;
        const RZSpellValues& theirs = other[matched->second].values;
        for (int field = 0; field < RZSpellFields::FIELD_COUNT; ++field) {
            if ((RZSpellFields::isShared(field) && !first) ||
                RZSpellFields::same(mine, theirs, field)) {
                continue;
            }
            lines.push_back(Line{i, matched->second, field,
                                 stateOf(mine, theirs, stockValues, field), stockAt});
        }
    }
    return lines;
}

Taking take(const std::vector<Level>& open, const std::vector<Level>& other,
            const std::vector<Line>& lines) {
    std::vector<RZSpellValues> after;
    after.reserve(open.size());
    for (const Level& level : open) {
        after.push_back(level.values);
    }
    for (const Line& line : lines) {
        if (line.position >= open.size() || line.other >= other.size() ||
            !RZSpellFields::isField(line.field)) {
            continue;
        }
        const RZSpellValues& taken = other[line.other].values;
        if (!RZSpellFields::isShared(line.field)) {
            RZSpellFields::copy(after[line.position], taken, line.field);
            continue;
        }
        const std::int32_t spell = open[line.position].spell;
        for (std::size_t i = 0; i < open.size(); ++i) {
            if (open[i].spell == spell) {
                RZSpellFields::copy(after[i], taken, line.field);
            }
        }
    }

    Taking taking;
    for (std::uint32_t i = 0; i < open.size(); ++i) {
        if (after[i] != open[i].values) {
            taking.positions.push_back(i);
            taking.values.push_back(after[i]);
        }
    }
    // Lines grouped and measured as a save makes them.
    std::size_t i = 0;
    while (i < open.size()) {
        const RZTableText::SpellLine line = RZTableText::spellLineAt(
            i, open.size(), [&open](std::size_t at) { return open[at].spell; },
            [&after](std::size_t at) -> const RZSpellValues& { return after[at]; });
        bool changed = false;
        for (std::size_t at = i; at < i + line.count; ++at) {
            changed = changed || after[at] != open[at].values;
        }
        if (changed && RZTableText::spellLineLength(line) > RZTableText::LINE_LIMIT) {
            taking.tooLong.push_back(static_cast<std::uint32_t>(i));
        }
        i += line.count;
    }
    return taking;
}

} // namespace RZTableCompare
