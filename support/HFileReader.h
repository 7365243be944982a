#pragma once

#include "support/HFile.h"
#include "support/HObject.h"

#include <cstdint>
#include <memory>

// Reads a whole file into memory with one allocation and one read. The buffer
// holds the file's bytes followed by a NUL, so text can be used as a C string.
class HFileReader : public HObject {
  public:
    explicit HFileReader(HFile file);
    ~HFileReader() override;

    bool read();
    const char* data() const { return buffer.get(); }
    std::uint32_t size() const { return byteCount; }
    std::uint32_t lastError() const { return errorCode; }
    HFile file() const { return path; }

  private:
    HFile path;
    std::unique_ptr<char[]> buffer;
    std::uint32_t byteCount = 0xFFFFFFFFu;
    std::uint32_t errorCode = 0;
};
