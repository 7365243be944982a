#include "support/HRegistryKey.h"

LONG HRegistryKey::open(HKEY root, const std::string& path, REGSAM access) {
    close();
    LONG result = RegOpenKeyExA(root, path.c_str(), 0, access, &key);
    if (result != ERROR_SUCCESS) {
        key = nullptr;
    }
    return result;
}

LONG HRegistryKey::close() {
    if (key == nullptr) {
        return ERROR_SUCCESS;
    }
    LONG result = RegCloseKey(key);
    key = nullptr;
    return result;
}
