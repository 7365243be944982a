#pragma once

// Where the committed test pictures and sounds lie: the source tree named by
// RZ_SOURCE_DIR (set by scripts/test.sh), else two levels above the test program
// (build-x/tests).

#include "tests/common/TestSupport.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace mediatest {

inline std::string dataFile(const std::string& relative) {
    char buffer[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("RZ_SOURCE_DIR", buffer, sizeof(buffer));
    std::string root = (length > 0 && length < sizeof(buffer))
                           ? std::string(buffer, length)
                           : testsupport::programDirectory() + "\\..\\..";
    return root + "\\tests\\data\\" + relative;
}

inline std::string dataBytes(const std::string& relative) {
    return testsupport::readFile(dataFile(relative));
}

// The "source:line" part of a journal or information line.
inline std::string at(const char* source, int line) {
    char text[64];
    snprintf(text, sizeof(text), "%-20s:%04d", source, line);
    return text;
}

inline void putU16(std::string& bytes, size_t at, unsigned value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

inline void putU32(std::string& bytes, size_t at, unsigned long value) {
    for (int i = 0; i < 4; i++) {
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

} // namespace mediatest
