#pragma once

#include <cstddef>
#include <string>

// The byte rules of Shift-JIS as code page 932 has them, the one place the
// program keeps them: paths, the table's lines, the list's cells, find and the
// text form all step over characters through here. Calls no platform
// function, so it can be built and fuzzed natively.
namespace HShiftJis {

// A byte that starts a two-byte character: 0x81-0x9F and 0xE0-0xFC. The
// IBM-extension kanji (0xFA-0xFC) are among them; their second byte is often
// 0x5C, the backslash.
constexpr bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// A byte that may end a two-byte character: 0x40-0x7E and 0x80-0xFC.
constexpr bool isTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// A character of one byte: ASCII or half-width katakana (0xA1-0xDF).
constexpr bool isSingleByte(unsigned char c) {
    return c < 0x80 || (c >= 0xA1 && c <= 0xDF);
}

// The length in bytes (1 or 2) of the character that starts at `at`: a lead
// byte takes the byte after it, as the system's own character stepping does;
// a lead byte at the very end is a character of its own.
inline std::size_t characterLength(const char* text, std::size_t length, std::size_t at) {
    return at + 1 < length && isLeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1;
}

// The length of the longest start of the text that holds at most `limit`
// bytes and ends between two characters.
std::size_t cutLength(const char* text, std::size_t length, std::size_t limit);
// The text cut to at most `limit` bytes without splitting a character.
std::string cut(const std::string& text, std::size_t limit);

// Whether every character is a one-byte character or a lead byte followed by
// a trail byte.
bool isValid(const char* text, std::size_t length);
inline bool isValid(const std::string& text) {
    return isValid(text.data(), text.size());
}

} // namespace HShiftJis
