#pragma once

#include "support/HFile.h"

#include <string>
#include <vector>

// Where the editor looks for a spell's sound effect, <name>.wav, first to
// last: the folder of the sound file chosen for the spell, the game's own
// sounds (G\Music&Sound, G being the folder that holds the table's Data
// folder) and the stock game's sounds (the same beside the stock table). The
// play test plays the first that exists and the table check looks in the same
// places, so the two never disagree. A place that is not known (no file
// chosen, a table not saved yet) is left out.
namespace RZSoundPlaces {

enum Kind {
    CHOSEN_FOLDER,
    GAME,
    STOCK,
};

struct Place {
    Kind kind;
    HFile file;
};

// The sounds folder of the game the table belongs to, <G>\Music&Sound; empty
// without a table.
HFile soundFolder(const HFile& table);

// The places of <name>.wav in the order they are tried.
std::vector<Place> of(const HFile& chosen, const HFile& table, const HFile& stockTable,
                      const std::string& name);

} // namespace RZSoundPlaces
