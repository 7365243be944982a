#pragma once

#include <cstdint>
#include <map>
#include <string>

class ZDMagic;

// What the editor knows of the spells without reading a file: 48 spells in six
// elements of eight, the rank of each level (0 = no such level), default names
// and picture files, and the texts of levels, elements, ranks and targets.
// The tables are built once, on first use.
class RZMagicTables {
  public:
    static constexpr int SPELL_COUNT = 48;
    static constexpr int LEVEL_COUNT = 4; // column 0 is never a level

    // Kinds of copyTable.
    static constexpr int TABLE_LEVELS = 0;
    static constexpr int TABLE_ELEMENTS = 1;
    static constexpr int TABLE_RANKS = 2;
    static constexpr int TABLE_TARGETS = 3;

    // Stamps index, element, rank, level and picture of a spell level onto a
    // record; out-of-range numbers give index -1, element -1, rank 0, level 0.
    static void applyDefaults(ZDMagic* record, int spell, int level);

    // A copy of the levels, elements, ranks or targets table; empty for any
    // other kind.
    static std::map<int, std::string> copyTable(int kind);

    // The text of a value in a table (kinds as ZDMagic::fieldText: 0 levels,
    // 1 elements, 2 ranks, 3 targets, 4 default spell names); "" if absent.
    static std::string text(int kind, int value);

    // Rank of a spell's level, 0 outside the table.
    static std::int32_t rank(int spell, int level);
    static std::string spellName(int spell);
    static std::string pictureName(int spell);
};
