// Splitting a table line into fields and reading numbers: the fields are the
// line's own bytes in order with runs of blanks between them, at most fifteen,
// and parseNumber agrees with a second reading of the digits in 32 bits.
#include "app/data/RZTableText.h"
#include "fuzz/FuzzCheck.h"

#include <cstring>
#include <string>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Digits read left to right; the same sum as reading them right to left, each
// at the next power of ten, wrapped in 32 bits.
std::int32_t secondReading(const char* field, std::size_t length) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (field[i] >= '0' && field[i] <= '9') {
            sum = sum * 10u + static_cast<std::uint32_t>(field[i] - '0');
        }
    }
    if (length > 0 && field[0] == '-') {
        sum = 0u - sum;
    }
    return static_cast<std::int32_t>(sum);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* line = reinterpret_cast<const char*>(data);
    std::vector<std::string> fields = RZTableText::splitFields(line, size);
    FUZZ_CHECK(fields.size() <= RZTableText::FIELD_COUNT);
    FUZZ_CHECK(fields.empty() == (size == 0));

    std::size_t at = 0;
    for (std::size_t f = 0; f < fields.size(); ++f) {
        const std::string& field = fields[f];
        if (f > 0) {
            // At least one blank before every field but the first.
            FUZZ_CHECK(at < size && isBlank(line[at]));
            while (at + 1 < size && isBlank(line[at])) {
                ++at;
            }
            FUZZ_CHECK(!field.empty());
        }
        FUZZ_CHECK(at + field.size() <= size);
        FUZZ_CHECK(std::memcmp(line + at, field.data(), field.size()) == 0);
        // Only the line's last byte may be a blank inside a field.
        for (std::size_t i = 0; i < field.size(); ++i) {
            FUZZ_CHECK(!isBlank(field[i]) || at + i == size - 1);
        }
        at += field.size();
        FUZZ_CHECK(RZTableText::parseNumber(field) == secondReading(field.data(), field.size()));
    }
    if (fields.size() < RZTableText::FIELD_COUNT) {
        FUZZ_CHECK(at == size);
    }

    FUZZ_CHECK(RZTableText::parseNumber(line, size) == secondReading(line, size));
    FUZZ_CHECK(RZTableText::splitFields(nullptr, size).empty());
    FUZZ_CHECK(RZTableText::parseNumber(nullptr, size) == 0);
    return 0;
}
