#include "app/data/RZCp932.h"

#include <algorithm>
#include <cstdint>

namespace {
// Generated into the build directory: CP932_COUNT, cp932Unicode, cp932Code.
#include "RZCp932Table.inc"

void append(std::string& out, std::uint32_t codePoint) {
    unsigned char bytes[2];
    std::size_t count = RZCp932::encode(codePoint, bytes);
    if (count == 0) {
        out.push_back(static_cast<char>(RZCp932::MISSING));
    }
    out.append(reinterpret_cast<const char*>(bytes), count);
}

} // namespace

std::size_t RZCp932::encode(std::uint32_t codePoint, unsigned char out[2]) {
    if (codePoint < 0x80) {
        out[0] = static_cast<unsigned char>(codePoint);
        return 1;
    }
    const std::uint16_t* end = cp932Unicode + CP932_COUNT;
    const std::uint16_t* found = std::lower_bound(cp932Unicode, end, codePoint);
    if (codePoint > 0xFFFF || found == end || *found != codePoint) {
        return 0;
    }
    std::uint16_t code = cp932Code[found - cp932Unicode];
    if (code < 0x100) {
        out[0] = static_cast<unsigned char>(code);
        return 1;
    }
    out[0] = static_cast<unsigned char>(code >> 8);
    out[1] = static_cast<unsigned char>(code & 0xFF);
    return 2;
}

std::size_t RZCp932::utf8Sequence(const unsigned char* bytes, std::size_t length,
                                  std::uint32_t& codePoint) {
    const unsigned char first = bytes[0];
    codePoint = NO_CODE_POINT;
    if (first < 0x80) {
        codePoint = first;
        return 1;
    }
    // The sequence's length and the least value it may carry (shorter
    // forms of a value are broken, as are surrogates and values past U+10FFFF).
    std::size_t count = 0;
    std::uint32_t value = 0;
    std::uint32_t least = 0;
    if ((first & 0xE0) == 0xC0) {
        count = 2;
        value = first & 0x1F;
        least = 0x80;
    } else if ((first & 0xF0) == 0xE0) {
        count = 3;
        value = first & 0x0F;
        least = 0x800;
    } else if ((first & 0xF8) == 0xF0) {
        count = 4;
        value = first & 0x07;
        least = 0x10000;
    }
    std::size_t taken = 1;
    while (count > 0 && taken < count && taken < length && (bytes[taken] & 0xC0) == 0x80) {
        value = (value << 6) | (bytes[taken] & 0x3F);
        ++taken;
    }
    if (count != 0 && taken == count && value >= least && value <= 0x10FFFF &&
        !(value >= 0xD800 && value < 0xE000)) {
        codePoint = value;
    }
    return taken;
}

std::string RZCp932::fromUtf8(const char* text, std::size_t length) {
    std::string out;
    out.reserve(length);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    std::size_t at = 0;
    while (at < length) {
        std::uint32_t codePoint = 0;
        at += utf8Sequence(bytes + at, length - at, codePoint);
        if (codePoint == NO_CODE_POINT) {
            out.push_back(static_cast<char>(BROKEN));
        } else {
            append(out, codePoint);
        }
    }
    return out;
}

std::string RZCp932::fromUtf16(const char* text, std::size_t length) {
    std::string out;
    out.reserve(length);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    std::size_t at = 0;
    while (at + 1 < length) {
        std::uint32_t unit = bytes[at] | (bytes[at + 1] << 8);
        at += 2;
        if (unit >= 0xD800 && unit < 0xDC00 && at + 1 < length) {
            std::uint32_t low = bytes[at] | (bytes[at + 1] << 8);
            if (low >= 0xDC00 && low < 0xE000) {
                at += 2;
                // Past the 16-bit range: code page 932 has none of these.
                out.push_back(static_cast<char>(MISSING));
                continue;
            }
        }
        if (unit >= 0xD800 && unit < 0xE000) {
            out.push_back(static_cast<char>(BROKEN));
        } else {
            append(out, unit);
        }
    }
    if (at < length) {
        out.push_back(static_cast<char>(BROKEN)); // an odd last byte
    }
    return out;
}
