#include "app/data/RZTableBackup.h"

#include "app/data/RZTableFileNames.h"
#include "support/HDebug.h"
#include "support/HFindFiles.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <vector>

const char* const RZTableBackup::FOLDER = "Backup";

namespace {

bool allDigits(const std::string& text, std::size_t from, std::size_t count) {
    if (from + count > text.size()) {
        return false;
    }
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    return true;
}

// Whether a folder holds nothing but files named like the table's two. A
// listing that broke off may have missed something of the user's: not only.
bool holdsOnlyTableFiles(const std::string& folder) {
    HFindFiles entries(folder + "\\*");
    if (!entries.isOpen()) {
        return false;
    }
    bool only = true;
    while (only && entries.next()) {
        const std::string name = entries.name();
        if (name == "." || name == "..") {
            continue;
        }
        const bool tableFile = lstrcmpiA(name.c_str(), TABLE_FILE_NAME) == 0 ||
                               lstrcmpiA(name.c_str(), SOUND_FILE_NAME) == 0;
        if (!tableFile || entries.isDirectory()) {
            only = false;
        }
    }
    return only && !entries.failed();
}

} // namespace

RZTableBackup::RZTableBackup(const HFile& tablePath) {
    if (!tablePath.directory().empty()) {
        root = tablePath.directory() + "\\" + FOLDER;
    }
}

bool RZTableBackup::parseName(const std::string& name, std::string& stamp, unsigned long& number) {
    // YYYYMMDD-HHMMSS, then -N for a later save within the same second (N from 2).
    if (!allDigits(name, 0, 8) || name.size() < 15 || name[8] != '-' || !allDigits(name, 9, 6)) {
        return false;
    }
    stamp = name.substr(0, 15);
    number = 1;
    if (name.size() == 15) {
        return true;
    }
    const std::size_t digits = name.size() - 16;
    if (name[15] != '-' || digits == 0 || digits > 6 || name[16] == '0' ||
        !allDigits(name, 16, digits)) {
        return false;
    }
    number = std::stoul(name.substr(16));
    return number >= 2;
}

bool RZTableBackup::makeFolder() {
    if (!folder.empty()) {
        return true;
    }
    if (root.empty()) {
        return false;
    }
    DWORD attributes = GetFileAttributesA(root.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (!CreateDirectoryA(root.c_str(), nullptr)) {
            return false;
        }
        madeRoot = true;
    } else if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || (attributes & FILE_ATTRIBUTE_READONLY)) {
        // A folder the user made read-only is not written into.
        return false;
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    char stamp[32];
    std::snprintf(stamp, sizeof(stamp), "%04u%02u%02u-%02u%02u%02u", now.wYear, now.wMonth,
                  now.wDay, now.wHour, now.wMinute, now.wSecond);
    for (int n = 1; n < 1000; ++n) {
        std::string name = stamp;
        if (n > 1) {
            name += "-" + std::to_string(n);
        }
        std::string path = root + "\\" + name;
        if (CreateDirectoryA(path.c_str(), nullptr)) {
            folder = path;
            return true;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    return false;
}

HFile RZTableBackup::place(const char* name) {
    if (!failure && makeFolder()) {
        return HFile(folder + "\\" + name);
    }
    notKept();
    return HFile();
}

void RZTableBackup::notKept() {
    if (!failure) {
        std::string note = "backup:error " + std::to_string(GetLastError()) + " " + root;
        HLOG_INFO("RZTableBackup", 120, note.c_str());
    }
    failure = true;
}

void RZTableBackup::discard() {
    if (!folder.empty() && RemoveDirectoryA(folder.c_str())) {
        folder.clear();
    }
    if (madeRoot && RemoveDirectoryA(root.c_str())) {
        madeRoot = false;
    }
}

void RZTableBackup::prune() const {
    if (root.empty()) {
        return;
    }
    // (time, number, name) of every folder with the backup form, newest first.
    std::vector<std::tuple<std::string, unsigned long, std::string>> folders;
    HFindFiles entries(root + "\\*");
    while (entries.next()) {
        std::string stamp;
        unsigned long number = 0;
        const std::string name = entries.name();
        if (entries.isDirectory() && parseName(name, stamp, number)) {
            folders.emplace_back(stamp, number, name);
        }
    }
    std::sort(folders.rbegin(), folders.rend());
    for (std::size_t i = KEPT; i < folders.size(); ++i) {
        const std::string path = root + "\\" + std::get<2>(folders[i]);
        if (!holdsOnlyTableFiles(path)) {
            continue; // something of the user's is in it
        }
        DeleteFileA((path + "\\" + TABLE_FILE_NAME).c_str());
        DeleteFileA((path + "\\" + SOUND_FILE_NAME).c_str());
        RemoveDirectoryA(path.c_str());
    }
}
