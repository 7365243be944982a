// WAVE headers: each header value is read from its place, a file read as OK
// has its chunks where they belong, and the samples it announces lie inside
// the buffer.
#include "fuzz/FuzzCheck.h"
#include "sound/HWaveHeader.h"

#include <cstring>
#include <initializer_list>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using fuzzcheck::le;
    waveheader::Info info;
    waveheader::Result result = waveheader::read(data, size, &info);
    FUZZ_CHECK((result == waveheader::TOO_SHORT) == (size < waveheader::MINIMUM_FILE_SIZE));
    for (const char* id : {info.riffId, info.formType, info.fmtId, info.dataId}) {
        FUZZ_CHECK(id[4] == '\0');
    }
    if (result == waveheader::TOO_SHORT) {
        return 0;
    }
    FUZZ_CHECK(info.riffSize == le(data, size, 4, 4));
    if (result == waveheader::BAD_RIFF) {
        FUZZ_CHECK(std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0);
        return 0;
    }
    FUZZ_CHECK(info.fmtSize == le(data, size, 16, 4));
    FUZZ_CHECK(info.formatTag == le(data, size, 20, 2) && info.channels == le(data, size, 22, 2));
    FUZZ_CHECK(info.samplesPerSec == le(data, size, 24, 4));
    FUZZ_CHECK(info.avgBytesPerSec == le(data, size, 28, 4));
    FUZZ_CHECK(info.blockAlign == le(data, size, 32, 2));
    FUZZ_CHECK(info.bitsPerSample == le(data, size, 34, 2));
    if (result != waveheader::OK) {
        return 0;
    }
    FUZZ_CHECK(std::memcmp(info.riffId, "RIFF", 4) == 0 &&
               std::memcmp(info.formType, "WAVE", 4) == 0);
    FUZZ_CHECK(std::memcmp(info.fmtId, "fmt ", 4) == 0 && std::memcmp(info.dataId, "data", 4) == 0);

    // The data chunk follows "fmt " directly or after one "fact" chunk.
    std::uint64_t afterFmt = 20ULL + info.fmtSize;
    FUZZ_CHECK(info.dataOffset >= afterFmt + 8);
    FUZZ_CHECK(info.dataOffset == afterFmt + 8 || std::memcmp(data + afterFmt, "fact", 4) == 0);
    FUZZ_CHECK(info.dataOffset <= size);
    FUZZ_CHECK(std::memcmp(data + info.dataOffset - 8, "data", 4) == 0);
    FUZZ_CHECK(info.dataSizeField == le(data, size, info.dataOffset - 4, 4));

    // The samples announced, clamped to the bytes present.
    std::uint64_t present = size - info.dataOffset;
    FUZZ_CHECK(info.dataSize == (info.dataSizeField < present ? info.dataSizeField : present));
    if (info.dataSize > 0) {
        volatile std::uint8_t touch =
            data[info.dataOffset] ^ data[info.dataOffset + info.dataSize - 1];
        (void)touch;
    }
    return 0;
}
