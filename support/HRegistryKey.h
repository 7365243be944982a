#pragma once

#include <windows.h>

#include <string>

// An open registry key, closed when the owner goes unless it was closed
// before (whose result the caller may want to see).
class HRegistryKey {
  public:
    HRegistryKey() = default;
    ~HRegistryKey() { close(); }
    HRegistryKey(const HRegistryKey&) = delete;
    HRegistryKey& operator=(const HRegistryKey&) = delete;

    // Opens the subkey of root with the access rights (view bits included);
    // RegOpenKeyEx's result. A key held before is closed first.
    LONG open(HKEY root, const std::string& path, REGSAM access);
    // Closes the key now; RegCloseKey's result, ERROR_SUCCESS when none was open.
    LONG close();

    HKEY get() const { return key; }

  private:
    HKEY key = nullptr;
};
