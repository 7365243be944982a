#pragma once

#include <windows.h>

// A kernel object's handle (an open file, say), closed when the owner goes
// unless it was closed before (whose result the caller may want to see).
// Empty is INVALID_HANDLE_VALUE, what CreateFile gives on failure, so its
// result can be taken as it is.
class HHandle {
  public:
    HHandle() = default;
    explicit HHandle(HANDLE handle) : handle(handle) {}
    ~HHandle() { close(); }
    HHandle(const HHandle&) = delete;
    HHandle& operator=(const HHandle&) = delete;
    HHandle(HHandle&& other) noexcept;
    // Closes the handle held before and takes the other's.
    HHandle& operator=(HHandle&& other) noexcept;

    bool isOpen() const { return handle != INVALID_HANDLE_VALUE && handle != nullptr; }
    HANDLE get() const { return handle; }
    // Closes the handle now; CloseHandle's result, true when none was open.
    bool close();

  private:
    HANDLE handle = INVALID_HANDLE_VALUE;
};
