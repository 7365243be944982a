#pragma once

#include "support/HFile.h"

#include <cstdint>
#include <string>

// One character of the game's CharacterData file: where it was read from and
// its 324 record bytes.
class ZDCharacter {
  public:
    static constexpr std::uint32_t RECORD_SIZE = 324;

    // Copies RECORD_SIZE bytes from record.
    ZDCharacter(HFile source, std::int32_t position, const unsigned char* record);
    virtual ~ZDCharacter() = default;

    HFile getSource() const { return source; }
    std::int32_t getPosition() const { return position; }
    const unsigned char* bytes() const { return record; }

    // The name at offset 164, up to its NUL (at most 160 bytes).
    std::string name() const;
    // The signed aptitude byte of element 0..5; 0 for any other element.
    int aptitude(int element) const;

  private:
    HFile source;
    std::int32_t position;
    unsigned char record[RECORD_SIZE];
};
