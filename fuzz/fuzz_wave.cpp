#include "sound/HWaveHeader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    waveheader::Info info;
    if (waveheader::read(data, size, &info) != waveheader::OK) {
        return 0;
    }
    // The samples announced must lie inside the buffer.
    if (static_cast<std::uint64_t>(info.dataOffset) + info.dataSize > size) {
        __builtin_trap();
    }
    volatile std::uint8_t sum = 0;
    for (std::uint32_t i = 0; i < info.dataSize; ++i) {
        sum = sum + data[info.dataOffset + i];
    }
    return 0;
}
