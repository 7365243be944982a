#pragma once

#include <cstddef>
#include <string>

// Byte-level path text rules. Calls no platform function, so it can be built
// and fuzzed natively.
class HPathText {
  public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    // True for a Shift-JIS lead byte (0x81-0x9F, 0xE0-0xEF).
    static bool isLeadByte(unsigned char c);
    // True for a Shift-JIS trail byte (0x40-0x7E, 0x80-0xFC).
    static bool isTrailByte(unsigned char c);

    // Position of the last backslash of the text, read as Shift-JIS, so that the
    // second byte of a two-byte character (often 0x5C) is never taken for one.
    static std::size_t lastBackslash(const char* text, std::size_t length);

    // Splits a path at its last backslash. An empty path gives directory "."
    // and an empty name; a path without backslash an empty directory.
    static void split(const std::string& path, std::string& directory, std::string& name);
};
