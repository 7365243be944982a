#pragma once

#include <cstddef>
#include <cstdint>

// Byte-level reading of a RIFF WAVE file's headers: "RIFF" ... "WAVE", the
// "fmt " chunk first, at most one "fact" chunk, then "data". No platform
// calls, so it can be built anywhere.
namespace waveheader {

// Files shorter than this are not read at all.
constexpr std::size_t MINIMUM_FILE_SIZE = 44;

enum Result {
    OK = 0,
    TOO_SHORT,    // fewer than 44 bytes
    BAD_RIFF,     // not "RIFF" ... "WAVE"
    BAD_FMT,      // the chunk at 12 is not "fmt "
    BAD_FMT_SIZE, // nothing fits after the "fmt " chunk
    BAD_DATA,     // the chunk after "fmt " (and "fact") is not "data"
};

struct Info {
    char riffId[5] = {};
    std::uint32_t riffSize = 0;
    char formType[5] = {};
    char fmtId[5] = {};
    std::uint32_t fmtSize = 0;
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSec = 0;
    std::uint32_t avgBytesPerSec = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    char dataId[5] = {};
    // The data chunk's size field as written.
    std::uint32_t dataSizeField = 0;
    // Where the samples start, and how many of the announced bytes are really
    // in the buffer (the size field clamped to the end of the buffer).
    std::uint32_t dataOffset = 0;
    std::uint32_t dataSize = 0;
};

// Fills as much of out as it read before a refusal.
Result read(const unsigned char* data, std::size_t length, Info* out);

} // namespace waveheader
