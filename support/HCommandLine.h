#pragma once

#include <cstddef>
#include <string>

// Byte-level reading of a program's command line (WinMain's, without the
// program's own name). Calls no platform function, so it can be built and
// fuzzed natively.
class HCommandLine {
  public:
    // The one argument of the text: when it starts (after blanks) with a
    // double quote, the bytes up to the next double quote or the end;
    // otherwise the whole text without leading and trailing blanks, so that an
    // unquoted path with spaces still reads as one. "" for a blank text.
    // Shift-JIS text needs no care: neither quote nor blank is a trail byte.
    static std::string singleArgument(const char* text, std::size_t length);
};
