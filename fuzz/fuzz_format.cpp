// The line writer and the line reader: a written line never exceeds the
// limit, and a line written from fields the reader can tell apart (no blanks,
// line ends or NULs inside them) reads back to the same name, numbers and
// description.
#include "app/data/RZTableText.h"
#include "fuzz/FuzzCheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

namespace {

bool readable(const std::string& field) {
    if (field.empty()) {
        return false;
    }
    for (char c : field) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0') {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::int32_t target = input.ConsumeIntegral<std::int32_t>();
    std::int32_t numbers[3][4];
    for (auto& level : numbers) {
        for (std::int32_t& number : level) {
            number = input.ConsumeIntegral<std::int32_t>();
        }
    }
    std::string name = input.ConsumeRandomLengthString(1100);
    std::string description = input.ConsumeRemainingBytesAsString();

    std::string line = RZTableText::formatTableLine(name, target, numbers, description);
    FUZZ_CHECK(line.size() <= RZTableText::LINE_LIMIT);

    // Texts stored through the blank rule have no blanks left, and keep their
    // words in the same order.
    std::string storedName = RZTableText::withFullWidthBlanks(name);
    FUZZ_CHECK(storedName.find_first_of(" \t") == std::string::npos);
    FUZZ_CHECK(storedName.size() >= name.size());
    if (name.find_first_of(" \t") == std::string::npos) {
        FUZZ_CHECK(storedName == name);
    }
    std::string storedDescription = RZTableText::withFullWidthBlanks(description);
    std::string storedLine =
        RZTableText::formatTableLine(storedName, target, numbers, storedDescription);
    if (readable(storedName) && readable(storedDescription) &&
        storedLine.size() + 1 < RZTableText::LINE_LIMIT) {
        std::vector<std::string> stored = RZTableText::splitFields(storedLine);
        FUZZ_CHECK(stored.size() == RZTableText::FIELD_COUNT);
        FUZZ_CHECK(stored[0] == storedName);
        FUZZ_CHECK(RZTableText::parseNumber(stored[1]) == target);
        FUZZ_CHECK(stored[14] == storedDescription);
    }
    // A line at the limit, or one byte short of it (a cut that would have split
    // a character), may have lost the end of its description.
    if (!readable(name) || !readable(description) || line.size() + 1 >= RZTableText::LINE_LIMIT) {
        return 0;
    }

    std::vector<std::string> fields = RZTableText::splitFields(line);
    FUZZ_CHECK(fields.size() == RZTableText::FIELD_COUNT);
    FUZZ_CHECK(fields[0] == name);
    FUZZ_CHECK(RZTableText::parseNumber(fields[1]) == target);
    for (std::size_t i = 0; i < 12; ++i) {
        FUZZ_CHECK(RZTableText::parseNumber(fields[2 + i]) == numbers[i / 4][i % 4]);
    }
    FUZZ_CHECK(fields[14] == description);
    return 0;
}
