#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken invariant is a finding like a crash: it names the condition and
// aborts, so libFuzzer keeps the input that broke it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #condition, __FILE__,           \
                         __LINE__);                                                                \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace fuzzcheck {

// Little-endian reads written apart from the parsers, so that the harnesses
// compare the parsers with a second reading. Bytes past the end read as 0.
inline std::uint32_t le(const std::uint8_t* data, std::size_t size, std::size_t offset, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        std::size_t at = offset + static_cast<std::size_t>(i);
        value = (value << 8) | (at < size ? data[at] : 0u);
    }
    return value;
}

} // namespace fuzzcheck
