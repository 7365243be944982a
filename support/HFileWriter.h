#pragma once

#include "support/HFile.h"
#include "support/HHandle.h"
#include "support/HObject.h"

#include <cstdint>
#include <memory>

// Writes a file through a buffer (8,192 bytes unless changed), handing the
// system large blocks.
class HFileWriter : public HObject {
  public:
    explicit HFileWriter(HFile file);
    ~HFileWriter() override;

    bool setBufferSize(std::uint32_t size);
    bool open();
    bool write(const void* bytes, std::uint32_t count);
    bool flush();
    bool close();

    bool isOpen() const { return handle.isOpen(); }
    std::uint32_t lastError() const { return errorCode; }
    HFile file() const { return path; }

    // For tests only: how many more bytes all writers together may hand the
    // system, as on a nearly full disk; a flush past it is cut short. Negative
    // (the default) means no limit.
    static void setSpaceLeftForTests(std::int64_t bytes);

  private:
    HFile path;
    HHandle handle;
    std::unique_ptr<char[]> buffer;
    std::uint32_t waiting = 0;
    std::uint32_t capacity = 8192;
    std::uint32_t errorCode = 0;
};
