#pragma once

#include <cstddef>
#include <string>

// How the find command matches a search text inside a spell's texts. Works on
// Shift-JIS characters, so a search never matches from the trail byte of a
// two-byte character, and ignores the case of ASCII letters only. Calls no
// platform function, so it can be built and fuzzed natively.
namespace RZFindText {

constexpr std::size_t NOT_FOUND = static_cast<std::size_t>(-1);

// The byte offset of the first character of `text` at which `pattern` begins,
// or NOT_FOUND. An empty pattern is found at 0.
std::size_t find(const char* text, std::size_t length, const char* pattern,
                 std::size_t patternLength);
inline std::size_t find(const std::string& text, const std::string& pattern) {
    return find(text.data(), text.size(), pattern.data(), pattern.size());
}

inline bool contains(const std::string& text, const std::string& pattern) {
    return find(text, pattern) != NOT_FOUND;
}

} // namespace RZFindText
