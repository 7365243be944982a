#include "app/data/ZDCharacter.h"

#include "app/data/RZCharacterFile.h"

#include <cstring>

ZDCharacter::ZDCharacter(HFile source, std::int32_t position, const unsigned char* bytes)
    : source(std::move(source)), position(position) {
    std::memcpy(record, bytes, RECORD_SIZE);
}

std::string ZDCharacter::name() const {
    return RZCharacterFile::recordName(record);
}

int ZDCharacter::aptitude(int element) const {
    return RZCharacterFile::recordAptitude(record, element);
}
