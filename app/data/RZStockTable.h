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
// stock table lacks has no stock values: it differs in nothing and is never
// reset.
class RZStockTable {
  public:
    // One field (RZSpellFields) of one spell level that differs from the stock
    // table. Fields that a spell's levels share are reported once, on its
    // first level.
    struct Difference {
        std::uint32_t position; // of the entry in the document
        std::int32_t row;       // the entry's row number
        std::string name;       // the entry's name now
        std::string level;      // level text, as the list shows it
        int field;
        std::string stock;
        std::string current;
    };

    // Reads both files; false, and no records, when the table is missing or
    // unreadable or holds no spell level.
    bool read(const HFile& tablePath, const HFile& soundPath);
    bool isReadable() const { return !records.empty(); }
    void forget() { records.clear(); }

    // Every stock spell level, in file order.
    const std::vector<ZDMagic>& levels() const { return records; }
    // The stock record of a spell level; null when there is none.
    const ZDMagic* recordFor(std::int32_t index, std::int32_t level) const;
    // Whether any compared field of the entry differs from its stock record.
    bool differs(const ZDMagic& entry) const;
    // Every difference of the document's entries, in document order.
    std::vector<Difference> differences(const RZEditData& document) const;
    // Gives the entry its stock level values and every level of its spell the
    // stock shared values; the replacements stay. A level without stock values
    // keeps its own.
    void resetSpellLevel(RZEditData& document, RZMagic* entry) const;

  private:
    std::vector<ZDMagic> records;
};
