#include "app/data/RZCharacterFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RZCharacterFile::Header header;
    if (!RZCharacterFile::checkHeader(data, size, header)) {
        return 0;
    }
    for (std::uint32_t i = 0; i < header.records; ++i) {
        const unsigned char* record = RZCharacterFile::recordAt(data, i);
        if (record + RZCharacterFile::RECORD_SIZE > data + size) {
            __builtin_trap();
        }
        RZCharacterFile::recordName(record);
        for (int element = -1; element <= 6; ++element) {
            RZCharacterFile::recordAptitude(record, element);
        }
    }
    return 0;
}
