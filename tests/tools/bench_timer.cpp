// The animation-CPU baseline for the editor's benchmark: a window whose only
// work is a 100 ms window timer that does nothing. After the same settling time
// the editor's bench hook allows, it measures the CPU (kernel + user) the
// process uses over the measuring time, then quits. Output:
//   BENCH anim.timer_cpu_ms <CPU ms over the measuring time>
//   BENCH anim.timer_ticks <timer messages seen over the measuring time>
//   BENCH anim.timer_cpu_precise <1 when the nanosecond clock was used, see cpuMs>
// With "paint" it is instead the least an animation can do: at every tick it
// invalidates a 128 x 128 child window where the editor's preview is, which
// copies one frame from a memory bitmap when painted; its figures are named
// anim.paint_... instead.
// Usage: bench_timer [seconds [paint]]   (default 10 seconds, no painting)
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

ULONGLONG fileTimeValue(const FILETIME& t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// CPU time (kernel + user) of the whole process in ms. Wine counts
// GetProcessTimes in 10 ms clock ticks, too coarse for a program that uses a few
// ms a second. When RZEDIT_BENCH_PIDFILE names a file holding the process's
// Linux process id (scripts/bench.sh writes it), the scheduler's nanosecond
// counters of its threads are summed instead, read through Wine's drive Z:
// (the process id is needed: Wine opens files in its server, so "self" would
// be the server). *precise tells which clock was used.
double cpuMs(bool* precise) {
    *precise = false;
    const char* pidFile = std::getenv("RZEDIT_BENCH_PIDFILE");
    unsigned long pid = 0;
    if (pidFile != nullptr) {
        if (FILE* in = std::fopen(pidFile, "r")) {
            if (std::fscanf(in, "%lu", &pid) != 1) {
                pid = 0;
            }
            std::fclose(in);
        }
    }
    if (pid != 0) {
        const std::string tasks = "Z:\\proc\\" + std::to_string(pid) + "\\task\\";
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((tasks + "*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            double nanoseconds = 0.0;
            do {
                if (found.cFileName[0] == '.') {
                    continue;
                }
                FILE* in = std::fopen((tasks + found.cFileName + "\\schedstat").c_str(), "r");
                if (in != nullptr) {
                    unsigned long long running = 0;
                    if (std::fscanf(in, "%llu", &running) == 1) {
                        nanoseconds += static_cast<double>(running);
                        *precise = true;
                    }
                    std::fclose(in);
                }
            } while (FindNextFileA(find, &found));
            FindClose(find);
            if (*precise) {
                return nanoseconds / 1e6;
            }
        }
    }
    FILETIME creation, exitTime, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &creation, &exitTime, &kernel, &user)) {
        return 0.0;
    }
    return static_cast<double>(fileTimeValue(kernel) + fileTimeValue(user)) / 10000.0;
}

LRESULT CALLBACK windowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER: {
        ULONGLONG now = GetTickCount64();
        if (measureStart == 0) {
            if (now - shownAt >= SETTLE_MS) {
                measureStart = now;
                cpuAtStart = cpuMs(&startPrecise);
            }
        } else if (now - measureStart >= measureMs) {
            cpuUsed = cpuMs(&endPrecise) - cpuAtStart;
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
