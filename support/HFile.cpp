#include "support/HFile.h"

#include "support/HPathText.h"

#include <windows.h>

HFile::HFile(const std::string& path) {
    HPathText::split(path, dir, fileName);
}

HFile::HFile(const char* path) : HFile(std::string(path ? path : "")) {}

std::string HFile::fullPath() const {
    if (isEmpty()) {
        return std::string();
    }
    return dir + "\\" + fileName;
}

std::string HFile::absolutePath() const {
    std::string full = fullPath();
    if (full.empty()) {
        return full;
    }
    char buffer[MAX_PATH];
    DWORD length = GetFullPathNameA(full.c_str(), sizeof(buffer), buffer, nullptr);
    if (length == 0 || length >= sizeof(buffer)) {
        return std::string();
    }
    return std::string(buffer, length);
}

int HFile::kind() const {
    if (dir.empty() || fileName.empty()) {
        return 0;
    }
    DWORD attributes = GetFileAttributesA(fullPath().c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return 0;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 2 : 1;
}

HFile HFile::parent() const {
    if (isEmpty()) {
        return HFile();
    }
    std::string absolute = absolutePath();
    std::size_t at = HPathText::lastBackslash(absolute.data(), absolute.size());
    if (at == HPathText::npos) {
        return HFile();
    }
    return HFile(absolute.substr(0, at));
}
