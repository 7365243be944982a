#pragma once

#include "support/HFile.h"
#include "support/HObject.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <memory>

class HFileReader;

// A RIFF WAVE file read into memory: its sample format and the bytes of its
// "data" chunk, which stay inside the file buffer. Every file is played as PCM.
class HWaveSource : public HObject {
  public:
    static const int RESULT_LOADED = 0;
    static const int RESULT_READ_ERROR = 1;
    static const int RESULT_BAD_HEADER = 2;
    // A player is using the data: the file was not loaded.
    static const int RESULT_IN_USE = 3;

    HWaveSource();
    ~HWaveSource() override;

    // 0 loaded, 1 unreadable or shorter than 44 bytes, 2 header not acceptable,
    // 3 refused because a player is playing the current data (which stays).
    int loadFromFile(const HFile& path);
    // Forgets the data; the format stays as it was.
    void reset();

    WAVEFORMATEX getFormat() const { return format; }
    std::uint32_t getDataSize() const { return dataSize; }
    const char* getData() const { return data; }

    // Set by a player while its device is open: the data must not change then.
    void setInUse(bool flag) { inUse = flag; }
    bool isInUse() const { return inUse; }

  private:
    WAVEFORMATEX format = {};
    std::uint32_t dataSize = 0;
    const char* data = nullptr;
    // The whole file; data points into it.
    std::unique_ptr<HFileReader> reader;
    bool inUse = false;
};
