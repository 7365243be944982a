#pragma once

#include <cstdint>

// Little-endian numbers in file headers. No platform calls, so the parsers
// that use it build anywhere.
class HBytes {
  public:
    static std::uint16_t word(const unsigned char* p) {
        return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
    }

    static std::uint32_t dword(const unsigned char* p) {
        return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
               (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    }
};
