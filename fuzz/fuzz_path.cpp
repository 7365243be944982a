// Path splitting read as Shift-JIS: the backslash found is a real one at a
// character boundary, the name after it holds none, and directory, backslash
// and name give the path back. For plain ASCII it is the last backslash byte.
// Cutting the text keeps whole characters.
#include "fuzz/FuzzCheck.h"
#include "support/HPathText.h"
#include "support/HShiftJis.h"

#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    std::string path(text, size);
    std::size_t at = HPathText::lastBackslash(text, size);

    // Cutting at half the length gives a start of the text that ends between
    // two characters, and drops at most the first byte of one character.
    const std::size_t limit = size / 2;
    const std::size_t cut = HShiftJis::cutLength(text, size, limit);
    FUZZ_CHECK(cut <= limit && cut + 1 >= limit);
    if (cut < limit) {
        FUZZ_CHECK(HShiftJis::isLeadByte(data[cut]));
    }

    // Character boundaries: a lead byte with a trail byte after it is one character.
    bool boundaryAt = false;
    bool cutAtBoundary = cut == size;
    bool ascii = true;
    for (std::size_t i = 0; i < size;) {
        unsigned char c = data[i];
        ascii = ascii && c < 0x80;
        if (i == at) {
            boundaryAt = true;
        }
        if (i == cut) {
            cutAtBoundary = true;
        }
        bool pair = HShiftJis::isLeadByte(c) && i + 1 < size && HShiftJis::isTrailByte(data[i + 1]);
        i += pair ? 2 : 1;
    }
    FUZZ_CHECK(cutAtBoundary);
    if (std::memchr(text, '\\', size) == nullptr) {
        FUZZ_CHECK(at == HPathText::npos);
    }
    if (ascii) {
        FUZZ_CHECK(at == path.rfind('\\'));
    }

    std::string directory;
    std::string name;
    HPathText::split(path, directory, name);
    if (at == HPathText::npos) {
        FUZZ_CHECK(name == path);
        FUZZ_CHECK(directory == (path.empty() ? "." : ""));
        return 0;
    }
    FUZZ_CHECK(at < size && data[at] == '\\' && boundaryAt);
    FUZZ_CHECK(directory + "\\" + name == path);
    // The name after the last backslash holds no backslash of its own. It
    // starts at a character boundary, so it can be read on its own.
    FUZZ_CHECK(HPathText::lastBackslash(name.data(), name.size()) == HPathText::npos);
    return 0;
}
