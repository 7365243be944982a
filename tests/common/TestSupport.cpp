#include "tests/common/TestSupport.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>

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

void makeFolders(const std::string& folder) {
    for (std::size_t at = folder.find('\\'); at != std::string::npos;
         at = folder.find('\\', at + 1)) {
        if (at > 0 && folder[at - 1] != ':') {
            CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
        }
    }
    CreateDirectoryA(folder.c_str(), nullptr);
}

bool writeFileAndFolders(const std::string& path, const std::string& bytes) {
    makeFolders(path.substr(0, path.rfind('\\')));
    return writeFile(path, bytes);
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

std::vector<WIN32_FIND_DATAA> listFolder(const std::string& folder, const std::string& pattern) {
    std::vector<WIN32_FIND_DATAA> entries;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return entries;
    }
    do {
        if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0) {
            entries.push_back(found);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return entries;
}

bool isFolder(const WIN32_FIND_DATAA& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

namespace {
std::vector<std::string> namesIn(const std::string& folder, bool folders) {
    std::vector<std::string> names;
    for (const WIN32_FIND_DATAA& entry : listFolder(folder)) {
        if (isFolder(entry) == folders) {
            names.push_back(entry.cFileName);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace

std::vector<std::string> foldersIn(const std::string& folder) {
    return namesIn(folder, true);
}

std::vector<std::string> filesIn(const std::string& folder) {
    return namesIn(folder, false);
}

bool copyTree(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    if (GetFileAttributesA(from.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    bool ok = true;
    for (const WIN32_FIND_DATAA& entry : listFolder(from)) {
        std::string source = from + "\\" + entry.cFileName;
        std::string target = to + "\\" + entry.cFileName;
        ok = (isFolder(entry) ? copyTree(source, target)
                              : CopyFileA(source.c_str(), target.c_str(), FALSE) != FALSE) &&
             ok;
    }
    return ok;
}

bool removeTree(const std::string& folder) {
    for (const WIN32_FIND_DATAA& entry : listFolder(folder)) {
        std::string path = folder + "\\" + entry.cFileName;
        if (isFolder(entry)) {
            removeTree(path);
        } else {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    }
    return RemoveDirectoryA(folder.c_str()) != 0;
}

std::string programDirectory() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string full(path, length);
    return full.substr(0, full.find_last_of('\\'));
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string demoDirectory() {
    return environment("RZ_DEMO_DIR");
}

std::string waveOutFile() {
    std::string path = environment("RZ_WAVE_OUT");
    std::replace(path.begin(), path.end(), '/', '\\');
    return path.empty() ? path : "Z:" + path;
}

namespace {
const char* const GAME_KEY = "SOFTWARE\\Brix\\Kolden";
const char* const GAME_VALUE = "Directory";
} // namespace

bool setGameDirectory(const std::string& directory, REGSAM view) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, GAME_KEY, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    LONG status;
    if (directory.empty()) {
        status = RegDeleteValueA(key, GAME_VALUE);
        status = status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
    } else {
        status = RegSetValueExA(key, GAME_VALUE, 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(directory.c_str()),
                                static_cast<DWORD>(directory.size() + 1));
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

std::string gameDirectory(REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, GAME_KEY, 0, KEY_READ | view, &key) != ERROR_SUCCESS) {
        return "";
    }
    char buffer[1024] = {};
    DWORD size = sizeof(buffer) - 1;
    DWORD type = 0;
    LONG status =
        RegQueryValueExA(key, GAME_VALUE, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_SZ ? buffer : "";
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
    waitUntil([] { return false; }, milliseconds);
}

bool bringToFront(HWND window) {
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return waitUntil(
        [window, thread] {
            if (GetForegroundWindow() != window) {
                SetForegroundWindow(window);
            }
            // Keys go to the focus of the window's thread, which it sets only
            // once it has taken the activation.
            GUITHREADINFO info = {};
            info.cbSize = sizeof(info);
            return GetForegroundWindow() == window && GetGUIThreadInfo(thread, &info) &&
                   info.hwndActive == window && info.hwndFocus != nullptr;
        },
        3000);
}

bool waitUntil(const std::function<bool()>& condition, unsigned milliseconds) {
    DWORD until = GetTickCount() + milliseconds;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (condition()) {
            return true;
        }
        long left = static_cast<long>(until - GetTickCount());
        if (left <= 0) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min(left, 20L)),
                                  QS_ALLINPUT);
    }
}

bool pressButton(HWND dialog, int id) {
    return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(dialog, id))) != FALSE;
}

std::string windowText(HWND window) {
    char text[2048] = {};
    SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

int listRows(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string listCell(HWND list, int row, int column) {
    char text[4096] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

namespace {
std::map<UINT_PTR, DialogDriver*>& drivers() {
    static std::map<UINT_PTR, DialogDriver*> all;
    return all;
}
const DWORD CLOSE_AFTER_MS = 3000;
} // namespace

DialogDriver::DialogDriver(std::function<bool(HWND)> action, const char* className,
                           unsigned periodMs)
    : action(std::move(action)), className(className) {
    timer = SetTimer(nullptr, 0, periodMs, &DialogDriver::tick);
    drivers()[timer] = this;
}

DialogDriver::~DialogDriver() {
    KillTimer(nullptr, timer);
    drivers().erase(timer);
}

void CALLBACK DialogDriver::tick(HWND, UINT, UINT_PTR id, DWORD) {
    auto found = drivers().find(id);
    if (found != drivers().end()) {
        found->second->poll();
    }
}

void DialogDriver::poll() {
    struct Search {
        const std::string* className;
        std::vector<HWND> dialogs;
    } search{&className, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            Search* s = reinterpret_cast<Search*>(param);
            char name[64] = {};
            GetClassNameA(window, name, sizeof(name));
            if (*s->className == name && IsWindowVisible(window)) {
                s->dialogs.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    // A handle of a dialog that has gone may come back for the next one.
    done.erase(std::remove_if(done.begin(), done.end(),
                              [](const Handled& h) { return !IsWindow(h.dialog); }),
               done.end());
    for (HWND dialog : search.dialogs) {
        auto seen = std::find_if(done.begin(), done.end(),
                                 [dialog](const Handled& h) { return h.dialog == dialog; });
        if (seen == done.end()) {
            if (action(dialog)) {
                done.push_back(Handled{dialog, GetTickCount(), false});
                ++handledCount;
            }
        } else if (!seen->closed && GetTickCount() - seen->at > CLOSE_AFTER_MS) {
            seen->closed = true;
            ++forcedCount;
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
    }
}

std::function<bool(HWND)> inTurn(std::vector<std::function<void(HWND)>> steps) {
    struct Turns {
        std::vector<std::function<void(HWND)>> steps;
        std::size_t done = 0;
        DWORD at = 0;
        HWND dialog = nullptr;
    };
    auto turns = std::make_shared<Turns>(Turns{std::move(steps)});
    return [turns](HWND dialog) {
        // Bound to the first dialog it acts on: a later one of the same kind,
        // or any after the last step, is left to the drivers made for it.
        if ((turns->dialog != nullptr && turns->dialog != dialog) ||
            turns->done == turns->steps.size() || !IsWindowEnabled(dialog) ||
            (turns->done > 0 && GetTickCount() - turns->at < 300)) {
            return false;
        }
        turns->dialog = dialog;
        turns->at = GetTickCount();
        turns->steps[turns->done++](dialog);
        return turns->done == turns->steps.size();
    };
}

std::size_t buttonHeights(HWND window) {
    std::vector<int> heights;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char kind[16] = {};
        GetClassNameA(child, kind, sizeof(kind));
        RECT r = {};
        if (lstrcmpiA(kind, "Button") == 0 &&
            (GetWindowLongPtrA(child, GWL_STYLE) & BS_TYPEMASK) <= BS_DEFPUSHBUTTON &&
            GetWindowRect(child, &r) &&
            std::find(heights.begin(), heights.end(), r.bottom - r.top) == heights.end()) {
            heights.push_back(r.bottom - r.top);
        }
    }
    return heights.size();
}

std::vector<std::string> listHeadings(HWND list) {
    std::vector<std::string> headings;
    char text[256] = {};
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = sizeof(text);
    while (SendMessageA(list, LVM_GETCOLUMNA, headings.size(), reinterpret_cast<LPARAM>(&column))) {
        headings.push_back(text);
    }
    return headings;
}

std::vector<std::vector<std::string>> listTexts(HWND list, int columns) {
    std::vector<std::vector<std::string>> rows(static_cast<std::size_t>(listRows(list)));
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < columns; ++column) {
            rows[row].push_back(listCell(list, static_cast<int>(row), column));
        }
    }
    return rows;
}

void focusListRow(HWND dialog, HWND list, int row) {
    LVITEMA state = {};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&state));
    SetForegroundWindow(dialog);
    SetFocus(list);
}

std::vector<std::string> comboTexts(HWND combo) {
    std::vector<std::string> texts;
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[260] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    return texts;
}

std::string comboSelection(HWND dialog, int id) {
    return comboTexts(GetDlgItem(dialog, id))
        .at(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

bool selectComboText(HWND combo, const std::string& text) {
    const LRESULT position = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(text.c_str()));
    return position != CB_ERR &&
           SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(position), 0) == position;
}

void pressIn(HWND dialog, int id, std::initializer_list<WORD> keys) {
    SetForegroundWindow(dialog);
    if (id != 0) {
        SetFocus(GetDlgItem(dialog, id));
    }
    pressKeys(keys);
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
