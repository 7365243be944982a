#include "app/data/RZEditHistory.h"

#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"

#include <algorithm>

namespace {

std::size_t textBytes(const std::string& text) {
    return text.capacity() > 15 ? text.capacity() + 1 : 0;
}

} // namespace

RZEditHistory::EntryState RZEditHistory::EntryState::of(const RZMagic& entry) {
    EntryState state;
    state.values = entry.values();
    state.pictureReplacement = entry.getPictureReplacement();
    state.soundReplacement = entry.getSoundReplacement();
    return state;
}

void RZEditHistory::EntryState::applyTo(RZMagic& entry) const {
    entry.setValues(values);
    entry.setPictureReplacement(pictureReplacement);
    entry.setSoundReplacement(soundReplacement);
}

bool RZEditHistory::EntryState::operator==(const EntryState& other) const {
    return values == other.values &&
           pictureReplacement.directory() == other.pictureReplacement.directory() &&
           pictureReplacement.name() == other.pictureReplacement.name() &&
           soundReplacement.directory() == other.soundReplacement.directory() &&
           soundReplacement.name() == other.soundReplacement.name();
}

std::size_t RZEditHistory::EntryState::bytes() const {
    std::size_t total = sizeof(EntryState) + textBytes(pictureReplacement.directory()) +
                        textBytes(pictureReplacement.name()) +
                        textBytes(soundReplacement.directory()) +
                        textBytes(soundReplacement.name());
    for (int field = 0; field < RZSpellFields::FIELD_COUNT; ++field) {
        total += textBytes(RZSpellFields::text(values, field));
    }
    return total;
}

std::size_t RZEditHistory::Step::bytes() const {
    std::size_t total = sizeof(Step);
    for (const auto& entry : entries) {
        total += sizeof(entry.first) + entry.second.bytes();
    }
    return total;
}

std::vector<std::uint32_t> RZEditHistory::spellPositions(const RZEditData& document,
                                                         const RZMagic* entry) {
    std::vector<std::uint32_t> positions;
    if (entry == nullptr) {
        return positions;
    }
    for (std::uint32_t i = 0; i < document.count(); ++i) {
        const RZMagic* other = document.entryAt(i);
        if (other == entry || other->getIndex() == entry->getIndex()) {
            positions.push_back(i);
        }
    }
    return positions;
}

std::vector<std::uint32_t> RZEditHistory::allPositions(const RZEditData& document) {
    std::vector<std::uint32_t> positions(document.count());
    for (std::uint32_t i = 0; i < document.count(); ++i) {
        positions[i] = i;
    }
    return positions;
}

std::int64_t RZEditHistory::positionOf(const RZEditData& document, const RZMagic* entry) {
    for (std::uint32_t i = 0; i < document.count(); ++i) {
        if (document.entryAt(i) == entry) {
            return i;
        }
    }
    return -1;
}

bool RZEditHistory::record(const RZEditData& document, std::vector<std::uint32_t> positions,
                           std::uint32_t focus, const std::function<bool()>& change) {
    // Lowered on every way out, so no step is ever left open.
    struct Recording {
        explicit Recording(int& count) : count(count) { ++count; }
        ~Recording() { --count; }
        int& count;
    };
    Step step = snapshot(document, std::move(positions), focus);
    bool kept = false;
    {
        Recording open(recording);
        kept = change && change();
    }
    if (!kept) {
        return false;
    }
    auto unchanged = [&document](const std::pair<std::uint32_t, EntryState>& before) {
        const RZMagic* entry = document.entryAt(before.first);
        return entry == nullptr || EntryState::of(*entry) == before.second;
    };
    step.entries.erase(std::remove_if(step.entries.begin(), step.entries.end(), unchanged),
                       step.entries.end());
    const bool changed = !step.entries.empty();
    keep(std::move(step));
    return changed;
}

RZEditHistory::Step RZEditHistory::snapshot(const RZEditData& document,
                                            std::vector<std::uint32_t> positions,
                                            std::uint32_t focus) const {
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    Step step;
    step.focus = focus;
    for (std::uint32_t position : positions) {
        const RZMagic* entry = document.entryAt(position);
        if (entry != nullptr) {
            step.entries.emplace_back(position, EntryState::of(*entry));
        }
    }
    return step;
}

void RZEditHistory::keep(Step step) {
    burstOpen = false;
    for (const Step& dropped : redoSteps) {
        bytes -= dropped.bytes();
    }
    redoSteps.clear();
    bytes += step.bytes();
    undoSteps.push_back(std::move(step));
    trim();
}

bool RZEditHistory::continuesBurst(std::uint32_t position, int field) const {
    return burstOpen && burstPosition == position && burstField == field && !undoSteps.empty();
}

void RZEditHistory::markBurst(std::uint32_t position, int field) {
    burstOpen = !undoSteps.empty();
    burstPosition = position;
    burstField = field;
}

void RZEditHistory::endBurst() {
    burstOpen = false;
}

void RZEditHistory::swap(Step& step, RZEditData& document) {
    for (auto& stored : step.entries) {
        RZMagic* entry = document.entryAt(stored.first);
        if (entry == nullptr) {
            continue;
        }
        EntryState present = EntryState::of(*entry);
        stored.second.applyTo(*entry);
        stored.second = std::move(present);
    }
}

std::int64_t RZEditHistory::undo(RZEditData& document) {
    return move(undoSteps, redoSteps, document);
}

std::int64_t RZEditHistory::redo(RZEditData& document) {
    return move(redoSteps, undoSteps, document);
}

std::int64_t RZEditHistory::move(std::deque<Step>& from, std::deque<Step>& to,
                                 RZEditData& document) {
    endBurst();
    if (from.empty()) {
        return -1;
    }
    Step step = std::move(from.back());
    from.pop_back();
    bytes -= step.bytes();
    swap(step, document);
    const std::int64_t focus = step.focus;
    bytes += step.bytes();
    to.push_back(std::move(step));
    return focus;
}

void RZEditHistory::clear() {
    undoSteps.clear();
    redoSteps.clear();
    bytes = 0;
    burstOpen = false;
}

void RZEditHistory::trim() {
    while (undoSteps.size() > 1 && (undoSteps.size() > STEP_LIMIT || bytes > BYTE_LIMIT)) {
        bytes -= undoSteps.front().bytes();
        undoSteps.pop_front();
    }
}
