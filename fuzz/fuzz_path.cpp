#include "support/HPathText.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string path(reinterpret_cast<const char*>(data), size);
    std::string directory;
    std::string name;
    HPathText::split(path, directory, name);
    std::size_t at = HPathText::lastBackslash(path.data(), path.size());
    if (at != HPathText::npos && (at >= size || path[at] != '\\')) {
        __builtin_trap();
    }
    // Joining the parts gives the path back whenever it had a backslash.
    if (at != HPathText::npos && directory + "\\" + name != path) {
        __builtin_trap();
    }
    return 0;
}
