#pragma once
// The in-process benchmarks' shared part (bench_undo, bench_tools): the
// editor's main window shown with the game's first data set open (the registry
// value naming the game is set by scripts/bench.sh), the message pump and the
// figures' line "BENCH <name> <value>".
#include "app/data/RZEditData.h"
#include "app/views/RZIds.h"
#include "app/views/RZWindow.h"

#include <windows.h>

#include <cstdio>

namespace BenchWindow {

inline void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

inline void figure(const char* name, double value, int decimals = 1) {
    std::printf("BENCH %s %.*f\n", name, decimals, value);
    std::fflush(stdout);
}

// Creates and shows the window and opens the first data set through its File
// menu item; the window's document, or null (after a line saying why) when no
// table opened.
inline RZEditData* openFirstDataSet(RZWindow& window) {
    window.create();
    HWND main = window.getHandle();
    ShowWindow(main, SW_SHOW);
    UpdateWindow(main);
    pump();
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_FIRST_DATA_SET, 0), 0);
    pump();
    RZEditData* document = RZEditData::getInstance(main);
    if (document == nullptr || !document->hasTable()) {
        std::printf("no table opened: is the game directory set?\n");
        return nullptr;
    }
    return document;
}

} // namespace BenchWindow
