#pragma once

// Helpers of the long-input tests: big files written piece by piece (so the
// test itself holds only one small piece), the process's memory as the system
// counts it, and the elapsed time of one step.

#include <windows.h>
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>

namespace longinput {

constexpr std::uint64_t MB = 1024 * 1024;

// A big file of a test, deleted when the test is done with it: the run
// directories of the test programs are kept.
class BigFile {
  public:
    explicit BigFile(std::string path) : path(std::move(path)) {}
    ~BigFile() { DeleteFileA(path.c_str()); }
    BigFile(const BigFile&) = delete;
    BigFile& operator=(const BigFile&) = delete;
    const std::string& name() const { return path; }

  private:
    std::string path;
};

// Writes head, then repeated copies of piece until body bytes are out (the last
// copy cut), then tail. Each write is one block of at least a megabyte.
inline bool writeRepeated(const std::string& path, const std::string& head,
                          const std::string& piece, std::uint64_t body,
                          const std::string& tail = std::string()) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    auto put = [file](const char* bytes, std::uint64_t count) {
        DWORD done = 0;
        return count == 0 ||
               (WriteFile(file, bytes, static_cast<DWORD>(count), &done, nullptr) && done == count);
    };
    bool ok = put(head.data(), head.size());
    if (!piece.empty()) {
        std::string block;
        while (block.size() < MB) {
            block += piece;
        }
        // Whole pieces per block, so the pattern runs on across blocks.
        block.resize(block.size() - block.size() % piece.size());
        while (ok && body > 0) {
            std::uint64_t count = body < block.size() ? body : block.size();
            ok = put(block.data(), count);
            body -= count;
        }
    }
    ok = ok && put(tail.data(), tail.size());
    return CloseHandle(file) && ok;
}

inline void putLittleEndian(std::string& bytes, std::size_t at, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// A BMP file's header, 40-byte information header and colour table.
inline std::string bitmapHead(int width, int height, int bits, int compression,
                              const std::string& colours, std::uint64_t pixelBytes) {
    std::string head(14 + 40, '\0');
    head[0] = 'B';
    head[1] = 'M';
    std::uint64_t offset = head.size() + colours.size();
    putLittleEndian(head, 2, offset + pixelBytes, 4);
    putLittleEndian(head, 10, offset, 4);
    putLittleEndian(head, 14, 40, 4);
    putLittleEndian(head, 18, static_cast<std::uint32_t>(width), 4);
    putLittleEndian(head, 22, static_cast<std::uint32_t>(height), 4);
    putLittleEndian(head, 26, 1, 2);
    putLittleEndian(head, 28, static_cast<std::uint32_t>(bits), 2);
    putLittleEndian(head, 30, static_cast<std::uint32_t>(compression), 4);
    putLittleEndian(head, 34, pixelBytes, 4);
    putLittleEndian(head, 46, colours.size() / 4, 4);
    return head + colours;
}

inline std::string colourEntry(COLORREF c) {
    return std::string{static_cast<char>(GetBValue(c)), static_cast<char>(GetGValue(c)),
                       static_cast<char>(GetRValue(c)), '\0'};
}

// A 1-bit picture whose rows are all alike: red and black pixels in turn, red
// first. The size of the file.
inline std::uint64_t writeOneBitPicture(const std::string& path, int side) {
    std::uint64_t row = ((static_cast<std::uint64_t>(side) + 31) / 32) * 4;
    std::uint64_t pixels = row * static_cast<std::uint64_t>(side);
    std::string head = bitmapHead(side, side, 1, 0,
                                  colourEntry(RGB(0, 0, 0)) + colourEntry(RGB(255, 0, 0)), pixels);
    return writeRepeated(path, head, std::string(1, '\xAA'), pixels) ? head.size() + pixels : 0;
}

// A run-length 8-bit picture, every row one lime run coded in pieces of 255
// pixels and an end of line. The size of the file.
inline std::uint64_t writeRunLengthPicture(const std::string& path, int side) {
    std::string row;
    for (int left = side; left > 0; left -= 255) {
        row += static_cast<char>(left < 255 ? left : 255);
        row += '\x01';
    }
    row += std::string("\0\0", 2);
    std::uint64_t pixels = row.size() * static_cast<std::uint64_t>(side);
    std::string head = bitmapHead(side, side, 8, 1,
                                  colourEntry(RGB(0, 0, 0)) + colourEntry(RGB(0, 255, 0)), pixels);
    return writeRepeated(path, head, row, pixels) ? head.size() + pixels : 0;
}

inline PROCESS_MEMORY_COUNTERS memoryCounters() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters;
}

// The memory a step needed at most, above the working set when it began. When
// the step raised the process's peak working set, that peak is exact; when an
// earlier test had peaked higher, the working set sampled every millisecond
// during the step stands in for it.
class MemoryWatch {
  public:
    MemoryWatch()
        : base(memoryCounters().WorkingSetSize), peakBefore(memoryCounters().PeakWorkingSetSize),
          sampled(base) {
        stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread = CreateThread(nullptr, 0, &MemoryWatch::sample, this, 0, nullptr);
    }
    ~MemoryWatch() {
        SetEvent(stop);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        CloseHandle(stop);
    }
    MemoryWatch(const MemoryWatch&) = delete;
    MemoryWatch& operator=(const MemoryWatch&) = delete;

    std::uint64_t peakGrowth() const {
        std::uint64_t peak = memoryCounters().PeakWorkingSetSize;
        if (peak <= peakBefore) {
            peak = sampled;
            std::uint64_t now = memoryCounters().WorkingSetSize;
            peak = now > peak ? now : peak;
        }
        return peak > base ? peak - base : 0;
    }

  private:
    static DWORD WINAPI sample(void* parameter) {
        MemoryWatch* watch = static_cast<MemoryWatch*>(parameter);
        do {
            std::uint64_t now = memoryCounters().WorkingSetSize;
            if (now > watch->sampled) {
                watch->sampled = now;
            }
        } while (WaitForSingleObject(watch->stop, 1) == WAIT_TIMEOUT);
        return 0;
    }

    std::uint64_t base;
    std::uint64_t peakBefore;
    volatile std::uint64_t sampled;
    HANDLE stop = nullptr;
    HANDLE thread = nullptr;
};

class Stopwatch {
  public:
    Stopwatch() { QueryPerformanceCounter(&begin); }
    double milliseconds() const {
        LARGE_INTEGER now;
        LARGE_INTEGER frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return 1000.0 * static_cast<double>(now.QuadPart - begin.QuadPart) /
               static_cast<double>(frequency.QuadPart);
    }

  private:
    LARGE_INTEGER begin;
};

// One figure line in the test output, for the record (not checked).
inline void report(const char* what, double inputMegabytes, double milliseconds,
                   std::uint64_t peakGrowth) {
    std::printf("[  figure  ] %s: %.1f MB input, %.0f ms, peak +%.1f MB\n", what, inputMegabytes,
                milliseconds, static_cast<double>(peakGrowth) / static_cast<double>(MB));
    std::fflush(stdout);
}

} // namespace longinput
