#pragma once

// Sounds for the wave tests: the committed files made by an outside encoder,
// and hand-made RIFF files built chunk by chunk.

#include "tests/common/TestSupport.h"
#include "tests/toolkit/HImageTestData.h"
#include "toolkit/HComponent.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace wavetest {

// A plain top-level window that receives the wave device's messages.
class OwnerWindow : public HComponent {
  public:
    OwnerWindow() {
        setClassName("WaveTestOwner");
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &HComponent::windowProcedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "RZWaveTestOwner";
        RegisterClassA(&wc); // fails harmlessly once registered
        native = CreateWindowExA(0, "RZWaveTestOwner", "owner", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        setHandle(native);
    }
    ~OwnerWindow() override {
        setHandle(nullptr);
        if (IsWindow(native)) {
            DestroyWindow(native);
        }
    }
    HWND native;
};

inline std::string u16(unsigned value) {
    std::string s(2, '\0');
    mediatest::putU16(s, 0, value);
    return s;
}

inline std::string u32(unsigned long value) {
    std::string s(4, '\0');
    mediatest::putU32(s, 0, value);
    return s;
}

inline std::string chunk(const std::string& id, const std::string& body) {
    return id + u32(static_cast<unsigned long>(body.size())) + body;
}

// A 16-byte "fmt " body.
inline std::string pcmFormat(unsigned channels, unsigned long rate, unsigned bits,
                             unsigned tag = 1) {
    unsigned align = channels * bits / 8;
    return u16(tag) + u16(channels) + u32(rate) + u32(rate * align) + u16(align) + u16(bits);
}

inline std::string riff(const std::string& chunks, const std::string& form = "WAVE") {
    return "RIFF" + u32(static_cast<unsigned long>(chunks.size() + 4)) + form + chunks;
}

// Samples that differ from byte to byte, so any misplaced byte shows.
inline std::string samples(size_t count) {
    std::string s(count, '\0');
    for (size_t i = 0; i < count; i++) {
        s[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    }
    return s;
}

// An 8-bit mono PCM file at the given rate with these samples.
inline std::string simpleWave(const std::string& data, unsigned long rate = 8000) {
    return riff(chunk("fmt ", pcmFormat(1, rate, 8)) + chunk("data", data));
}

// The body of a well-formed file's first chunk with the id ("" when it has none).
inline std::string chunkBody(const std::string& file, const char* id) {
    size_t at = 12;
    while (at + 8 <= file.size()) {
        uint32_t size = static_cast<unsigned char>(file[at + 4]) |
                        static_cast<unsigned char>(file[at + 5]) << 8 |
                        static_cast<unsigned char>(file[at + 6]) << 16 |
                        static_cast<uint32_t>(static_cast<unsigned char>(file[at + 7])) << 24;
        if (file.compare(at, 4, id) == 0) {
            return file.substr(at + 8, size);
        }
        at += 8 + size + (size & 1);
    }
    return std::string();
}

inline std::string dataChunk(const std::string& file) {
    return chunkBody(file, "data");
}

} // namespace wavetest
