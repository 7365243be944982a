#include "app/data/RZFindText.h"

#include "support/HShiftJis.h"

namespace RZFindText {

namespace {

using HShiftJis::characterLength;

unsigned char folded(unsigned char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// Whether the pattern's characters match the text's from `at` on, one
// character against one character.
bool matchesAt(const char* text, std::size_t length, std::size_t at, const char* pattern,
               std::size_t patternLength) {
    std::size_t p = 0;
    while (p < patternLength) {
        if (at >= length) {
            return false;
        }
        std::size_t textChar = characterLength(text, length, at);
        std::size_t patternChar = characterLength(pattern, patternLength, p);
        if (textChar != patternChar) {
            return false;
        }
        if (textChar == 1) {
            if (folded(static_cast<unsigned char>(text[at])) !=
                folded(static_cast<unsigned char>(pattern[p]))) {
                return false;
            }
        } else if (text[at] != pattern[p] || text[at + 1] != pattern[p + 1]) {
            return false;
        }
        at += textChar;
        p += patternChar;
    }
    return true;
}

} // namespace

std::size_t find(const char* text, std::size_t length, const char* pattern,
                 std::size_t patternLength) {
    if (patternLength == 0) {
        return 0;
    }
    // Only character starts are tried: stepping by whole characters.
    for (std::size_t at = 0; at < length; at += characterLength(text, length, at)) {
        if (length - at < patternLength) {
            break;
        }
        if (matchesAt(text, length, at, pattern, patternLength)) {
            return at;
        }
    }
    return NOT_FOUND;
}

} // namespace RZFindText
