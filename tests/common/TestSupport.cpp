#include "tests/common/TestSupport.h"

#include <windows.h>

#include <cstdio>
#include <iterator>

namespace testsupport {

namespace {
std::string& runDir() {
    static std::string dir;
    return dir;
}
} // namespace

void setRunDirectory(const std::string& dir) {
    runDir() = dir;
}

std::string runDirectory() {
    return runDir();
}

std::string makeScratchDir(const std::string& hint) {
    static unsigned counter = 0;
    for (;;) {
        char path[MAX_PATH];
        snprintf(path, sizeof(path), "%s\\%s-%u", runDir().c_str(), hint.c_str(), ++counter);
        if (CreateDirectoryA(path, nullptr)) {
            return path;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            return std::string();
        }
    }
}

bool writeFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD done = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
              done == bytes.size();
    CloseHandle(file);
    return ok;
}

std::string utf16WithMark(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string readFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::string();
    }
    std::string bytes;
    char buffer[65536];
    DWORD done = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &done, nullptr) && done > 0) {
        bytes.append(buffer, done);
    }
    CloseHandle(file);
    return bytes;
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool removeFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

bool copyTree(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool ok = true;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        std::string source = from + "\\" + name;
        std::string target = to + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ok = copyTree(source, target) && ok;
        } else {
            ok = CopyFileA(source.c_str(), target.c_str(), FALSE) && ok;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return ok;
}

std::string programDirectory() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string full(path, length);
    return full.substr(0, full.find_last_of('\\'));
}

int runProcess(const std::string& commandLine, const std::string& workingDirectory,
               unsigned timeoutMs) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::string command = commandLine;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup,
                        &process)) {
        return -1;
    }
    DWORD exitCode = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &exitCode);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

static std::string logPath() {
    return runDir() + "\\debug.log";
}

LogTail::LogTail() {
    WIN32_FILE_ATTRIBUTE_DATA data;
    start = 0;
    if (GetFileAttributesExA(logPath().c_str(), GetFileExInfoStandard, &data)) {
        start = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
}

std::string LogTail::text() const {
    std::string all = readFile(logPath());
    return start < all.size() ? all.substr(start) : std::string();
}

bool LogTail::contains(const std::string& fragment) const {
    return text().find(fragment) != std::string::npos;
}

void keyEvent(WORD vk, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
}

void pressKeys(std::initializer_list<WORD> keys) {
    for (WORD vk : keys) {
        keyEvent(vk, false);
    }
    for (auto vk = std::rbegin(keys); vk != std::rend(keys); ++vk) {
        keyEvent(*vk, true);
    }
}

void pumpMessages(unsigned milliseconds) {
    DWORD until = GetTickCount() + milliseconds;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        long left = static_cast<long>(until - GetTickCount());
        if (left <= 0) {
            break;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
    }
}

std::vector<DWORD> pixelsOf(int width, int height, const std::function<void(HDC)>& draw) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<DWORD> pixels;
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        draw(memory);
        GdiFlush();
        const DWORD* first = static_cast<const DWORD*>(bits);
        pixels.assign(first, first + static_cast<size_t>(width) * static_cast<size_t>(height));
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    return pixels;
}

} // namespace testsupport
