#include "sound/HWaveHeader.h"

#include "support/HBytes.h"

#include <cstring>

namespace waveheader {

namespace {

void fourcc(const unsigned char* p, char* out) {
    std::memcpy(out, p, 4);
    out[4] = '\0';
}

bool is(const char* id, const char* expected) {
    return std::memcmp(id, expected, 4) == 0;
}
} // namespace

Result read(const unsigned char* data, std::size_t length, Info* out) {
    *out = Info();
    if (!data || length < MINIMUM_FILE_SIZE) {
        return TOO_SHORT;
    }
    fourcc(data, out->riffId);
    out->riffSize = HBytes::dword(data + 4);
    fourcc(data + 8, out->formType);
    if (!is(out->riffId, "RIFF") || !is(out->formType, "WAVE")) {
        return BAD_RIFF;
    }

    fourcc(data + 12, out->fmtId);
    out->fmtSize = HBytes::dword(data + 16);
    out->formatTag = HBytes::word(data + 20);
    out->channels = HBytes::word(data + 22);
    out->samplesPerSec = HBytes::dword(data + 24);
    out->avgBytesPerSec = HBytes::dword(data + 28);
    out->blockAlign = HBytes::word(data + 32);
    out->bitsPerSample = HBytes::word(data + 34);
    if (!is(out->fmtId, "fmt ")) {
        return BAD_FMT;
    }

    // 64-bit arithmetic: the size fields are the file's word, not ours.
    std::uint64_t next = 20ULL + out->fmtSize;
    if (length <= next + 8) {
        return BAD_FMT_SIZE;
    }
    const unsigned char* chunk = data + next;
    std::uint64_t start = next + 8;
    if (is(reinterpret_cast<const char*>(chunk), "fact")) {
        std::uint64_t after = start + HBytes::dword(chunk + 4);
        if (length > after + 8) {
            chunk = data + after;
            start = after + 8;
        }
    }
    fourcc(chunk, out->dataId);
    out->dataSizeField = HBytes::dword(chunk + 4);
    if (!is(out->dataId, "data")) {
        return BAD_DATA;
    }
    out->dataOffset = static_cast<std::uint32_t>(start);
    // Never more than the bytes that are really there.
    std::uint64_t present = length - start;
    out->dataSize =
        out->dataSizeField < present ? out->dataSizeField : static_cast<std::uint32_t>(present);
    return OK;
}

} // namespace waveheader
