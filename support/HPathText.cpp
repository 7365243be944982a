#include "support/HPathText.h"

#include "support/HShiftJis.h"

std::size_t HPathText::lastBackslash(const char* text, std::size_t length) {
    std::size_t found = npos;
    std::size_t i = 0;
    while (i < length) {
        // A backslash byte is never a lead byte: one at a character's start
        // is a real backslash.
        if (text[i] == '\\') {
            found = i;
        }
        i += HShiftJis::characterLength(text, length, i);
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
