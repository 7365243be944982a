#pragma once

// Helpers for tests that run the editor as a separate process and work it from
// outside as a user would: the game directory in the registry, a scratch copy
// of the demo game, finding the program's windows and waiting for them.

#include "tests/common/TestSupport.h"

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace rzprocess {

const char* const GAME_KEY = "SOFTWARE\\Brix\\Kolden";
const char* const GAME_VALUE = "Directory";

inline std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The generated demo game ("" when the test run made none).
inline std::string demoDirectory() {
    return environment("RZ_DEMO_DIR");
}

// RZEdit.exe of this build ("" when it cannot be found).
inline std::string programPath() {
    std::string build = environment("RZ_BUILD_DIR");
    std::string path = build.empty() ? testsupport::programDirectory() + "\\..\\RZEdit.exe"
                                     : build + "\\RZEdit.exe";
    return testsupport::fileExists(path) ? path : "";
}

// The data sets of a game directory: subdirectories holding an entry "Config".
inline std::vector<std::string> dataSets(const std::string& game) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((game + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        std::string name = found.cFileName;
        if (name != "." && name != ".." && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            GetFileAttributesA((game + "\\" + name + "\\Config").c_str()) !=
                INVALID_FILE_ATTRIBUTES) {
            names.push_back(name);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// Sets the game directory for the editor; "" removes the value. view: 0 (this
// program's own, the 64-bit view), KEY_WOW64_32KEY (where the game's 32-bit
// installer writes it) or KEY_WOW64_64KEY.
inline bool setGameDirectory(const std::string& directory, REGSAM view = 0) {
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

inline std::string gameDirectory(REGSAM view = 0) {
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

// Keeps the registry value as it was for the rest of the test program.
class GameDirectoryScope {
  public:
    explicit GameDirectoryScope(const std::string& directory, REGSAM view = 0)
        : view(view), previous(gameDirectory(view)) {
        setGameDirectory(directory, view);
    }
    ~GameDirectoryScope() { setGameDirectory(previous, view); }

  private:
    REGSAM view;
    std::string previous;
};

// Pumps this thread's messages until the condition holds or the time is up.
inline bool waitUntil(const std::function<bool()>& condition, unsigned milliseconds = 10000) {
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
        if (static_cast<long>(until - GetTickCount()) <= 0) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

// The first visible top-level window of the process with the class name.
inline HWND findWindow(DWORD processId, const char* className) {
    struct Search {
        DWORD processId;
        const char* className;
        HWND found;
    } search = {processId, className, nullptr};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            Search* s = reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            char name[64] = {};
            GetClassNameA(window, name, sizeof(name));
            if (owner == s->processId && std::string(name) == s->className &&
                IsWindowVisible(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline std::string windowText(HWND window) {
    char text[1024] = {};
    // WM_GETTEXT is marshalled between processes, for edits and windows alike.
    SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

using testsupport::keyEvent;
using testsupport::pressKeys;

inline bool bringToFront(HWND window) {
    return waitUntil(
        [window] {
            if (GetForegroundWindow() != window) {
                SetForegroundWindow(window);
            }
            return GetForegroundWindow() == window;
        },
        3000);
}

// RZEdit.exe started with CreateProcessA in a working directory of its own.
class EditorProcess {
  public:
    EditorProcess() = default;
    EditorProcess(const EditorProcess&) = delete;
    EditorProcess& operator=(const EditorProcess&) = delete;
    ~EditorProcess() {
        if (process.hProcess != nullptr) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process.hProcess, 99);
                WaitForSingleObject(process.hProcess, 5000);
            }
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
    }

    // arguments: what follows the program's name on its command line. Waits
    // for the main window unless told not to.
    bool start(const std::string& program, const std::string& workingDirectory,
               const std::string& arguments = "", bool waitForMainWindow = true) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        std::string command = "\"" + program + "\"";
        if (!arguments.empty()) {
            command += " " + arguments;
        }
        if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                            workingDirectory.c_str(), &startup, &process)) {
            return false;
        }
        return !waitForMainWindow || waitUntil([this] { return mainWindow() != nullptr; }, 20000);
    }

    HWND mainWindow() const { return findWindow(process.dwProcessId, "RZWindow"); }
    HWND window(const char* className) const { return findWindow(process.dwProcessId, className); }
    HWND control(int id) const { return GetDlgItem(mainWindow(), id); }

    bool started() const { return process.hProcess != nullptr; }
    bool exited() const { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }
    // The exit code, or -1 when the program is still running after the time.
    int waitExit(unsigned milliseconds = 15000) {
        if (!waitUntil([this] { return exited(); }, milliseconds)) {
            return -1;
        }
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        return static_cast<int>(code);
    }

    DWORD id() const { return process.dwProcessId; }

    // Waits until the program has handled what it was sent and waits for input.
    void settle() {
        waitUntil([] { return false; }, 200);
        WaitForInputIdle(process.hProcess, 5000);
    }

  private:
    PROCESS_INFORMATION process = {};
};

} // namespace rzprocess
