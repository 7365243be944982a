#include "app/data/RZTableCheck.h"

#include "app/data/RZEditData.h"
#include "app/data/RZFindText.h"
#include "app/data/RZMagic.h"
#include "app/data/RZSoundPlaces.h"
#include "app/data/RZSpellFields.h"
#include "support/HShiftJis.h"

#include <set>
#include <string>

namespace RZTableCheck {

namespace {

// What the places the play test tries hold of a spell's sound.
bool soundProblem(const RZEditData& document, const RZMagic& entry, const Exists& exists,
                  Problem& problem) {
    const std::string& name = RZSpellFields::text(entry.values(), RZSpellFields::FIELD_SOUND);
    if (name.empty()) {
        return false;
    }
    bool chosen = false;
    bool game = false;
    for (const RZSoundPlaces::Place& place :
         RZSoundPlaces::of(entry.getSoundReplacement(), document.tablePath(),
                           document.defaultTablePath(), name)) {
        if (exists(place.file)) {
            (place.kind == RZSoundPlaces::CHOSEN_FOLDER ? chosen : game) = true;
        }
    }
    if (game) {
        return false;
    }
    problem = chosen ? SOUND_OUTSIDE_GAME : SOUND_MISSING;
    return true;
}

bool fieldProblem(const RZEditData& document, const RZMagic& entry, int field, const Exists& exists,
                  Problem& problem) {
    if (RZSpellFields::isNumeric(field)) {
        problem = OUT_OF_RANGE;
        return !RZSpellFields::inRange(field, RZSpellFields::number(entry.values(), field));
    }
    switch (field) {
    case RZSpellFields::FIELD_NAME:
        problem = NO_NAME;
        return RZSpellFields::text(entry.values(), field).empty();
    case RZSpellFields::FIELD_SOUND:
        return soundProblem(document, entry, exists, problem);
    default:
        return false;
    }
}

// A name that stays a file of the sounds folder: no folder separator or drive
// (read as Shift-JIS, where a trail byte may be 0x5C) in it.
bool isPlainName(const std::string& name) {
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t length = HShiftJis::characterLength(name.data(), name.size(), at);
        if (length == 1 && (name[at] == '\\' || name[at] == '/' || name[at] == ':')) {
            return false;
        }
        at += length;
    }
    return true;
}

// The same folder, written in either case of ASCII letters.
bool sameFolder(const std::string& a, const std::string& b) {
    return a.size() == b.size() && RZFindText::find(a, b) == 0;
}

} // namespace

std::vector<Line> check(const RZEditData& document, const Exists& exists) {
    std::vector<Line> lines;
    std::set<std::int32_t> spellsSeen;
    for (std::uint32_t position = 0; position < document.count(); ++position) {
        const RZMagic* entry = document.entryAt(position);
        const bool firstLevel = spellsSeen.insert(entry->getIndex()).second;
        for (int field = 0; field < RZSpellFields::FIELD_COUNT; ++field) {
            Problem problem = NO_NAME;
            if ((firstLevel || !RZSpellFields::isShared(field)) &&
                fieldProblem(document, *entry, field, exists, problem)) {
                lines.push_back(Line{position, field, problem});
            }
        }
    }
    return lines;
}

std::vector<Copy> copies(const RZEditData& document, const Exists& exists) {
    std::vector<Copy> found;
    const HFile folder = RZSoundPlaces::soundFolder(document.tablePath());
    if (folder.isEmpty()) {
        return found;
    }
    std::set<std::int32_t> spellsSeen;
    for (std::uint32_t position = 0; position < document.count(); ++position) {
        const RZMagic* entry = document.entryAt(position);
        if (!spellsSeen.insert(entry->getIndex()).second) {
            continue;
        }
        const HFile chosen = entry->getSoundReplacement();
        const std::string& name = RZSpellFields::text(entry->values(), RZSpellFields::FIELD_SOUND);
        if (!name.empty() && isPlainName(name) && !chosen.isEmpty() &&
            !sameFolder(chosen.directory(), folder.fullPath()) && exists(chosen)) {
            found.push_back(
                Copy{position, chosen, HFile(folder.fullPath() + "\\" + name + ".wav")});
        }
    }
    return found;
}

bool copiesMend(const std::vector<Line>& lines, const std::vector<Copy>& copies) {
    for (const Line& line : lines) {
        for (const Copy& copy : copies) {
            if (line.problem == SOUND_OUTSIDE_GAME && line.position == copy.position) {
                return true;
            }
        }
    }
    return false;
}

} // namespace RZTableCheck
