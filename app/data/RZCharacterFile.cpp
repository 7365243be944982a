#include "app/data/RZCharacterFile.h"

#include <cstring>

namespace RZCharacterFile {

namespace {

std::uint32_t readUint32(const unsigned char* data, std::size_t size, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        if (offset + i < size) {
            value |= static_cast<std::uint32_t>(data[offset + i]) << (8 * i);
        }
    }
    return value;
}

} // namespace

bool checkHeader(const unsigned char* data, std::size_t size, Header& header) {
    header = Header();
    if (!data) {
        size = 0;
    }
    header.version = readUint32(data, size, 0);
    header.count = readUint32(data, size, 4);
    header.records = header.count - 1u;
    header.expectedSize = HEADER_SIZE + RECORD_SIZE * header.records;
    header.actualSize = static_cast<std::uint32_t>(size);
    if (header.version != VERSION || header.count == 0) {
        return false;
    }
    // Compared in 64 bits, so that no count can wrap around to a small size.
    std::uint64_t expected = HEADER_SIZE + static_cast<std::uint64_t>(RECORD_SIZE) * header.records;
    return static_cast<std::uint64_t>(size) == expected;
}

std::string recordName(const unsigned char* record) {
    const unsigned char* name = record + NAME_OFFSET;
    const void* nul = std::memchr(name, 0, NAME_SIZE);
    std::size_t length =
        nul ? static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - name) : NAME_SIZE;
    return std::string(reinterpret_cast<const char*>(name), length);
}

int recordAptitude(const unsigned char* record, int element) {
    if (element < 0 || element > 5) {
        return 0;
    }
    return static_cast<signed char>(record[APTITUDE_OFFSET + element]);
}

} // namespace RZCharacterFile
