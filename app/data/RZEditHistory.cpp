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
    state.name = entry.getName();
    state.target = entry.getTarget();
    state.cost = entry.getCost();
    state.range = entry.getRange();
    state.area = entry.getArea();
    state.efficiency = entry.getEfficiency();
    state.description = entry.getDescription();
    state.sound = entry.getSound();
    state.pictureReplacement = entry.getPictureReplacement();
    state.soundReplacement = entry.getSoundReplacement();
    return state;
}

void RZEditHistory::EntryState::applyTo(RZMagic& entry) const {
    entry.setName(name);
    entry.setTarget(target);
    entry.setCost(cost);
    entry.setRange(range);
    entry.setArea(area);
    entry.setEfficiency(efficiency);
    entry.setDescription(description);
    entry.setSound(sound);
    entry.setPictureReplacement(pictureReplacement);
    entry.setSoundReplacement(soundReplacement);
}

bool RZEditHistory::EntryState::operator==(const EntryState& other) const {
    return name == other.name && target == other.target && cost == other.cost &&
           range == other.range && area == other.area && efficiency == other.efficiency &&
           description == other.description && sound == other.sound &&
           pictureReplacement.directory() == other.pictureReplacement.directory() &&
           pictureReplacement.name() == other.pictureReplacement.name() &&
           soundReplacement.directory() == other.soundReplacement.directory() &&
           soundReplacement.name() == other.soundReplacement.name();
}

std::size_t RZEditHistory::EntryState::bytes() const {
    return sizeof(EntryState) + textBytes(name) + textBytes(description) + textBytes(sound) +
           textBytes(pictureReplacement.directory()) + textBytes(pictureReplacement.name()) +
           textBytes(soundReplacement.directory()) + textBytes(soundReplacement.name());
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

RZEditHistory::Step RZEditHistory::begin(const RZEditData& document,
                                         std::vector<std::uint32_t> positions,
                                         std::uint32_t focus) {
    ++recording;
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

bool RZEditHistory::commit(Step step, const RZEditData& document) {
    if (recording > 0) {
        --recording;
    }
    auto unchanged = [&document](const std::pair<std::uint32_t, EntryState>& before) {
        const RZMagic* entry = document.entryAt(before.first);
        return entry == nullptr || EntryState::of(*entry) == before.second;
    };
    step.entries.erase(std::remove_if(step.entries.begin(), step.entries.end(), unchanged),
                       step.entries.end());
    const bool changed = !step.entries.empty();
    burstOpen = false;
    for (const Step& dropped : redoSteps) {
        bytes -= dropped.bytes();
    }
    redoSteps.clear();
    bytes += step.bytes();
    undoSteps.push_back(std::move(step));
    trim();
    return changed;
}

void RZEditHistory::discard(Step step) {
    (void)step;
    if (recording > 0) {
        --recording;
    }
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
    endBurst();
    if (undoSteps.empty()) {
        return -1;
    }
    Step step = std::move(undoSteps.back());
    undoSteps.pop_back();
    bytes -= step.bytes();
    swap(step, document);
    std::int64_t focus = step.focus;
    bytes += step.bytes();
    redoSteps.push_back(std::move(step));
    return focus;
}

std::int64_t RZEditHistory::redo(RZEditData& document) {
    endBurst();
    if (redoSteps.empty()) {
        return -1;
    }
    Step step = std::move(redoSteps.back());
    redoSteps.pop_back();
    bytes -= step.bytes();
    swap(step, document);
    std::int64_t focus = step.focus;
    bytes += step.bytes();
    undoSteps.push_back(std::move(step));
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
