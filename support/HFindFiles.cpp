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
        WIN32_FIND_DATAA entry;
        HANDLE search = FindFirstFileA("*.*", &entry);
        if (search != INVALID_HANDLE_VALUE) {
            found = 0;
            do {
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    HFile item;
                    item.setDirectory(parentPart);
                    item.setName(entry.cFileName);
                    result.push_back(item);
                    ++found;
                }
            } while (FindNextFileA(search, &entry));
            if (GetLastError() != ERROR_NO_MORE_FILES) {
                HLOG_INFO("HFindFiles", 115, "getDirectories:ファイル列挙エラー");
            }
            FindClose(search);
        }
    }

    if (!SetCurrentDirectoryA(remembered.fullPath().c_str())) {
        HDebug::debug("getDirectories:%s", remembered.fullPath().c_str());
        HLOG_INFO("HFindFiles", 129, "getDirectories:カレントディレクトリ復元失敗");
    }
    return found;
}
