#include "support/HFileReader.h"

#include <windows.h>

#include <cstdlib>

HFileReader::HFileReader(HFile file) : path(std::move(file)) {
    setClassName("HFileReader");
}

HFileReader::~HFileReader() {
    std::free(buffer);
}

bool HFileReader::read() {
    // Shares nothing: a file another process holds open for writing is refused.
    HANDLE handle = CreateFileA(path.fullPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD high = 0;
    DWORD fileSize = GetFileSize(handle, &high);
    DWORD error = fileSize == INVALID_FILE_SIZE ? GetLastError() : NO_ERROR;
    if (error == NO_ERROR && (high != 0 || fileSize == 0xFFFFFFFFu)) {
        error = ERROR_FILE_TOO_LARGE;
    }
    if (error != NO_ERROR) {
        errorCode = error;
        CloseHandle(handle);
        return false;
    }

    std::free(buffer);
    buffer = static_cast<char*>(std::calloc(static_cast<std::size_t>(fileSize) + 1, 1));
    if (!buffer) {
        errorCode = ERROR_NOT_ENOUGH_MEMORY;
        CloseHandle(handle);
        return false;
    }
    byteCount = fileSize;
    DWORD done = 0;
    bool ok = ReadFile(handle, buffer, fileSize, &done, nullptr) && done == fileSize;
    errorCode = ok ? NO_ERROR : (GetLastError() ? GetLastError() : ERROR_READ_FAULT);
    CloseHandle(handle);
    return ok;
}
