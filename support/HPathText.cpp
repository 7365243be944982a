#include "support/HPathText.h"

bool HPathText::isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEF);
}

bool HPathText::isTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

std::size_t HPathText::lastBackslash(const char* text, std::size_t length) {
    std::size_t found = npos;
    std::size_t i = 0;
    while (i < length) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (isLeadByte(c) && i + 1 < length &&
            isTrailByte(static_cast<unsigned char>(text[i + 1]))) {
            i += 2;
            continue;
        }
        if (c == '\\') {
            found = i;
        }
        ++i;
    }
    return found;
}

void HPathText::split(const std::string& path, std::string& directory, std::string& name) {
    if (path.empty()) {
        directory = ".";
        name.clear();
        return;
    }
    std::size_t at = lastBackslash(path.data(), path.size());
    if (at == npos) {
        directory.clear();
        name = path;
    } else {
        directory = path.substr(0, at);
        name = path.substr(at + 1);
    }
}
