#include "support/HFileWriter.h"

#include "support/HDebug.h"

#include <windows.h>

#include <cstring>
#include <new>
#include <string>

namespace {
std::int64_t spaceLeftForTests = -1;
} // namespace

void HFileWriter::setSpaceLeftForTests(std::int64_t bytes) {
    spaceLeftForTests = bytes < 0 ? -1 : bytes;
}

HFileWriter::HFileWriter(HFile file) : path(std::move(file)) {
    setClassName("HFileWriter");
}

HFileWriter::~HFileWriter() {
    if (handle.isOpen()) {
        close();
    }
}

bool HFileWriter::setBufferSize(std::uint32_t size) {
    if (size == 0) {
        return false;
    }
    flush();
    buffer.reset();
    capacity = 0;
    // Too large for memory is a failure to report, not an exception.
    buffer.reset(new (std::nothrow) char[size]);
    if (!buffer) {
        return false;
    }
    capacity = size;
    return true;
}

bool HFileWriter::open() {
    if (handle.isOpen()) {
        HLOG_INFO("HFileWriter", 62, "open error:file is not closed.");
        return false;
    }
    if (!buffer) {
        buffer.reset(new (std::nothrow) char[capacity ? capacity : 1]);
    }
    HHandle created(CreateFileA(path.fullPath().c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!created.isOpen()) {
        errorCode = GetLastError();
        std::string note = "open error:" + std::to_string(errorCode);
        HLOG_INFO("HFileWriter", 83, note.c_str());
        return false;
    }
    handle = std::move(created);
    waiting = 0;
    return true;
}

bool HFileWriter::write(const void* bytes, std::uint32_t count) {
    const char* data = static_cast<const char*>(bytes);
    if (buffer && capacity > 0 && waiting + static_cast<std::uint64_t>(count) <= capacity) {
        std::memcpy(buffer.get() + waiting, data, count);
        waiting += count;
        return true;
    }
    bool flushed = flush();
    if (!buffer || capacity == 0) {
        return false;
    }
    while (flushed && count > capacity) {
        std::memcpy(buffer.get(), data, capacity);
        waiting = capacity;
        data += capacity;
        count -= capacity;
        flushed = flush();
    }
    if (flushed && count > 0) {
        std::memcpy(buffer.get(), data, count);
        waiting += count;
    }
    return flushed;
}

bool HFileWriter::flush() {
    if (!handle.isOpen()) {
        return false;
    }
    bool ok = true;
    if (waiting > 0) {
        DWORD count = waiting;
        if (spaceLeftForTests >= 0 && count > spaceLeftForTests) {
            count = static_cast<DWORD>(spaceLeftForTests);
        }
        DWORD done = 0;
        const bool written = WriteFile(handle.get(), buffer.get(), count, &done, nullptr) != 0;
        if (spaceLeftForTests >= 0) {
            spaceLeftForTests -= done;
        }
        // A short write is a failure too: the file would be silently incomplete.
        // Wine reports a disk that fills up midway that way, with no error code.
        ok = written && done == waiting;
        if (!written) {
            errorCode = GetLastError();
        } else if (!ok) {
            errorCode = ERROR_DISK_FULL;
        }
    }
    waiting = 0;
    return ok;
}

bool HFileWriter::close() {
    if (!handle.isOpen()) {
        return false;
    }
    flush();
    // The handle is gone either way; a failed close may have lost written bytes.
    if (!handle.close()) {
        errorCode = GetLastError();
        std::string note = "open error:" + std::to_string(errorCode);
        HLOG_INFO("HFileWriter", 168, note.c_str());
        return false;
    }
    return true;
}
