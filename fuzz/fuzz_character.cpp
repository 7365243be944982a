// CharacterData: the header values are the file's first two numbers, a checked
// header promises exactly the records the file holds, and every record field
// read stays inside its record with its value in range.
#include "app/data/RZCharacterFile.h"
#include "fuzz/FuzzCheck.h"

#include <climits>
#include <cstring>
#include <initializer_list>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace RZCharacterFile;
    Header header;
    const bool checked = checkHeader(data, size, header);
    FUZZ_CHECK(header.version == fuzzcheck::le(data, size, 0, 4));
    FUZZ_CHECK(header.count == fuzzcheck::le(data, size, 4, 4));
    FUZZ_CHECK(header.records == header.count - 1u);
    FUZZ_CHECK(header.actualSize == static_cast<std::uint32_t>(size));
    if (!checked) {
        return 0;
    }
    FUZZ_CHECK(header.version == VERSION && header.count >= 1);
    FUZZ_CHECK(size >= HEADER_SIZE && (size - HEADER_SIZE) % RECORD_SIZE == 0);
    FUZZ_CHECK((size - HEADER_SIZE) / RECORD_SIZE == header.records);

    for (std::uint32_t i = 0; i < header.records; ++i) {
        const unsigned char* record = recordAt(data, i);
        FUZZ_CHECK(record >= data + HEADER_SIZE && record + RECORD_SIZE <= data + size);
        std::string name = recordName(record);
        FUZZ_CHECK(name.size() <= NAME_SIZE);
        FUZZ_CHECK(std::memchr(name.data(), 0, name.size()) == nullptr);
        FUZZ_CHECK(std::memcmp(name.data(), record + NAME_OFFSET, name.size()) == 0);
        FUZZ_CHECK(name.size() == NAME_SIZE || record[NAME_OFFSET + name.size()] == 0);
        for (int element = 0; element < 6; ++element) {
            int aptitude = recordAptitude(record, element);
            FUZZ_CHECK(aptitude >= -128 && aptitude <= 127);
            FUZZ_CHECK(static_cast<unsigned char>(aptitude) == record[APTITUDE_OFFSET + element]);
        }
        for (int element : {INT_MIN, -1, 6, 7, INT_MAX}) {
            FUZZ_CHECK(recordAptitude(record, element) == 0);
        }
    }
    return 0;
}
