#pragma once

#include "app/data/ZDCharacter.h"
#include "support/HFile.h"
#include "support/HObject.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The game's characters, and a walk over those able to use a spell level.
class RZCharacters : public HObject {
  public:
    RZCharacters();
    ~RZCharacters() override;

    void clear();
    // Appends the characters of one CharacterData file; false when it cannot
    // be read or its header does not fit.
    bool readFile(const HFile& path);
    // Replaces the characters by those of every "<subdirectory>\CharacterData"
    // of the game directory; true when at least one file was read.
    bool readAll(const HFile& gameDirectory);

    std::uint32_t count() const { return static_cast<std::uint32_t>(characters.size()); }
    const ZDCharacter* characterAt(std::uint32_t i) const {
        return i < characters.size() ? characters[i].get() : nullptr;
    }

    // Whether the character at position i may use a spell level of the
    // element and rank: its aptitude in the element is at least the rank. The
    // walk below and the list of a character's spells both ask this.
    bool mayUse(std::uint32_t i, int element, int rank) const;
    // The character's aptitude in the element as the usable-character list
    // shows it: the rank's name, or the number when no rank has it.
    std::string aptitudeText(std::uint32_t i, int element) const;

    // The walk over the characters whose aptitude in element is at least rank.
    void start(int element, int rank);
    bool hasNext() const { return cursor >= 0; }
    // Gives the current character's name and aptitude text, then moves on.
    // Without both outputs it only moves on.
    void next(std::string* name, std::string* aptitudeText);
    void next(std::string& name, std::string& aptitudeText) { next(&name, &aptitudeText); }

  private:
    void advance();

    std::vector<std::unique_ptr<ZDCharacter>> characters;
    std::map<int, std::string> rankNames;
    std::int32_t element = -1;
    std::int32_t rank = -1;
    std::int32_t cursor = -1;
};
