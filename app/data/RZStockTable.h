#pragma once

#include "app/data/ZDMagic.h"
#include "support/HFile.h"

#include <cstdint>
#include <string>
#include <vector>

class RZEditData;
class RZMagic;

// The game's stock spell table (Default\Data\MagicTable and SoundFileName),
// read when a table is loaded and never written, and how the open table
// differs from it. Levels are matched by spell number and level; a level the
// stock table lacks is compared with an empty record.
class RZStockTable {
  public:
    // The fields compared, in the order the form shows them.
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

    // One field of one spell level that differs from the stock table. Fields
    // that a spell's levels share are reported once, on its first level.
    struct Difference {
        std::uint32_t position; // of the entry in the document
        std::int32_t row;       // the entry's row number
        std::string name;       // the entry's name now
        std::string level;      // level text, as the list shows it
        int field;
        std::string stock;
        std::string current;
    };

    // The form's label of a field: 名称, 対象, 消費, 射程, 範囲, 効率, 説明, 効果音.
    static const char* fieldLabel(int field);
    static bool isShared(int field);
    // A field's value as the spell list shows it.
    static std::string fieldText(const ZDMagic& record, int field);
    // Whether a field of two records holds the same value.
    static bool sameField(const ZDMagic& a, const ZDMagic& b, int field);

    // Reads both files; false, and no records, when the table is missing or
    // unreadable or holds no spell level.
    bool read(const HFile& tablePath, const HFile& soundPath);
    bool isReadable() const { return !records.empty(); }
    void forget() { records.clear(); }

    // The stock record of a spell level; an empty record when there is none.
    ZDMagic recordFor(std::int32_t index, std::int32_t level) const;
    // Whether any compared field of the entry differs from its stock record.
    bool differs(const ZDMagic& entry) const;
    // Every difference of the document's entries, in document order.
    std::vector<Difference> differences(const RZEditData& document) const;
    // Gives the entry its stock level values and every level of its spell the
    // stock shared values; the replacements stay.
    void resetSpellLevel(RZEditData& document, RZMagic* entry) const;

  private:
    std::vector<ZDMagic> records;
};
