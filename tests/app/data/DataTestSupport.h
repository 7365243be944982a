#pragma once

// Helpers of the spell-data tests: the game directory in the registry.
#include <windows.h>

#include <string>

namespace datatest {

// Sets HKEY_LOCAL_MACHINE\SOFTWARE\Brix\Kolden\Directory.
inline bool setGameDirectory(const std::string& directory) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Brix\\Kolden", 0, nullptr, 0, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    LONG code = RegSetValueExA(key, "Directory", 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(directory.c_str()),
                               static_cast<DWORD>(directory.size() + 1));
    RegCloseKey(key);
    return code == ERROR_SUCCESS;
}

// Removes the key, and with it the value.
inline void removeGameDirectory() {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Brix\\Kolden");
}

// Removes the game directory setting for the life of a test.
class GameDirectory {
  public:
    GameDirectory() { removeGameDirectory(); }
    explicit GameDirectory(const std::string& directory) { setGameDirectory(directory); }
    ~GameDirectory() { removeGameDirectory(); }
};

} // namespace datatest
