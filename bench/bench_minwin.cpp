// The start-up and memory baseline for the editor's benchmark: the least a Win32
// window program does. It registers a class, creates a window, shows it, and at
// its first WM_PAINT reports the time since the process was created (the same
// clock the editor's bench hook uses); then it quits and reports its peak
// memory. Output, one figure a line:
//   BENCH startup.minwin_ms <ms from process creation to the first WM_PAINT>
//   BENCH startup.minwin_entry_ms <ms from process creation to main>
//   BENCH memory.minwin_peak_kb <peak working set in KiB>
//   BENCH memory.minwin_private_kb <private (committed) bytes at exit in KiB>
// "bench_minwin hold" instead keeps a hidden window until it is ended: under Wine
// the desktop process goes a moment after the last window, and would otherwise
// start again inside every measured program's start-up.
#include "support/HProcessClock.h"
#include "bench/BenchFirstPaint.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    double enteredMs = HProcessClock::msSinceCreation();
    bool hold = argc > 1 && std::strcmp(argv[1], "hold") == 0;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const char* className = hold ? "BenchHoldWindow" : "BenchMinimalWindow";
    if (!BenchFirstPaint::registerClass(className, CS_HREDRAW | CS_VREDRAW,
                                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1))) {
        return 1;
    }
    // The editor's size, so both windows cost the X server the same pixels.
    HWND window = CreateWindowExA(0, className, "bench", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    if (!hold) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    BenchFirstPaint::runMessageLoop();

    std::printf("BENCH startup.minwin_ms %.3f\n", BenchFirstPaint::paintedMs());
    std::printf("BENCH startup.minwin_entry_ms %.3f\n", enteredMs);
    std::printf("BENCH memory.minwin_peak_kb %llu\n", HProcessClock::peakWorkingSetKb());
    std::printf("BENCH memory.minwin_private_kb %llu\n", HProcessClock::privateKb());
    return BenchFirstPaint::paintedMs() < 0.0 ? 1 : 0;
}
