#include "support/HRegistry.h"

#include "support/HDebug.h"
#include "support/HPathText.h"
#include "support/HRegistryKey.h"
#include "support/HShiftJis.h"

#include <cstring>

namespace {

// The log lines keep the source name and line numbers they had when the
// application class read the registry itself, so logs read as before.
const char* const LOG_SOURCE = "HApplication";

struct RootKey {
    const char* name;
    HKEY key;
};

// Compared exactly and in this order.
const RootKey rootKeys[] = {
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKEY_USERS", HKEY_USERS},
};

// What reading the value in one view of the registry gave, for the log.
struct ViewRead {
    LONG openCode = ERROR_SUCCESS;
    LONG queryCode = ERROR_SUCCESS;
    LONG closeCode = ERROR_SUCCESS;
};

// Opens the key in the view (KEY_WOW64_32KEY or KEY_WOW64_64KEY), queries the
// value and closes the key again; logs nothing.
ViewRead readView(HKEY root, const std::string& keyPath, const std::string& valueName, REGSAM view,
                  BYTE* buffer, DWORD* size) {
    ViewRead read;
    HRegistryKey key;
    read.openCode = key.open(root, keyPath, KEY_READ | view);
    if (read.openCode != ERROR_SUCCESS) {
        return read;
    }
    DWORD type = REG_SZ;
    read.queryCode = RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, buffer, size);
    read.closeCode = key.close();
    return read;
}

} // namespace

bool HRegistry::read(const std::string& path, BYTE* buffer, DWORD* size) {
    // Key and value names may be Shift-JIS: a backslash inside a two-byte
    // character does not split the path.
    std::string rootName;
    std::string keyPath;
    std::string valueName;
    std::size_t first = std::string::npos;
    for (std::size_t i = 0; i < path.size();
         i += HShiftJis::characterLength(path.data(), path.size(), i)) {
        if (path[i] == '\\') {
            first = i;
            break;
        }
    }
    if (first == std::string::npos) {
        rootName = path;
    } else {
        std::size_t last = HPathText::lastBackslash(path.data(), path.size());
        rootName = path.substr(0, first);
        if (last > first) {
            keyPath = path.substr(first + 1, last - first - 1);
        }
        valueName = path.substr(last + 1);
    }

    HKEY root = nullptr;
    for (const RootKey& candidate : rootKeys) {
        if (rootName == candidate.name) {
            root = candidate.key;
            break;
        }
    }
    if (!root) {
        HLOG_INFO(LOG_SOURCE, 139, "レジストリ参照：不正なルートキー");
        return false;
    }

    // A 32-bit installer writes HKLM\SOFTWARE into the registry's 32-bit view,
    // which a 64-bit program does not see by default: that view is read first,
    // then the 64-bit one. Only the view finally used is logged.
    DWORD wanted = size ? *size : 0;
    ViewRead read = readView(root, keyPath, valueName, KEY_WOW64_32KEY, buffer, size);
    if (read.openCode != ERROR_SUCCESS || read.queryCode != ERROR_SUCCESS) {
        if (size) {
            *size = wanted;
        }
        read = readView(root, keyPath, valueName, KEY_WOW64_64KEY, buffer, size);
    }

    if (read.openCode != ERROR_SUCCESS) {
        HLOG_INFO(LOG_SOURCE, 180, "レジストリ参照：サブキー取得失敗");
        HDebug::debug("error code:%d", static_cast<int>(read.openCode));
        return false;
    }
    if (read.queryCode == ERROR_SUCCESS) {
        // The value need not end in NUL: the line shows only what was stored.
        const char* text = buffer ? reinterpret_cast<const char*>(buffer) : "";
        int shown = buffer && size ? static_cast<int>(strnlen(text, *size)) : 0;
        HDebug::debug("text:%.*s", shown, text);
    } else {
        HLOG_INFO(LOG_SOURCE, 169, "レジストリ参照：エントリ取得失敗");
        HDebug::debug("error code:%d", static_cast<int>(read.queryCode));
    }
    if (read.closeCode != ERROR_SUCCESS) {
        HLOG_INFO(LOG_SOURCE, 175, "レジストリ参照：ハンドル開放失敗");
        HDebug::debug("error code:%d", static_cast<int>(read.closeCode));
    }
    return read.queryCode == ERROR_SUCCESS;
}

std::string HRegistry::readString(const std::string& path) {
    BYTE buffer[2048];
    DWORD size = sizeof(buffer);
    if (!read(path, buffer, &size)) {
        return std::string();
    }
    // A value need not end in NUL: never read past what was stored.
    std::size_t stored = size < sizeof(buffer) ? size : sizeof(buffer);
    const char* text = reinterpret_cast<const char*>(buffer);
    const void* nul = std::memchr(text, 0, stored);
    return std::string(text, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text)
                                 : stored);
}
