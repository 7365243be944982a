#include "support/HFileReader.h"

#include "support/HHandle.h"

#include <windows.h>

#include <new>

HFileReader::HFileReader(HFile file) : path(std::move(file)) {
    setClassName("HFileReader");
}

HFileReader::~HFileReader() = default;

bool HFileReader::read() {
    // Shares nothing: a file another process holds open for writing is refused.
    HHandle handle(CreateFileA(path.fullPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.isOpen()) {
        return false;
    }
    DWORD high = 0;
    DWORD fileSize = GetFileSize(handle.get(), &high);
    DWORD error = fileSize == INVALID_FILE_SIZE ? GetLastError() : NO_ERROR;
    if (error == NO_ERROR && (high != 0 || fileSize == 0xFFFFFFFFu)) {
        error = ERROR_FILE_TOO_LARGE;
    }
    if (error != NO_ERROR) {
        errorCode = error;
        return false;
    }

    // Zeroed, so the byte after the file's is the NUL. A file too large for
    // memory is an error to report, not an exception.
    buffer.reset(new (std::nothrow) char[static_cast<std::size_t>(fileSize) + 1]());
    if (!buffer) {
        errorCode = ERROR_NOT_ENOUGH_MEMORY;
        return false;
    }
    byteCount = fileSize;
    DWORD done = 0;
    bool ok = ReadFile(handle.get(), buffer.get(), fileSize, &done, nullptr) && done == fileSize;
    errorCode = ok ? NO_ERROR : (GetLastError() ? GetLastError() : ERROR_READ_FAULT);
    return ok;
}
