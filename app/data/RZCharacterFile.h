#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Byte-level rules of the CharacterData file. Calls no platform function, so it
// can be built and fuzzed natively.
namespace RZCharacterFile {

constexpr std::uint32_t VERSION = 140;
constexpr std::uint32_t HEADER_SIZE = 1348;
constexpr std::uint32_t RECORD_SIZE = 324;
constexpr std::uint32_t APTITUDE_OFFSET = 21;
constexpr std::uint32_t NAME_OFFSET = 164;
constexpr std::uint32_t NAME_SIZE = 160;

struct Header {
    std::uint32_t version = 0;
    std::uint32_t count = 0;        // as stored: records + 1
    std::uint32_t records = 0;      // count - 1, wrapped in 32 bits as stored
    std::uint32_t expectedSize = 0; // 1348 + 324 * (count - 1), in 32 bits
    std::uint32_t actualSize = 0;
};

// Reads the header values (missing bytes read as 0) and checks them: version
// 140, a count of at least 1, and a size of exactly 1348 + 324 * (count - 1).
bool checkHeader(const unsigned char* data, std::size_t size, Header& header);

// The record i of a checked file.
inline const unsigned char* recordAt(const unsigned char* data, std::uint32_t i) {
    return data + HEADER_SIZE + static_cast<std::size_t>(RECORD_SIZE) * i;
}

// The name of a record: up to its first NUL, at most NAME_SIZE bytes.
std::string recordName(const unsigned char* record);
// The signed aptitude of element 0..5; 0 for any other element.
int recordAptitude(const unsigned char* record, int element);

} // namespace RZCharacterFile
