// The program's entry point: logging, the application data, the main window
// and its message loop, then the tear-down.
#include "app/views/RZWindow.h"
#include "support/HDebug.h"
#include "support/HProcessClock.h"
#include "toolkit/HApplication.h"
#include "toolkit/HEventListener.h"

#include <windows.h>

#include <objbase.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The benchmark hook (scripts/bench.sh). It does nothing unless the environment
// variable RZEDIT_BENCH_FILE names a file; then "BENCH <name> <value>" lines are
// appended to it:
//   startup.editor_ms   process creation to the main window's first WM_PAINT,
//   startup.editor_entry_ms   process creation to WinMain (Wine loading the
//   program and the system DLLs it imports);
//   with RZEDIT_BENCH_OPEN=<id> the File menu command <id> (a data set, 502...)
//   is sent after that paint; with RZEDIT_BENCH_SECONDS=<s>, 3 s later the CPU
//   (kernel + user) over the next <s> seconds is taken, anim.editor_cpu_ms, with
//   the preview's paints over that time, anim.editor_preview_paints (and
//   anim.editor_cpu_precise, 1 when the nanosecond clock was used), and the
//   program quits through its exit command (RZEDIT_BENCH_SECONDS=0: right after
//   the first paint);
//   memory.editor_peak_kb / memory.editor_private_kb   at the end of the loop.
const int PREVIEW_ID = 131;
const int EXIT_COMMAND = 143;
const UINT SETTLE_MS = 3000;

class BenchPaintCounter : public HEventListener {
  public:
    BenchPaintCounter() : HEventListener(HEventType::byName("WM_PAINT")) {
        setClassName("BenchPaintCounter");
    }
    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;
    int paints = 0;
};

struct BenchRun {
    std::string file;
    UINT openCommand = 0;
    bool quits = false;
    UINT seconds = 0;
    HWND window = nullptr;
    UINT_PTR timer = 0;
    bool measuring = false;
    double cpuAtStart = 0.0;
    bool precise = false;
    int previewPaintsAtStart = 0;
    BenchPaintCounter windowPaints;
    BenchPaintCounter previewPaints;
};

BenchRun* bench = nullptr;

void benchWrite(const char* name, double value) {
    FILE* out = std::fopen(bench->file.c_str(), "a");
    if (out != nullptr) {
        std::fprintf(out, "BENCH %s %.3f\n", name, value);
        std::fclose(out);
    }
}

void CALLBACK benchTick(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, bench->timer);
    bench->timer = 0;
    if (!bench->measuring) {
        bench->measuring = true;
        bench->cpuAtStart = HProcessClock::cpuMs(&bench->precise);
        bench->previewPaintsAtStart = bench->previewPaints.paints;
        bench->timer = SetTimer(nullptr, 0, bench->seconds * 1000, benchTick);
        return;
    }
    bool precise = false;
    double used = HProcessClock::cpuMs(&precise) - bench->cpuAtStart;
    benchWrite("anim.editor_cpu_ms", used);
    benchWrite("anim.editor_cpu_precise", precise && bench->precise ? 1 : 0);
    benchWrite("anim.editor_preview_paints",
               bench->previewPaints.paints - bench->previewPaintsAtStart);
    PostMessageA(bench->window, WM_COMMAND, MAKEWPARAM(EXIT_COMMAND, 0), 0);
}

bool BenchPaintCounter::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                    HComponent* component, LRESULT* result) {
    HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
    if (++paints == 1 && this == &bench->windowPaints) {
        benchWrite("startup.editor_ms", HProcessClock::msSinceCreation());
        bench->window = hwnd;
        if (bench->openCommand != 0) {
            PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(bench->openCommand, 0), 0);
        }
        if (bench->quits && bench->seconds == 0) {
            PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(EXIT_COMMAND, 0), 0);
        } else if (bench->quits) {
            bench->timer = SetTimer(nullptr, 0, SETTLE_MS, benchTick);
        }
    }
    return true;
}

void benchStart(RZWindow* window, double enteredMs) {
    const char* file = std::getenv("RZEDIT_BENCH_FILE");
    if (file == nullptr || *file == '\0') {
        return;
    }
    bench = new BenchRun();
    bench->file = file;
    benchWrite("startup.editor_entry_ms", enteredMs);
    const char* open = std::getenv("RZEDIT_BENCH_OPEN");
    bench->openCommand = open != nullptr ? static_cast<UINT>(std::atoi(open)) : 0;
    const char* seconds = std::getenv("RZEDIT_BENCH_SECONDS");
    bench->quits = seconds != nullptr;
    bench->seconds = seconds != nullptr ? static_cast<UINT>(std::atoi(seconds)) : 0;
    window->addListener(&bench->windowPaints);
    if (HComponent* preview = window->getControl(PREVIEW_ID)) {
        preview->addListener(&bench->previewPaints);
    }
}

void benchFinish() {
    if (bench == nullptr) {
        return;
    }
    benchWrite("memory.editor_peak_kb", static_cast<double>(HProcessClock::peakWorkingSetKb()));
    benchWrite("memory.editor_private_kb", static_cast<double>(HProcessClock::privateKb()));
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
    // Before anything else, for the bench hook's split of the start-up.
    double enteredMs =
        std::getenv("RZEDIT_BENCH_FILE") != nullptr ? HProcessClock::msSinceCreation() : 0.0;
    HDebug::start();
    HLOG_START("RZEdit", 15, "winmain");

    char path[260] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    path[sizeof(path) - 1] = '\0'; // a cut-off path is not terminated on older systems
    HDebug::debug("exec   : %s", path);

    HApplication::init(instance, previous, commandLine, showCommand);

    RZWindow* window = new RZWindow();
    benchStart(window, enteredMs);
    CoInitialize(nullptr);
    // Creates every native window and runs the message loop until WM_QUIT.
    window->setVisible(true);
    CoUninitialize();
    benchFinish();
    delete window;
    // The window has let go of the bench listeners with its components.
    delete bench;

    HLOG_END("RZEdit", 31, "winmain");
    HDebug::stop();
    return 0;
}
