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

using testsupport::demoDirectory;
using testsupport::environment;
using testsupport::gameDirectory;
using testsupport::setGameDirectory;
using testsupport::waitUntil;

// RZEdit.exe of this build ("" when it cannot be found).
inline std::string programPath() {
    std::string build = environment("RZ_BUILD_DIR");
    std::string path = build.empty() ? testsupport::programDirectory() + "\\..\\RZEdit.exe"
                                     : build + "\\RZEdit.exe";
    return testsupport::fileExists(path) ? path : "";
}

// The data sets of a game directory: subdirectories holding an entry "Config",
// in the order the file system lists them, as the File menu does.
inline std::vector<std::string> dataSets(const std::string& game) {
    std::vector<std::string> names;
    for (const WIN32_FIND_DATAA& entry : testsupport::listFolder(game)) {
        const std::string name = entry.cFileName;
        if (testsupport::isFolder(entry) &&
            testsupport::fileExists(game + "\\" + name + "\\Config")) {
            names.push_back(name);
        }
    }
    return names;
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

using testsupport::bringToFront;
using testsupport::keyEvent;
using testsupport::pressKeys;
using testsupport::windowText;

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
            startError = GetLastError();
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
    // Why the program could not be started (0: it started).
    DWORD startError = 0;

    // Waits until the program has handled what it was sent and waits for input.
    void settle() {
        waitUntil([] { return false; }, 200);
        WaitForInputIdle(process.hProcess, 5000);
    }

  private:
    PROCESS_INFORMATION process = {};
};

} // namespace rzprocess
