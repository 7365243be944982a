#pragma once

#include "app/data/RZBulkChange.h"
#include "app/data/RZCharacters.h"
#include "app/data/RZEditHistory.h"
#include "app/data/RZMagic.h"
#include "app/data/RZRowFilter.h"
#include "app/data/RZSpellFields.h"
#include "app/data/RZStockTable.h"
#include "support/HFile.h"
#include "support/HObject.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The document a main window works on: the entries of the open table, where it
// came from, where the stock tables lie, the file operations' state bits, the
// entry the form shows and the game's characters. One per main window.
class RZEditData : public HObject {
  public:
    // State bits kept by the file operations.
    static constexpr std::uint32_t FLAG_OPENED = 1;
    static constexpr std::uint32_t FLAG_NEW = 2;
    static constexpr std::uint32_t FLAG_STOCK_SOUND = 4;

    // What the levels of one spell share (shareSpellFields): one field of
    // RZSpellFields that the table marks shared, or all of them, and the sound
    // and picture files chosen to replace the spell's own.
    static constexpr std::uint32_t shareField(int field) { return 1u << field; }
    static constexpr std::uint32_t SHARE_VALUES = (1u << RZSpellFields::FIELD_COUNT) - 1;
    static constexpr std::uint32_t SHARE_SOUND_FILE = 1u << 16;
    static constexpr std::uint32_t SHARE_PICTURE_FILE = 1u << 17;
    static constexpr std::uint32_t SHARE_ALL = SHARE_VALUES | SHARE_SOUND_FILE | SHARE_PICTURE_FILE;
    static_assert(RZSpellFields::FIELD_COUNT <= 16, "field bits below the file bits");

    // The document of a window, made on first request; null for a null handle.
    static RZEditData* getInstance(HWND window);
    // Destroys the window's document, if it has one.
    static void release(HWND window);

    RZEditData();
    ~RZEditData() override;

    std::uint32_t count() const { return static_cast<std::uint32_t>(entries.size()); }
    RZMagic* entryAt(std::uint32_t i) const {
        return i < entries.size() ? entries[i].get() : nullptr;
    }
    void append(std::unique_ptr<RZMagic> entry);
    // Deletes every entry (and forgets the shown one).
    void clear();
    bool hasChanged() const;
    // A table is open (loaded or new) and has entries: what the table's
    // commands need.
    bool hasTable() const { return !testFlags(0) && count() > 0; }

    // The levels of a spell share the fields the table marks shared: copies
    // the given ones (SHARE_...) of entry to every other entry with the same
    // spell index. Each level keeps its own numbers, whatever is asked.
    void shareSpellFields(const RZMagic* entry, std::uint32_t fields);

    HFile defaultTablePath() const { return defaultTable; }
    HFile defaultSoundPath() const { return defaultSound; }
    HFile tablePath() const { return table; }
    HFile soundPath() const { return sound; }
    void setTablePath(HFile path) { table = std::move(path); }
    void setSoundPath(HFile path) { sound = std::move(path); }

    std::uint32_t flags() const { return flagBits; }
    // Mask 0 clears every bit; any other mask is added.
    void setFlags(std::uint32_t mask);
    // The state bits become exactly these.
    void replaceFlags(std::uint32_t bits) { flagBits = bits; }
    void clearFlags(std::uint32_t mask);
    // Mask 0: true when no bit is set. Otherwise true when the bits in mask,
    // read as a signed number, are greater than 0.
    bool testFlags(std::uint32_t mask) const;

    RZCharacters* characters() const { return characterList.get(); }

    // One of the document's entries (borrowed), or null; cleared with them.
    RZMagic* shownEntry() const { return shown; }
    void setShownEntry(RZMagic* entry) { shown = entry; }

    // Undo and redo of the entries' changes; cleared when entries are replaced
    // by a load or a new table (not by the read-back after a save).
    RZEditHistory& history() { return edits; }
    const RZEditHistory& history() const { return edits; }

    // The game's stock table, read again whenever a table is loaded.
    const RZStockTable& stockTable() const { return stock; }
    bool readStockTable() { return stock.read(defaultTable, defaultSound); }
    // Whether rows that differ from the stock table are coloured.
    bool showsStockDifferences() const { return showStock; }
    void setShowsStockDifferences(bool show) { showStock = show; }

    // Whether an entry differs from its baseline in a value the table holds
    // (every field of RZSpellFields).
    static bool differsFromBaseline(const RZMagic& entry);

    // The last text searched for.
    const std::string& searchText() const { return search; }
    void setSearchText(const std::string& text) { search = text; }

    // The last choices of the bulk change, and the character whose spells
    // were listed last (its place among the characters).
    const RZBulkChange::Choice& bulkChoice() const { return bulk; }
    void setBulkChoice(const RZBulkChange::Choice& choice) { bulk = choice; }
    std::uint32_t listedCharacter() const { return character; }
    void setListedCharacter(std::uint32_t position) { character = position; }

    // The filter in force: its conditions and the rows they matched when it
    // was set (by position), which stay shown after edits until it is set
    // again. Without a filter every row is shown.
    bool isFiltered() const { return filtered; }
    const RZRowFilter::Conditions& filterConditions() const { return filter; }
    bool isShown(std::uint32_t position) const;
    std::uint32_t shownCount() const;
    // Positions beyond the table are left out.
    void setFilter(const RZRowFilter::Conditions& conditions,
                   const std::vector<std::uint32_t>& positions);
    void clearFilter();

    // The spell-list column (RZSpellFields::listColumn) the list's rows were
    // last sorted by, or -1 while they stand in table order.
    int sortedColumn() const { return sorted; }
    void setSortedColumn(int column) { sorted = column; }

  private:
    std::vector<std::unique_ptr<RZMagic>> entries;
    HFile defaultTable;
    HFile defaultSound;
    HFile table;
    HFile sound;
    std::uint32_t flagBits = 0;
    std::unique_ptr<RZCharacters> characterList;
    RZMagic* shown = nullptr; // borrowed from entries
    RZEditHistory edits;
    RZStockTable stock;
    bool showStock = false;
    std::string search;
    RZBulkChange::Choice bulk;
    std::uint32_t character = 0;
    bool filtered = false;
    RZRowFilter::Conditions filter;
    std::vector<bool> shownRows; // by position, while filtered
    int sorted = -1;
};
