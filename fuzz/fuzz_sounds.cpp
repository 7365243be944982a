// The sound list: one name per line in order, never more names than spells,
// never a line end or a byte past the text inside a name. The first byte
// chooses how many spells the table had.
#include "app/data/RZTableText.h"
#include "fuzz/FuzzCheck.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t spells = data[0] % 64;
    const char* text = reinterpret_cast<const char*>(data + 1);
    const std::size_t length = size - 1;

    std::vector<std::string> names = RZTableText::soundNames(text, length, spells);
    std::vector<RZTableText::Line> lines = RZTableText::cutLines(text, length);
    FUZZ_CHECK(names.size() == (lines.size() < spells ? lines.size() : spells));
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        FUZZ_CHECK(name.size() == lines[i].end - lines[i].start);
        FUZZ_CHECK(name.compare(0, name.size(), text + lines[i].start, name.size()) == 0);
        FUZZ_CHECK(name.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
    }
    FUZZ_CHECK(RZTableText::soundNames(text, length, 0).empty());
    FUZZ_CHECK(RZTableText::soundNames(nullptr, length, spells).empty());
    return 0;
}
