#include "support/HFindFiles.h"

#include "support/HDebug.h"

#include <windows.h>

namespace {

HFile currentDirectory() {
    char buffer[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof(buffer), buffer);
    if (length == 0 || length >= sizeof(buffer)) {
        return HFile();
    }
    return HFile(std::string(buffer, length));
}

} // namespace

HFindFiles::HFindFiles(const std::string& pattern)
    : search(FindFirstFileA(pattern.c_str(), &entry)) {
    firstPending = search != INVALID_HANDLE_VALUE;
}

HFindFiles::~HFindFiles() {
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
    }
}

bool HFindFiles::next() {
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    if (firstPending) {
        firstPending = false;
        return true;
    }
    if (FindNextFileA(search, &entry)) {
        return true;
    }
    broken = GetLastError() != ERROR_NO_MORE_FILES;
    return false;
}

int HFindFiles::getDirectories(const HFile& directory, std::vector<HFile>& result) {
    HFile remembered = currentDirectory();
    // Decided before the directory changes, since the path may be relative.
    std::string parentPart = directory.kind() == 2 ? directory.fullPath() : directory.directory();
    int found = -1;

    if (!SetCurrentDirectoryA(directory.fullPath().c_str())) {
        DWORD error = GetLastError();
        HDebug::debug("getDirectories:%s", directory.fullPath().c_str());
        HDebug::debug("getDirectories:%d", static_cast<int>(error));
        HLOG_INFO("HFindFiles", 89, "getDirectories:ディレクトリ変更に失敗");
    } else {
        // Closed before the current directory is put back.
        HFindFiles entries("*.*");
        if (entries.isOpen()) {
            found = 0;
            while (entries.next()) {
                if (entries.isDirectory()) {
                    HFile item;
                    item.setDirectory(parentPart);
                    item.setName(entries.name());
                    result.push_back(item);
                    ++found;
                }
            }
            if (entries.failed()) {
                HLOG_INFO("HFindFiles", 115, "getDirectories:ファイル列挙エラー");
            }
        }
    }

    if (!SetCurrentDirectoryA(remembered.fullPath().c_str())) {
        HDebug::debug("getDirectories:%s", remembered.fullPath().c_str());
        HLOG_INFO("HFindFiles", 129, "getDirectories:カレントディレクトリ復元失敗");
    }
    return found;
}
