#pragma once
// The start-up baselines' shared part (bench_minwin, bench_listwin,
// bench_formwin): a window class whose procedure notes the time of the window's
// first WM_PAINT since the process was created (the clock of the editor's bench
// hook) and then closes the window, and the message loop that runs until then.
#include "support/HProcessClock.h"

#include <windows.h>

namespace BenchFirstPaint {

// Milliseconds from process creation to the first WM_PAINT; negative until then.
inline double& paintedMs() {
    static double value = -1.0;
    return value;
}

inline LRESULT CALLBACK windowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        if (paintedMs() < 0.0) {
            paintedMs() = HProcessClock::msSinceCreation();
            DestroyWindow(hwnd);
        }
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

// Registers a window class with the procedure above; false when it fails.
inline bool registerClass(const char* name, UINT style, HBRUSH background) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = style;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    return RegisterClassExA(&windowClass) != 0;
}

inline void runMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

} // namespace BenchFirstPaint
