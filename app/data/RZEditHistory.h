#pragma once

#include "app/data/RZSpellFields.h"
#include "support/HFile.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class RZEditData;
class RZMagic;

// Undo and redo of the changes made to a document's entries. A step holds the
// values of the entries it changed as they were on the other side of the step;
// undoing or redoing swaps them with the entries' present values. Entries are
// named by their position in the document: a save reads the table back into
// new entries in the same order, so the history outlives a save. Loading,
// reloading or a new table must clear it.
//
// Any change of the document is one step:
//
//     document->history().record(*document, positions, focus, [&] {
//         ... change the entries at those positions, in any way ...
//         return true;
//     });
//
// `positions` are every entry the change may touch (spellPositions gives a
// spell's levels, allPositions the whole table); `focus` is the entry whose row
// undo and redo select. The step keeps only the entries that really changed and
// forgets the steps that could be redone; whatever path the change takes, the
// step is closed when record returns. A user's action is a step even when it
// changed nothing (a row reverted that was not edited): undoing it changes
// nothing and selects its row, as the user would count it. A change that returns
// false was no change of the table at all, and leaves no step. While a change
// runs, isRecording is true: code that records steps of its own (a field edit)
// leaves them to the outer step.
//
// Typing: consecutive changes of one field of one entry are one step. The
// field edit asks continuesBurst(position, field) first; when true, it only
// changes the entry. Otherwise it records a step and marks it with markBurst.
// endBurst closes it (the selection or focus moved, another command ran).
class RZEditHistory {
  public:
    // Steps kept at most, and the bytes of their values: the oldest go first.
    // Only steps of many entries with very long texts reach the byte bound.
    static constexpr std::size_t STEP_LIMIT = 1000;
    static constexpr std::size_t BYTE_LIMIT = std::size_t{64} << 20;

    // The values of an entry that a change may touch.
    struct EntryState {
        RZSpellValues values;
        HFile pictureReplacement;
        HFile soundReplacement;

        static EntryState of(const RZMagic& entry);
        void applyTo(RZMagic& entry) const;
        bool operator==(const EntryState& other) const;
        bool operator!=(const EntryState& other) const { return !(*this == other); }
        std::size_t bytes() const;
    };

    struct Step {
        std::uint32_t focus = 0;
        std::vector<std::pair<std::uint32_t, EntryState>> entries;
        std::size_t bytes() const;
    };

    RZEditHistory() = default;

    // The positions of every level of the entry's spell (the entry's too).
    static std::vector<std::uint32_t> spellPositions(const RZEditData& document,
                                                     const RZMagic* entry);
    static std::vector<std::uint32_t> allPositions(const RZEditData& document);
    // The entry's position in the document, or -1.
    static std::int64_t positionOf(const RZEditData& document, const RZMagic* entry);

    // Runs the change as one step (above); true when it changed any entry.
    bool record(const RZEditData& document, std::vector<std::uint32_t> positions,
                std::uint32_t focus, const std::function<bool()>& change);
    bool isRecording() const { return recording > 0; }

    bool continuesBurst(std::uint32_t position, int field) const;
    // Marks the last kept step as the open burst of this field.
    void markBurst(std::uint32_t position, int field);
    // Closes the open burst: the next change is a step of its own.
    void endBurst();

    bool canUndo() const { return !undoSteps.empty(); }
    bool canRedo() const { return !redoSteps.empty(); }
    // Puts the entries of the last step back; the step's focus position, or -1
    // when there was nothing to undo.
    std::int64_t undo(RZEditData& document);
    std::int64_t redo(RZEditData& document);
    void clear();

    std::size_t undoCount() const { return undoSteps.size(); }
    std::size_t redoCount() const { return redoSteps.size(); }
    std::size_t storedBytes() const { return bytes; }

  private:
    Step snapshot(const RZEditData& document, std::vector<std::uint32_t> positions,
                  std::uint32_t focus) const;
    void keep(Step step);
    // Takes the last step of `from`, swaps its entries with the document's and
    // puts it on `to`: undo and redo are the same move in opposite directions.
    std::int64_t move(std::deque<Step>& from, std::deque<Step>& to, RZEditData& document);
    static void swap(Step& step, RZEditData& document);
    void trim();

    std::deque<Step> undoSteps;
    std::deque<Step> redoSteps;
    std::size_t bytes = 0;
    int recording = 0;
    bool burstOpen = false;
    std::uint32_t burstPosition = 0;
    int burstField = 0;
};
