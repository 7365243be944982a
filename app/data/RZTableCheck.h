#pragma once

#include "support/HFile.h"

#include <cstdint>
#include <functional>
#include <vector>

class RZEditData;

// The table check: what in the open table the game would not take as the
// editor shows it. Which files exist is asked through `exists` and nothing
// else touches the disk, so the rules can be tried on any set of files.
namespace RZTableCheck {

enum Problem {
    NO_NAME,            // an empty name
    OUT_OF_RANGE,       // a number outside the range of its field
    SOUND_MISSING,      // <sound>.wav in none of the places the play test looks
    SOUND_OUTSIDE_GAME, // only in the folder of the file chosen for the spell
};

struct Line {
    std::uint32_t position; // of the entry in the document
    int field;              // RZSpellFields::Field
    Problem problem;
};

using Exists = std::function<bool(const HFile&)>;

// Every problem, rows in table order and a row's problems in the order of the
// fields. A field the levels of a spell share is checked once per spell, on
// its first level; the numbers on every level.
std::vector<Line> check(const RZEditData& document, const Exists& exists);

// A chosen sound file to be copied where the game looks for it.
struct Copy {
    std::uint32_t position; // the spell's first level
    HFile from;
    HFile to; // <G>\Music&Sound\<sound name>.wav
};

// The copies that put every chosen sound where the game finds it: once per
// spell with a sound name whose chosen file exists outside the game's sounds
// folder (the folders compared as paths, ASCII letters in any case). None for
// a table that is not saved yet, whose game folder is not known.
std::vector<Copy> copies(const RZEditData& document, const Exists& exists);

// Whether the copies mend at least one of the lines.
bool copiesMend(const std::vector<Line>& lines, const std::vector<Copy>& copies);

} // namespace RZTableCheck
