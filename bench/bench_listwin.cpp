// The second start-up baseline for the editor's benchmark: the minimal window
// program with one list view in it, as every list-view program has. It loads
// the common controls, registers a class, creates a window and, in it, a report
// list view where the editor's spell list is (no columns, no rows), shows the
// window and at its first WM_PAINT reports the time since the process was
// created (the clock of the editor's bench hook), then quits. Output:
//   BENCH startup.listwin_ms <ms from process creation to the first WM_PAINT>
//   BENCH startup.listwin_entry_ms <ms from process creation to main>
#include "support/HProcessClock.h"
#include "bench/BenchFirstPaint.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>

int main() {
    double enteredMs = HProcessClock::msSinceCreation();
    INITCOMMONCONTROLSEX init = {sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const char* className = "BenchListWindow";
    if (!BenchFirstPaint::registerClass(className, CS_HREDRAW | CS_VREDRAW,
                                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1))) {
        return 1;
    }
    // The editor's window size, and its spell list's place and styles.
    HWND window = CreateWindowExA(0, className, "bench", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, 632,
                                144, window, nullptr, instance, nullptr);
    if (list == nullptr) {
        return 1;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    BenchFirstPaint::runMessageLoop();

    std::printf("BENCH startup.listwin_ms %.3f\n", BenchFirstPaint::paintedMs());
    std::printf("BENCH startup.listwin_entry_ms %.3f\n", enteredMs);
    return BenchFirstPaint::paintedMs() < 0.0 ? 1 : 0;
}
