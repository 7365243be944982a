#include "app/views/RZBenchHook.h"

#include "app/views/RZIds.h"
#include "app/views/RZWindow.h"
#include "support/HProcessClock.h"
#include "toolkit/HEventListener.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

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

// Made by start when benchmarking, gone at release.
std::unique_ptr<BenchRun> bench;

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
    PostMessageA(bench->window, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
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
            PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
        } else if (bench->quits) {
            bench->timer = SetTimer(nullptr, 0, SETTLE_MS, benchTick);
        }
    }
    return true;
}

} // namespace

void RZBenchHook::start(RZWindow* window, double enteredMs) {
    const char* file = std::getenv("RZEDIT_BENCH_FILE");
    if (file == nullptr || *file == '\0') {
        return;
    }
    bench = std::make_unique<BenchRun>();
    bench->file = file;
    benchWrite("startup.editor_entry_ms", enteredMs);
    const char* open = std::getenv("RZEDIT_BENCH_OPEN");
    bench->openCommand = open != nullptr ? static_cast<UINT>(std::atoi(open)) : 0;
    const char* seconds = std::getenv("RZEDIT_BENCH_SECONDS");
    bench->quits = seconds != nullptr;
    bench->seconds = seconds != nullptr ? static_cast<UINT>(std::atoi(seconds)) : 0;
    window->addListener(&bench->windowPaints);
    if (HComponent* preview = window->getControl(IDC_PICTURE)) {
        preview->addListener(&bench->previewPaints);
    }
}

void RZBenchHook::finish() {
    if (bench == nullptr) {
        return;
    }
    benchWrite("memory.editor_peak_kb", static_cast<double>(HProcessClock::peakWorkingSetKb()));
    benchWrite("memory.editor_private_kb", static_cast<double>(HProcessClock::privateKb()));
}

double RZBenchHook::entryTime() {
    return std::getenv("RZEDIT_BENCH_FILE") != nullptr ? HProcessClock::msSinceCreation() : 0.0;
}

void RZBenchHook::release() {
    bench.reset();
}
