#pragma once

#include <windows.h>

#include <string>

// Reads registry values named by one path text, "ROOT\key\path\value", where
// ROOT is one of the five HKEY_ names, exactly.
class HRegistry {
  public:
    HRegistry() = delete;

    // Reads the value into buffer; size is the buffer's size in and the value's
    // size out. True when the value was read.
    static bool read(const std::string& path, BYTE* buffer, DWORD* size);
    // The text of the value up to its first NUL; "" when it cannot be read.
    static std::string readString(const std::string& path);
};
