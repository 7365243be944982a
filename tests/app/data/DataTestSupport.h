#pragma once

// Helpers of the spell-data tests: the game directory in the registry.
#include "tests/common/TestSupport.h"

#include <windows.h>

#include <string>

namespace datatest {

using testsupport::setGameDirectory;

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
