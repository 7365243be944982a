// The animation-CPU baseline for the editor's benchmark: a window whose only
// work is a 100 ms window timer that does nothing. After the same settling time
// the editor's bench hook allows, it measures the CPU (kernel + user) the
// process uses over the measuring time, then quits. Output:
//   BENCH anim.timer_cpu_ms <CPU ms over the measuring time>
//   BENCH anim.timer_ticks <timer messages seen over the measuring time>
//   BENCH anim.timer_cpu_precise <1 when the nanosecond clock was used, see HProcessClock::cpuMs>
// With "paint" it is instead the least an animation can do: at every tick it
// invalidates a 128 x 128 child window where the editor's preview is, which
// copies one frame from a memory bitmap when painted; its figures are named
// anim.paint_... instead.
// Usage: bench_timer [seconds [paint]]   (default 10 seconds, no painting)
#include "support/HProcessClock.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const UINT_PTR TICK_TIMER = 1;
const UINT TICK_MS = 100;
// Start-up work is not what is measured: the editor, too, starts measuring only
// once it has shown its first row and the preview runs.
const ULONGLONG SETTLE_MS = 3000;

ULONGLONG measureMs = 10000;
ULONGLONG shownAt = 0;
ULONGLONG measureStart = 0;
double cpuAtStart = 0.0;
double cpuUsed = -1.0;
bool startPrecise = false;
bool endPrecise = false;
int ticks = 0;

const int FRAME_SIZE = 128;
HWND frameWindow = nullptr;
HDC frameSource = nullptr;

LRESULT CALLBACK frameProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        BitBlt(dc, 0, 0, FRAME_SIZE, FRAME_SIZE, frameSource, 0, 0, SRCCOPY);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK windowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER: {
        ULONGLONG now = GetTickCount64();
        if (measureStart == 0) {
            if (now - shownAt >= SETTLE_MS) {
                measureStart = now;
                cpuAtStart = HProcessClock::cpuMs(&startPrecise);
            }
        } else if (now - measureStart >= measureMs) {
            cpuUsed = HProcessClock::cpuMs(&endPrecise) - cpuAtStart;
            KillTimer(hwnd, TICK_TIMER);
            DestroyWindow(hwnd);
        } else {
            ++ticks;
        }
        if (frameWindow != nullptr) {
            InvalidateRect(frameWindow, nullptr, FALSE);
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

} // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        measureMs = static_cast<ULONGLONG>(std::atoi(argv[1])) * 1000;
    }
    bool painting = argc > 2 && std::string(argv[2]) == "paint";
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "BenchTimerWindow";
    if (!RegisterClassExA(&windowClass)) {
        return 1;
    }
    HWND window =
        CreateWindowExA(0, windowClass.lpszClassName, "bench", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    HBITMAP frameBitmap = nullptr;
    if (painting) {
        windowClass.lpfnWndProc = frameProcedure;
        windowClass.hbrBackground = nullptr;
        windowClass.lpszClassName = "BenchFrameWindow";
        RegisterClassExA(&windowClass);
        frameWindow =
            CreateWindowExA(0, windowClass.lpszClassName, "", WS_CHILD | WS_VISIBLE, 54, 304,
                            FRAME_SIZE, FRAME_SIZE, window, nullptr, instance, nullptr);
        HDC dc = GetDC(frameWindow);
        frameSource = CreateCompatibleDC(dc);
        frameBitmap = CreateCompatibleBitmap(dc, FRAME_SIZE, FRAME_SIZE);
        SelectObject(frameSource, frameBitmap);
        PatBlt(frameSource, 0, 0, FRAME_SIZE, FRAME_SIZE, WHITENESS);
        ReleaseDC(frameWindow, dc);
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    shownAt = GetTickCount64();
    SetTimer(window, TICK_TIMER, TICK_MS, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (frameSource != nullptr) {
        DeleteDC(frameSource);
        DeleteObject(frameBitmap);
    }
    const char* name = painting ? "paint" : "timer";
    std::printf("BENCH anim.%s_cpu_ms %.3f\n", name, cpuUsed);
    std::printf("BENCH anim.%s_ticks %d\n", name, ticks);
    std::printf("BENCH anim.%s_cpu_precise %d\n", name, startPrecise && endPrecise ? 1 : 0);
    return cpuUsed < 0.0 ? 1 : 0;
}
