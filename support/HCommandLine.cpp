#include "support/HCommandLine.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::string HCommandLine::singleArgument(const char* text, std::size_t length) {
    std::size_t start = 0;
    while (start < length && isBlank(text[start])) {
        ++start;
    }
    if (start < length && text[start] == '"') {
        std::size_t end = start + 1;
        while (end < length && text[end] != '"') {
            ++end;
        }
        return std::string(text + start + 1, end - start - 1);
    }
    std::size_t end = length;
    while (end > start && isBlank(text[end - 1])) {
        --end;
    }
    return std::string(text + start, end - start);
}
