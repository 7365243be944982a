#include "support/HHandle.h"

#include <utility>

HHandle::HHandle(HHandle&& other) noexcept
    : handle(std::exchange(other.handle, INVALID_HANDLE_VALUE)) {}

HHandle& HHandle::operator=(HHandle&& other) noexcept {
    if (this != &other) {
        close();
        handle = std::exchange(other.handle, INVALID_HANDLE_VALUE);
    }
    return *this;
}

bool HHandle::close() {
    if (!isOpen()) {
        return true;
    }
    const bool closed = CloseHandle(handle) != 0;
    handle = INVALID_HANDLE_VALUE;
    return closed;
}
