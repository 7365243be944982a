#pragma once

#include <cstddef>
#include <string>

// Byte-level path text rules. Calls no platform function, so it can be built
// and fuzzed natively.
class HPathText {
  public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    // Position of the last backslash of the text, read as Shift-JIS, so that the
    // second byte of a two-byte character (often 0x5C) is never taken for one.
    static std::size_t lastBackslash(const char* text, std::size_t length);

    // Splits a path at its last backslash. An empty path gives directory "."
    // and an empty name; a path without backslash an empty directory.
    static void split(const std::string& path, std::string& directory, std::string& name);
};
