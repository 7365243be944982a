#include "app/data/RZTableText.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    std::vector<RZTableText::Line> lines = RZTableText::cutLines(text, size);
    for (const RZTableText::Line& line : lines) {
        if (line.start > line.end || line.end > size) {
            __builtin_trap();
        }
        std::vector<std::string> fields =
            RZTableText::splitFields(text + line.start, line.end - line.start);
        if (fields.size() > RZTableText::FIELD_COUNT) {
            __builtin_trap();
        }
        std::int32_t numbers[3][4] = {};
        for (std::size_t i = 2; i < fields.size() && i < 14; ++i) {
            numbers[(i - 2) / 4][(i - 2) % 4] = RZTableText::parseNumber(fields[i]);
        }
        std::string name = fields.empty() ? std::string() : fields[0];
        std::string description = fields.size() > 14 ? fields[14] : std::string();
        std::int32_t target = fields.size() > 1 ? RZTableText::parseNumber(fields[1]) : -1;
        std::string out = RZTableText::formatTableLine(name, target, numbers, description);
        if (out.size() > RZTableText::LINE_LIMIT) {
            __builtin_trap();
        }
    }
    return 0;
}
