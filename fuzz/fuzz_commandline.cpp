// The editor's one command-line argument: always a piece of the text as given;
// quoted, the bytes after the opening quote up to the closing one (no quote in
// it); unquoted, the text without blanks at either end.
#include "fuzz/FuzzCheck.h"
#include "support/HCommandLine.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    std::string line(text, size);
    std::string argument = HCommandLine::singleArgument(text, size);

    std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos) {
        FUZZ_CHECK(argument.empty());
        return 0;
    }
    if (line[start] == '"') {
        FUZZ_CHECK(argument.find('"') == std::string::npos);
        FUZZ_CHECK(line.compare(start + 1, argument.size(), argument) == 0);
        std::size_t after = start + 1 + argument.size();
        FUZZ_CHECK(after == size || line[after] == '"');
        return 0;
    }
    std::size_t end = line.find_last_not_of(" \t");
    FUZZ_CHECK(argument == line.substr(start, end - start + 1));
    return 0;
}
