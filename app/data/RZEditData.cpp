#include "app/data/RZEditData.h"

#include "app/data/RZGameDirectory.h"
#include "app/data/RZTableFileNames.h"

#include <map>

namespace {

// The documents of the main windows, by native handle.
std::map<HWND, std::unique_ptr<RZEditData>>& documents() {
    static std::map<HWND, std::unique_ptr<RZEditData>> byWindow;
    return byWindow;
}

} // namespace

RZEditData* RZEditData::getInstance(HWND window) {
    if (!window) {
        return nullptr;
    }
    std::unique_ptr<RZEditData>& document = documents()[window];
    if (!document) {
        document = std::make_unique<RZEditData>();
    }
    return document.get();
}

void RZEditData::release(HWND window) {
    if (!window) {
        return;
    }
    auto found = documents().find(window);
    if (found == documents().end()) {
        return;
    }
    // Out of the map before it goes.
    std::unique_ptr<RZEditData> document = std::move(found->second);
    documents().erase(found);
}

RZEditData::RZEditData() {
    setClassName("RZEditData");
    characterList = std::make_unique<RZCharacters>();
    HFile game(RZGameDirectory::path());
    if (game.exists()) {
        defaultTable = HFile(game.fullPath() + "\\Default\\Data\\" + TABLE_FILE_NAME);
        defaultSound = HFile(game.fullPath() + "\\Default\\Data\\" + SOUND_FILE_NAME);
    }
}

RZEditData::~RZEditData() {
    // The entries go before the characters.
    clear();
}

void RZEditData::append(std::unique_ptr<RZMagic> entry) {
    entries.push_back(std::move(entry));
}

void RZEditData::clear() {
    entries.clear();
    // The shown entry is one of those just deleted.
    shown = nullptr;
}

bool RZEditData::hasChanged() const {
    bool changed = false;
    for (const auto& entry : entries) {
        // Every entry is asked, not only up to the first change.
        if (entry->hasChanged()) {
            changed = true;
        }
    }
    return changed;
}

void RZEditData::shareSpellFields(const RZMagic* entry, std::uint32_t fields) {
    if (entry == nullptr) {
        return;
    }
    for (const auto& other : entries) {
        if (other.get() == entry || other->getIndex() != entry->getIndex()) {
            continue;
        }
        RZSpellValues values = other->values();
        for (int field = 0; field < RZSpellFields::FIELD_COUNT; ++field) {
            if ((fields & shareField(field)) && RZSpellFields::isShared(field)) {
                RZSpellFields::copy(values, entry->values(), field);
            }
        }
        other->setValues(std::move(values));
        if (fields & SHARE_SOUND_FILE) {
            other->setSoundReplacement(entry->getSoundReplacement());
        }
        if (fields & SHARE_PICTURE_FILE) {
            other->setPictureReplacement(entry->getPictureReplacement());
        }
    }
}

bool RZEditData::differsFromBaseline(const RZMagic& entry) {
    return entry.values() != entry.baseline().values();
}

bool RZEditData::isShown(std::uint32_t position) const {
    if (position >= entries.size()) {
        return false;
    }
    return !filtered || (position < shownRows.size() && shownRows[position]);
}

std::uint32_t RZEditData::shownCount() const {
    std::uint32_t shown = 0;
    for (std::uint32_t position = 0; position < count(); ++position) {
        if (isShown(position)) {
            ++shown;
        }
    }
    return shown;
}

void RZEditData::setFilter(const RZRowFilter::Conditions& conditions,
                           const std::vector<std::uint32_t>& positions) {
    filtered = true;
    filter = conditions;
    shownRows.assign(entries.size(), false);
    for (std::uint32_t position : positions) {
        if (position < shownRows.size()) {
            shownRows[position] = true;
        }
    }
}

void RZEditData::clearFilter() {
    filtered = false;
    filter = RZRowFilter::Conditions();
    shownRows.clear();
}

void RZEditData::setFlags(std::uint32_t mask) {
    if (mask == 0) {
        flagBits = 0;
    } else {
        flagBits |= mask;
    }
}

void RZEditData::clearFlags(std::uint32_t mask) {
    flagBits &= ~mask;
}

bool RZEditData::testFlags(std::uint32_t mask) const {
    if (mask == 0) {
        return flagBits == 0;
    }
    return static_cast<std::int32_t>(flagBits & mask) > 0;
}
