// Drives a running RZEdit from outside, as a user would through its menus:
//   rzdrive wait [ms]          waits for the main window (class "RZWindow")
//   rzdrive open <id> [ms]     sends the command of the File menu item <id> (a data
//                              set, IDM_FIRST_DATA_SET...) and waits until the spell list shows
//                              rows; prints the window's title (the table's path)
//                              and the window's geometry
//   rzdrive command <id>       sends the command <id> as a menu item does
//   rzdrive geometry           prints the window's geometry as WxH+X+Y
//   rzdrive quit [ms]          sends the exit command (IDM_EXIT) and waits until the
//                              window has gone
// Exit code 0 on success, 1 on a timeout or a missing window, 2 on bad use.
// (Menus cannot be read from another process under Wine, so the item is checked
// by what it opens.)
#include "app/views/RZIds.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char* const WINDOW_CLASS = "RZWindow";

HWND waitForWindow(DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindWindowA(WINDOW_CLASS, nullptr);
        if (window != nullptr && IsWindowVisible(window)) {
            return window;
        }
        if (GetTickCount() - start > timeoutMs) {
            return nullptr;
        }
        Sleep(100);
    }
}

void printGeometry(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
}

int spellRows(HWND window) {
    HWND list = GetDlgItem(window, IDC_SPELL_LIST);
    return list == nullptr ? 0 : static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

int open(UINT id, DWORD timeoutMs) {
    HWND window = waitForWindow(timeoutMs);
    if (window == nullptr) {
        fprintf(stderr, "rzdrive: no RZWindow\n");
        return 1;
    }
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    DWORD start = GetTickCount();
    while (spellRows(window) == 0) {
        if (GetTickCount() - start > timeoutMs) {
            fprintf(stderr, "rzdrive: the spell list stayed empty\n");
            return 1;
        }
        Sleep(100);
    }
    // The selection fills the form, the characters and the picture after the rows.
    Sleep(1500);
    char title[512] = {};
    GetWindowTextA(window, title, sizeof(title));
    printf("opened %s (%d rows)\n", title, spellRows(window));
    printGeometry(window);
    return 0;
}

int quit(DWORD timeoutMs) {
    HWND window = FindWindowA(WINDOW_CLASS, nullptr);
    if (window == nullptr) {
        fprintf(stderr, "rzdrive: no RZWindow\n");
        return 1;
    }
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
    DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start > timeoutMs) {
            fprintf(stderr, "rzdrive: the window did not close\n");
            return 1;
        }
        Sleep(100);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: rzdrive wait|open <id>|geometry|quit [ms]\n");
        return 2;
    }
    std::string command = argv[1];
    if (command == "open") {
        if (argc < 3) {
            return 2;
        }
        UINT id = static_cast<UINT>(std::strtoul(argv[2], nullptr, 10));
        DWORD timeoutMs = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 30000;
        return open(id, timeoutMs);
    }
    DWORD timeoutMs = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 30000;
    if (command == "wait") {
        return waitForWindow(timeoutMs) != nullptr ? 0 : 1;
    }
    if (command == "command" && argc > 2) {
        HWND window = FindWindowA(WINDOW_CLASS, nullptr);
        if (window == nullptr) {
            return 1;
        }
        UINT id = static_cast<UINT>(std::strtoul(argv[2], nullptr, 10));
        return PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0) ? 0 : 1;
    }
    if (command == "geometry") {
        HWND window = FindWindowA(WINDOW_CLASS, nullptr);
        if (window == nullptr) {
            return 1;
        }
        printGeometry(window);
        return 0;
    }
    if (command == "quit") {
        return quit(timeoutMs);
    }
    return 2;
}
